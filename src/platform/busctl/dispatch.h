#pragma once
// The USB adapter control as the program sees it: operations called by number, each with a list
// of variant arguments passed by value or by reference.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace platform::busctl {

// Integer (16-bit), Long (32-bit) or String, as the control's type library declares them.
using Variant = std::variant<std::int16_t, std::int32_t, std::string>;

enum class Passing { ByValue, ByRef };

struct Arg {
    Variant value;
    Passing passing = Passing::ByValue;
};

// Operation numbers of the control's dispatch interface.
namespace op {
inline constexpr int WriteWordCmd = 1;
inline constexpr int ReadWordCmd = 2;
inline constexpr int OpenDevice = 5;
inline constexpr int CloseAdapter = 6;
inline constexpr int ListFreeDevices = 7;
inline constexpr int RegisterTransfer = 12;
inline constexpr int ConfirmWrite = 13;
inline constexpr int HDQWriteCmd = 14;
inline constexpr int HDQReadCmd = 15;
}  // namespace op

class AdapterControl {
public:
    virtual ~AdapterControl() = default;
    // Calls one operation. The control may write new values into by-reference arguments; the
    // caller reads them back from `args`. The result is the operation's return value (a status
    // for transfers; an Integer 0 where the operation returns nothing).
    virtual Variant invoke(int dispId, std::vector<Arg>& args) = 0;
};

}  // namespace platform::busctl
