#pragma once
// The Registers page on picRegisters: all registers as bits and hex, Read All, Write and the scan.
#include <array>
#include <cstdint>

#include "protector/register_map.h"

namespace common { class WindowRegistry; }
namespace platform::forms { class Form; class Control; class Label; class TextBox; class Timer; }

namespace protector {

class RegistersPage {
public:
    RegistersPage(common::WindowRegistry& program, platform::forms::Form& form, platform::forms::Control& picRegisters);
    RegistersPage(const RegistersPage&) = delete;
    RegistersPage& operator=(const RegistersPage&) = delete;

    void ReadAllRegisters();

    // Event handlers.
    void cmdReadAll_Click();
    void cmdWrite_Click(std::int16_t Index);
    void Command18_Click(std::int16_t Index);
    void chkScan_Click();
    void tmrRegisterScan_Timer();
    void txtData_GotFocus(std::int16_t Index);
    void txtData_LostFocus(std::int16_t Index);

private:
    struct Row {
        std::array<platform::forms::Label*, 8> bits{};  // index = bit number
        platform::forms::TextBox* cell = nullptr;
    };

    void buildHeadings();
    void buildRow(int r);
    void buildBottomRow();
    void colourBits(int r, std::uint8_t value);
    void showRegister(int r, std::uint8_t value);
    // A row whose register could not be read shows nothing rather than another register's value.
    void blankRegister(int r);

    common::WindowRegistry& program_;
    platform::forms::Form& form_;
    platform::forms::Control& picRegisters_;
    platform::forms::Timer& tmrRegisterScan_;
    std::array<Row, LabelledRegisterCount> rows_{};
    // The scan position, kept for the life of the window: switching the scan off and on resumes it.
    int scanLatest_ = 0;
    int scanHighlighted_ = 0;
};

}  // namespace protector
