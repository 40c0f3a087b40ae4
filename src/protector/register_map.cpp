#include "protector/register_map.h"

namespace protector {

// Bit names are listed bit 7 first, as the chip's data sheet prints them, and reversed below.
namespace {

constexpr RegisterInfo row(std::uint8_t address, const char* name, std::array<const char*, 8> msbFirst)
{
    RegisterInfo info{address, name, {}};
    for (std::size_t i = 0; i < 8; ++i)
        info.bits[i] = msbFirst[7 - i];
    return info;
}

}  // namespace

const std::array<RegisterInfo, 12> RegisterMap{
    row(reg::STATUS, "STATUS", {"RSVD", "RSVD", "VGOOD", "OVTEMP", "UV", "OV", "OCD", "SCD"}),
    row(reg::OUTPUT_CNTRL, "OUTPUT_CNTRL", {"FS", "RSVD", "RSVD", "RSVD", "GPOD", "CHG", "DSG", "LTCLR"}),
    row(reg::STATE_CNTRL, "STATE_CNTRL", {"IGAIN", "VGAIN", "RSVD", "RSVD", "RSVD", "RSVD", "HOST", "SHDN"}),
    row(reg::FNCTN_CNTRL, "FNCTN_CNTRL", {"CBAL10", "CBAL9", "TOUT", "BAT", "PACK", "IACAL", "IAEN", "VAEN"}),
    row(reg::CELL_BALANCE, "CELL_BALANCE", {"CBAL8", "CBAL7", "CBAL6", "CBAL5", "CBAL4", "CBAL3", "CBAL2", "CBAL1"}),
    row(reg::CELL_SEL, "CELL_SEL", {"RSVD", "CAL2", "CAL1", "CAL0", "CELL4", "CELL3", "CELL2", "CELL1"}),
    row(reg::OV_CFG, "OV_CFG", {"OVD2", "OVD1", "OVD0", "OVH1", "OVH0", "OV2", "OV1", "OV0"}),
    row(reg::UV_LEVEL, "UV_LEVEL", {"RSVD", "UVFET_DIS", "UVH1", "UVH0", "UV3", "UV2", "UV1", "UV0"}),
    row(reg::OCV_UV_DELAY, "OCV_UV DELAY", {"UVD3", "UVD2", "UVD1", "UVD0", "OCD3", "OCD2", "OCD1", "OCD0"}),
    row(reg::OCDELAY, "OCDELAY", {"CBEN", "ZVC", "RSVD", "OCDD4", "OCDD3", "OCDD2", "OCDD1", "OCDD0"}),
    row(reg::SCD_CFG, "SCD_CFG", {"SCDD3", "SCDD2", "SCDD1", "SCDD0", "SCD3", "SCD2", "SCD1", "SCD0"}),
    row(reg::EEPROM_CNTRL, "EEPROM_CNTRL", {"", "", "", "", "", "", "", ""}),
};

}  // namespace protector
