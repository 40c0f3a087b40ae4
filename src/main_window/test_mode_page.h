#pragma once
// The test-mode page: six frames, one per word (test-mode words 0x00-0x02, trim words 0x08-0x0A),
// each with 16 named bit boxes, a four-digit hex field, Read and Write buttons and, for the trims,
// a pair of options choosing the writable register or its read-only copy. Built onto the main
// window's test-mode panel; it keeps what it shows for the life of the window.
#include <array>
#include <cstdint>

#include "main_window/bit_row.h"

namespace common { class WindowRegistry; }
namespace platform::forms {
class Form; class Control; class CheckBox; class TextBox; class CommandButton; class OptionButton;
}

namespace main_window {

class TestModePage {
public:
    TestModePage(common::WindowRegistry& program, platform::forms::Form& form, platform::forms::Control& picTestMode);
    TestModePage(const TestModePage&) = delete;
    TestModePage& operator=(const TestModePage&) = delete;

private:
    struct Word {
        std::uint8_t command;      // read and written
        std::uint8_t copyCommand;  // read while the read-only copy is chosen (trims only)
        BitRow bits{};
        platform::forms::TextBox* field = nullptr;
        platform::forms::CommandButton* read = nullptr;
        platform::forms::CommandButton* write = nullptr;
        std::array<platform::forms::OptionButton*, 2> trim{};  // none for the test-mode words
    };
    struct FrameLayout;

    void build(Word& word, int order, platform::forms::Control& picTestMode, const FrameLayout& layout);
    // Bit i + 8, then bit i, for i from 0 up; each change runs the frame's click rule.
    static void showWord(Word& word, std::uint8_t ms, std::uint8_t ls);
    void clickBit(Word& word);
    void keyPress(Word& word, int& keyAscii);
    void lostFocus(Word& word);
    void readWord(Word& word);
    void writeWord(Word& word);
    static void chooseTrim(Word& word);

    void chkTestMode0_Click(int Index);
    void chkTestMode1_Click(int Index);
    void chkTestMode2_Click(int Index);
    void chkTrim0_Click(int Index);
    void chkTrim1_Click(int Index);
    void chkTrim2_Click(int Index);
    void txtTestMode0_KeyPress(int& KeyAscii);
    void txtTestMode1_KeyPress(int& KeyAscii);
    void txtTestMode2_KeyPress(int& KeyAscii);
    void txtTrim0_KeyPress(int& KeyAscii);
    void txtTrim1_KeyPress(int& KeyAscii);
    void txtTrim2_KeyPress(int& KeyAscii);
    void txtTestMode0_LostFocus();
    void txtTestMode1_LostFocus();
    void txtTestMode2_LostFocus();
    void txtTrim0_LostFocus();
    void txtTrim1_LostFocus();
    void txtTrim2_LostFocus();
    void cmdReadTestMode0_Click();
    void cmdReadTestMode1_Click();
    void cmdReadTestMode2_Click();
    void cmdReadTrim0_Click();
    void cmdReadTrim1_Click();
    void cmdReadTrim2_Click();
    void cmdWriteTestMode0_Click();
    void cmdWriteTestMode1_Click();
    void cmdWriteTestMode2_Click();
    void cmdWriteTrim0_Click();
    void cmdWriteTrim1_Click();
    void cmdWriteTrim2_Click();
    void optTrim0_Click(int Index);
    void optTrim1_Click(int Index);
    void optTrim2_Click(int Index);

    common::WindowRegistry& program_;
    platform::forms::Form& form_;
    Word testMode0_{0x00, 0x00};
    Word testMode1_{0x01, 0x01};
    Word testMode2_{0x02, 0x02};
    Word trim0_{0x08, 0x0B};
    Word trim1_{0x09, 0x0C};
    Word trim2_{0x0A, 0x0D};
};

}  // namespace main_window
