#pragma once
// The protector's twelve byte registers: address, the name and bit names the Registers page
// shows, and named addresses for the pages' transfers.
#include <array>
#include <cstdint>

namespace protector {

namespace reg {
inline constexpr std::uint8_t STATUS = 0x00;
inline constexpr std::uint8_t OUTPUT_CNTRL = 0x01;
inline constexpr std::uint8_t STATE_CNTRL = 0x02;
inline constexpr std::uint8_t FNCTN_CNTRL = 0x03;
inline constexpr std::uint8_t CELL_BALANCE = 0x04;
inline constexpr std::uint8_t CELL_SEL = 0x05;
inline constexpr std::uint8_t OV_CFG = 0x06;
inline constexpr std::uint8_t UV_LEVEL = 0x07;
inline constexpr std::uint8_t OCV_UV_DELAY = 0x08;
inline constexpr std::uint8_t OCDELAY = 0x09;
inline constexpr std::uint8_t SCD_CFG = 0x0A;
inline constexpr std::uint8_t EEPROM_CNTRL = 0x0B;
}  // namespace reg

struct RegisterInfo {
    std::uint8_t address;
    const char* name;
    std::array<const char*, 8> bits;  // index = bit number; "RSVD" for a reserved bit
};

// In address order, RegisterMap[r].address == r. EEPROM_CNTRL is last and has no bit names ("").
extern const std::array<RegisterInfo, 12> RegisterMap;
// The registers that the pages label: 0x00 to 0x0A.
inline constexpr int LabelledRegisterCount = 11;

}  // namespace protector
