// Feeds arbitrary bytes to the input data file parser, as the whole file and as a cut prefix.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "main_window/input_data_file.h"

using main_window::parseInputData;
using main_window::TextEnd;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto whole = parseInputData(text, TextEnd::WholeFile);
    const auto cut = parseInputData(text, TextEnd::Cut);
    // A cut text is read more strictly, never differently.
    if (cut && (!whole || *cut != *whole))
        std::abort();
    // Whatever follows the third number is ignored, so appending cannot change a result.
    if (whole && size < 4096) {
        std::string longer(text);
        longer += "\n,x";
        const auto again = parseInputData(longer, TextEnd::WholeFile);
        if (!again || *again != *whole)
            std::abort();
    }
    return 0;
}
