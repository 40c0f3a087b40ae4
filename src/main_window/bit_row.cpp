#include "main_window/bit_row.h"

#include "platform/forms/check_box.h"

namespace main_window {

std::uint16_t packBits(const BitRow& bits)
{
    unsigned word = 0;
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (bits[i]->value() == 1)
            word |= 1u << i;
    return static_cast<std::uint16_t>(word);
}

}  // namespace main_window
