#include "protector/eeprom_fields.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "common/numbers.h"
#include "platform/forms/combo_box.h"
#include "protector/register_map.h"

namespace protector {

namespace {

constexpr const char* OvThresh[] = {"4.15", "4.20", "4.25", "4.30", "4.35", "4.40", "4.45", "4.50"};
constexpr const char* OvHyst[] = {"100", "200", "300", "400"};
constexpr const char* OvDetDelay[] = {"500", "750", "1000", "1250", "1500", "1750", "2000", "2250"};
constexpr const char* UvThresh[] = {"1.40", "1.50", "1.60", "1.70", "1.80", "1.90", "2.00", "2.10",
                                    "2.20", "2.30", "2.40", "2.50", "2.60", "2.70", "2.80", "2.90"};
constexpr const char* UvHyst[] = {"0.2", "0.4", "0.8", "1.2"};
constexpr const char* OcThresh[] = {"10", "15", "20", "25", "30", "35", "40", "45",
                                    "50", "55", "60", "65", "70", "75", "80", "85"};
constexpr const char* ScThresh[] = {"60", "65", "70", "75", "80", "85", "90", "95",
                                    "100", "105", "110", "115", "120", "125", "130", "135"};
constexpr const char* ScDelay[] = {"0", "60", "120", "180", "240", "300", "360", "420",
                                   "480", "540", "600", "660", "720", "780", "840", "900"};

// UV delay base values with FS set, before scaling by the cell count.
constexpr std::int16_t UvDelayBase[] = {0, 2, 4, 8, 10, 12, 16, 24};

constexpr int ShortSteps = 16;  // codes 0-15: 20 ms steps; 16-31: 100 ms steps
constexpr int LongestShortDelay = 320;
constexpr int ShortestLongDelay = 400;
constexpr int LongestDelay = 1600;

}  // namespace

const std::array<EepromField, 13> EepromFields{{
    {"cboOvThresh", reg::OV_CFG, 0, 8, FieldKind::List, OvThresh},
    {"cboOvHyst", reg::OV_CFG, 3, 4, FieldKind::List, OvHyst},
    {"cboOvDetDelay", reg::OV_CFG, 5, 8, FieldKind::List, OvDetDelay},
    {"cboUvThresh", reg::UV_LEVEL, 0, 16, FieldKind::List, UvThresh},
    {"cboUvHyst", reg::UV_LEVEL, 4, 4, FieldKind::List, UvHyst},
    {"chkDisDsgFet", reg::UV_LEVEL, 6, 2, FieldKind::Check, {}},
    {"cboOcThresh", reg::OCV_UV_DELAY, 0, 16, FieldKind::List, OcThresh},
    {"cboUvDelay", reg::OCV_UV_DELAY, 4, UvDelayItems, FieldKind::List, {}},
    {"txtOcDelay", reg::OCDELAY, 0, 32, FieldKind::Delay, {}},
    {"chkZvc", reg::OCDELAY, 6, 2, FieldKind::Check, {}},
    {"chkCben", reg::OCDELAY, 7, 2, FieldKind::Check, {}},
    {"cboShortCircuitThresh", reg::SCD_CFG, 0, 16, FieldKind::List, ScThresh},
    {"cboShortCircuitDelay", reg::SCD_CFG, 4, 16, FieldKind::List, ScDelay},
}};

const EepromField& eepromField(std::string_view control)
{
    for (const EepromField& field : EepromFields) {
        if (field.control == control)
            return field;
    }
    throw std::logic_error("no EEPROM field " + std::string(control));
}

int chosenItem(const platform::forms::ComboBox& list)
{
    if (list.listIndex() >= 0)
        return list.listIndex();
    for (int i = 0; i < list.listCount(); ++i) {
        if (list.list(i) == list.text())
            return i;
    }
    return -1;
}

std::string uvDelayItem(int code, bool fsSet, std::uint8_t cellCount)
{
    const int base = code % 8;
    if (code >= 8)
        return std::to_string(1000 * (base + 1)) + "-";
    if (!fsSet)
        return std::to_string(1000 * (base + 1));
    const double t = UvDelayBase[base];
    return common::decimalText(t / 8 * (cellCount - 5) + t / 1.6);
}

std::string ocDelayText(int code)
{
    return std::to_string(code < ShortSteps ? 20 * code + 20 : 100 * (code - ShortSteps) + 100);
}

std::optional<int> ocDelayCode(std::string_view text)
{
    const auto d = common::parseNumber(text);
    if (!d || *d < 20 || *d > LongestDelay || *d != std::floor(*d))
        return std::nullopt;
    const auto ms = static_cast<long>(*d);
    if (ms >= 20 && ms <= LongestShortDelay && ms % 20 == 0)
        return static_cast<int>((ms - 20) / 20);
    if (ms >= ShortestLongDelay && ms <= LongestDelay && ms % 100 == 0)
        return static_cast<int>(ShortSteps + (ms - 100) / 100);
    return std::nullopt;
}

std::string nearestOcDelay(double v)
{
    if (v < 20)
        return "20";
    if (v < 360)
        return std::to_string(std::min(20 * static_cast<int>(std::nearbyint(v / 20)), LongestShortDelay));
    if (v > LongestDelay)
        return std::to_string(LongestDelay);
    return std::to_string(100 * static_cast<int>(std::nearbyint(v / 100)));
}

}  // namespace protector
