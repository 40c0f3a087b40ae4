#pragma once
// The module variables that more than one window reads or writes. Booleans held in 16-bit
// integers are -1 for True and 0 for False.
#include <cstdint>
#include <optional>
#include <string>

namespace common {

inline constexpr std::int16_t True = -1;
inline constexpr std::int16_t False = 0;

struct SharedState {
    std::string gsIniFile;
    std::int16_t giDeviceAddress = 0;
    std::int16_t gbUpdatingBits = False;
    std::int16_t giRefreshTime = 0;
    std::int16_t gbScanOn = False;
    std::uint8_t gbytCellCount = 0;
    std::int16_t giInputFileChargeCurrent = 0;
    std::int16_t giInputFileChargeVoltage = 0;
    std::int16_t giInputFileInputCurrent = 0;
    std::optional<double> gvLogRate;  // empty until the logging dialog stores one
};

}  // namespace common
