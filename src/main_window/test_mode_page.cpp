#include "main_window/test_mode_page.h"

#include <string>

#include "adapter/bus.h"
#include "common/helpers.h"
#include "common/numbers.h"
#include "common/window_registry.h"
#include "platform/forms/check_box.h"
#include "platform/forms/form.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"

namespace main_window {

namespace forms = platform::forms;

namespace {

constexpr int KeyEnter = 13;
constexpr int FrameTop = 120, FrameWidth = 1935;
constexpr int WordFrames = 6, FirstTrim = 3;

// Tab order across the page: all bit boxes, then the buttons, the fields, the trim options.
constexpr int BoxesTab = 0, ButtonsTab = BoxesTab + 16 * WordFrames, FieldsTab = ButtonsTab + 2 * WordFrames,
              OptionsTab = FieldsTab + WordFrames;

const forms::Font TestMode0BitFont{"Microsoft Sans Serif", 8.25};

std::string wordText(std::uint8_t ms, std::uint8_t ls) { return common::Hex2(ms) + common::Hex2(ls); }

// One character per character of the UTF-8 text; anything beyond ASCII is neither digit nor blank.
std::string characters(const std::string& text)
{
    std::string out;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            out += static_cast<unsigned char>(c) < 0x80 ? c : '\x01';
    return out;
}

// A pair of the field's characters as a byte: blanks skipped, then its leading hex digits (the
// number reading of "&H" and the pair); a paste may bring anything.
std::uint8_t pairValue(std::string_view pair)
{
    return static_cast<std::uint8_t>(common::leadingNumber("&H" + std::string(pair)));
}

}  // namespace

struct TestModePage::FrameLayout {
    const char* frame;
    const char* caption;
    int left;
    const char* bits;
    std::array<const char*, 16> bitNames;  // bit 0 first
    const char* label;
    const char* field;
    int fieldLeft;
    const char* read;
    const char* write;
    const char* trim = nullptr;
    std::array<const char*, 2> trimCaptions{};
    int trim0Width = 1215;
};

TestModePage::TestModePage(common::WindowRegistry& program, forms::Form& form, forms::Control& picTestMode)
    : program_(program), form_(form)
{
    build(testMode0_, 0, picTestMode, {"Frame13", "0x00 Test Mode 0", 120, "chkTestMode0",
        {"TM_EN 0", "TM_EN 1", "TM_EEBURN", "TM_SOFTRIM", "TM_EEVtRead", "TM_REFRESH", "TM_HiZ", "TM_TSHUT",
         "TM_VDAC", "TM_CDAC", "TM_REGSEL", "TM_BG", "TEST_CBCOCP", "TM_QUIET", "TM_DEADTIME", "TMSoftRst"},
        "Label47", "txtTestMode0", 1110, "cmdReadTestMode0", "cmdWriteTestMode0"});
    build(testMode1_, 1, picTestMode, {"Frame14", "0x01 Test Mode 1", 2160, "chkTestMode1",
        {"TM_DIGTP", "TM_TPSET0", "TM_TPSET1", "TM_TPSET2", "TM_TPSET3", "TM_TPSET4", "TM_TPSET5", "TM_SBS",
         "TM_Clk0", "TM_Clk1", "TM_Clk2", "TMSoftStart", "TMCounter", "TM_EXTCLK", "FORCE_LOFET", "FORCE_HIFET"},
        "Label48", "txtTestMode1", 1080, "cmdReadTestMode1", "cmdWriteTestMode1"});
    build(testMode2_, 2, picTestMode, {"Frame15", "0x02 Test Mode 2", 4200, "chkTestMode2",
        {"SPARE (B0)", "SPARE (B1)", "SPARE (B2)", "SPARE (B3)", "SPARE (B4)", "SPARE (B5)", "SPARE (B6)",
         "SPARE (B7)", "SPARE (B8)", "SPARE (B9)", "SPARE (B10)", "SPARE (B11)", "SPARE (B12)", "SPARE (B13)",
         "SPARE (B14)", "SPARE (B15)"},
        "Label49", "txtTestMode2", 1110, "cmdReadTestMode2", "cmdWriteTestMode2"});
    build(trim0_, 3, picTestMode, {"Frame16", "0x08 or 0x0B Trim 0", 6240, "chkTrim0",
        {"Trim_BATSHORT0", "Trim_BATSHORT1", "Trim_BATSHORT2", "Trim_BATSHORT3", "Trim_BG0", "Trim_BG1",
         "Trim_BG2", "Trim_BG3", "Trim_OS_IAC 0", "Trim_OS_IAC 1", "Trim_OS_IAC 2", "Trim_OS_IAC 3",
         "Trim_GN_IAC 0", "Trim_GN_IAC 1", "Trim_GN_IAC 2", "Trim_GN_IAC 3"},
        "Label50", "txtTrim0", 1110, "cmdReadTrim0", "cmdWriteTrim0", "optTrim0", {"0x08", "0x0B (Read Only)"}, 975});
    build(trim1_, 4, picTestMode, {"Frame17", "0x09 or 0x0C Trim 1", 8280, "chkTrim1",
        {"Trim_OS_ICHG0", "Trim_OS_ICHG1", "Trim_OS_ICHG2", "Trim_OS_ICHG3", "Trim_GN_ICHG0", "Trim_GN_ICHG1",
         "Trim_GN_ICHG2", "Trim_GN_ICHG3", "Trim_RDIV0", "Trim_RDIV1", "Trim_RDIV2", "Trim_ICONST0",
         "Trim_ICONST1", "Trim_ICONST2", "Trim_OSC1", "Trim_OSC2"},
        "Label51", "txtTrim1", 1110, "cmdReadTrim1", "cmdWriteTrim1", "optTrim1", {"0x09", "0x0C (Read Only)"}});
    build(trim2_, 5, picTestMode, {"Frame18", "0x0A or 0x0D Trim 2", 10320, "chkTrim2",
        {"DISABLE_SMB", "EN_UCP", "EN_OCP", "EN_TSHUT", "TRIM_OCP0", "EN_IBAT", "FSELECT", "ICHGLIMIT",
         "TRIM_OCP1", "Trim_OSC0", "TRIM_OCP2", "EN_Watchdog", "TRIM_UCP0", "TRIM_UCP1", "TRIM_UCP2", "TRIM_UCP3"},
        "Label52", "txtTrim2", 1110, "cmdReadTrim2", "cmdWriteTrim2", "optTrim2", {"0x0A", "0x0D (Read Only)"}});

    for (int i = 0; i < 16; ++i) {
        const auto at = static_cast<std::size_t>(i);
        testMode0_.bits[at]->onClick = [this, i] { chkTestMode0_Click(i); };
        testMode1_.bits[at]->onClick = [this, i] { chkTestMode1_Click(i); };
        testMode2_.bits[at]->onClick = [this, i] { chkTestMode2_Click(i); };
        trim0_.bits[at]->onClick = [this, i] { chkTrim0_Click(i); };
        trim1_.bits[at]->onClick = [this, i] { chkTrim1_Click(i); };
        trim2_.bits[at]->onClick = [this, i] { chkTrim2_Click(i); };
    }
    testMode0_.field->onKeyPress = [this](int& k) { txtTestMode0_KeyPress(k); };
    testMode1_.field->onKeyPress = [this](int& k) { txtTestMode1_KeyPress(k); };
    testMode2_.field->onKeyPress = [this](int& k) { txtTestMode2_KeyPress(k); };
    trim0_.field->onKeyPress = [this](int& k) { txtTrim0_KeyPress(k); };
    trim1_.field->onKeyPress = [this](int& k) { txtTrim1_KeyPress(k); };
    trim2_.field->onKeyPress = [this](int& k) { txtTrim2_KeyPress(k); };
    testMode0_.field->onLostFocus = [this] { txtTestMode0_LostFocus(); };
    testMode1_.field->onLostFocus = [this] { txtTestMode1_LostFocus(); };
    testMode2_.field->onLostFocus = [this] { txtTestMode2_LostFocus(); };
    trim0_.field->onLostFocus = [this] { txtTrim0_LostFocus(); };
    trim1_.field->onLostFocus = [this] { txtTrim1_LostFocus(); };
    trim2_.field->onLostFocus = [this] { txtTrim2_LostFocus(); };
    testMode0_.read->onClick = [this] { cmdReadTestMode0_Click(); };
    testMode1_.read->onClick = [this] { cmdReadTestMode1_Click(); };
    testMode2_.read->onClick = [this] { cmdReadTestMode2_Click(); };
    trim0_.read->onClick = [this] { cmdReadTrim0_Click(); };
    trim1_.read->onClick = [this] { cmdReadTrim1_Click(); };
    trim2_.read->onClick = [this] { cmdReadTrim2_Click(); };
    testMode0_.write->onClick = [this] { cmdWriteTestMode0_Click(); };
    testMode1_.write->onClick = [this] { cmdWriteTestMode1_Click(); };
    testMode2_.write->onClick = [this] { cmdWriteTestMode2_Click(); };
    trim0_.write->onClick = [this] { cmdWriteTrim0_Click(); };
    trim1_.write->onClick = [this] { cmdWriteTrim1_Click(); };
    trim2_.write->onClick = [this] { cmdWriteTrim2_Click(); };
    for (int e = 0; e < 2; ++e) {
        const auto at = static_cast<std::size_t>(e);
        trim0_.trim[at]->onClick = [this, e] { optTrim0_Click(e); };
        trim1_.trim[at]->onClick = [this, e] { optTrim1_Click(e); };
        trim2_.trim[at]->onClick = [this, e] { optTrim2_Click(e); };
    }
}

void TestModePage::build(Word& word, int order, forms::Control& picTestMode, const FrameLayout& l)
{
    const bool isTrim = l.trim != nullptr;
    auto& frame = form_.add<forms::Frame>(l.frame, &picTestMode);
    frame.move(l.left, FrameTop, FrameWidth, isTrim ? 7620 : 6900);
    frame.setCaption(l.caption);

    for (int b = 0; b < 16; ++b) {
        auto& bit = form_.add<forms::CheckBox>(l.bits, &frame, b);
        bit.move(120, 360 + 360 * (15 - b), 1700, 255);
        bit.setCaption(l.bitNames[static_cast<std::size_t>(b)]);
        bit.setTabIndex(BoxesTab + 16 * order + b);
        if (order == 0)
            bit.setFont(TestMode0BitFont);
        word.bits[static_cast<std::size_t>(b)] = &bit;
    }

    auto& read = form_.add<forms::CommandButton>(l.read, &frame);
    read.move(120, 6120, 735, 255);
    read.setCaption("Read");
    read.setTabIndex(ButtonsTab + 2 * order);
    word.read = &read;

    auto& write = form_.add<forms::CommandButton>(l.write, &frame);
    write.move(120, 6480, 735, 255);
    write.setCaption("Write");
    write.setTabIndex(ButtonsTab + 2 * order + 1);
    word.write = &write;

    auto& prefix = form_.add<forms::Label>(l.label, &frame);
    prefix.move(900, 6555, 165, 255);
    prefix.setCaption("0x");

    auto& field = form_.add<forms::TextBox>(l.field, &frame);
    field.move(l.fieldLeft, 6480, 735, 285);
    field.setMaxLength(4);
    field.setTabIndex(FieldsTab + order);
    word.field = &field;

    if (!isTrim)
        return;
    for (int e = 0; e < 2; ++e) {
        auto& option = form_.add<forms::OptionButton>(l.trim, &frame, e);
        option.move(240, e == 0 ? 6840 : 7200, e == 0 ? l.trim0Width : 1575, 255);
        option.setCaption(l.trimCaptions[static_cast<std::size_t>(e)]);
        option.setTabIndex(OptionsTab + 2 * (order - FirstTrim) + e);
        word.trim[static_cast<std::size_t>(e)] = &option;
    }
    word.trim[0]->setValue(true);
}

void TestModePage::showWord(Word& word, std::uint8_t ms, std::uint8_t ls)
{
    for (int i = 0; i < 8; ++i) {
        word.bits[static_cast<std::size_t>(i + 8)]->setValue(ms >> i & 1);
        word.bits[static_cast<std::size_t>(i)]->setValue(ls >> i & 1);
    }
}

// The field follows the boxes. The pump first lets queued clicks land, so the last rule to run
// sees every box.
void TestModePage::clickBit(Word& word)
{
    program_.platform().doEvents();
    const std::uint16_t sum = packBits(word.bits);
    word.field->setText(wordText(static_cast<std::uint8_t>(sum >> 8), static_cast<std::uint8_t>(sum & 0xFF)));
}

void TestModePage::keyPress(Word& word, int& keyAscii)
{
    if (keyAscii != KeyEnter) {
        keyAscii = common::filterKey(keyAscii, common::FilterHexKey);
        return;
    }
    // Enter only moves on, to the button that would use the field; moving runs the lost-focus rule.
    if (word.field->text().empty())
        word.read->setFocus();
    else if (!word.write->setFocus())
        lostFocus(word);  // the read-only copy is chosen: stay, but bring the boxes in step
}

void TestModePage::lostFocus(Word& word)
{
    const std::string text = characters(word.field->text());
    if (text.empty()) {
        for (auto* bit : word.bits)  // bit 0 first
            bit->setValue(0);
    } else {
        const std::string padded = std::string(text.size() < 4 ? 4 - text.size() : 0, '0') + text;
        const std::string_view pairs(padded);
        showWord(word, pairValue(pairs.substr(0, 2)), pairValue(pairs.substr(2, 2)));
    }
    // The field ends showing what Write would send, also when no box changed. Taken from the boxes,
    // not the text: input handled while a box's click rule pumped events may have changed some.
    const std::uint16_t sum = packBits(word.bits);
    const auto shown = wordText(static_cast<std::uint8_t>(sum >> 8), static_cast<std::uint8_t>(sum & 0xFF));
    word.field->setText(text.empty() && sum == 0 ? "" : shown);
}

void TestModePage::readWord(Word& word)
{
    std::uint8_t ms = 0;
    std::uint8_t ls = 0;
    const bool copy = word.trim[0] != nullptr && !word.trim[0]->value();
    if (adapter::ReadWordReg(program_, copy ? word.copyCommand : word.command, ms, ls) != 0) {
        // A failed read must not pass for the chip's answer, nor wipe a word being composed.
        program_.platform().msgBox("Read ERROR");
        return;
    }
    word.field->setText(wordText(ms, ls));
    showWord(word, ms, ls);
}

void TestModePage::writeWord(Word& word)
{
    const std::uint16_t sum = packBits(word.bits);
    if (adapter::WriteWordReg(program_, word.command, static_cast<std::uint8_t>(sum >> 8),
                              static_cast<std::uint8_t>(sum & 0xFF)) != 0)
        program_.platform().msgBox("Write ERROR");
}

// The read-only copy cannot be written: Write follows element 0, whichever element was clicked.
void TestModePage::chooseTrim(Word& word) { word.write->setEnabled(word.trim[0]->value()); }

void TestModePage::chkTestMode0_Click(int /*Index*/) { clickBit(testMode0_); }
void TestModePage::chkTestMode1_Click(int /*Index*/) { clickBit(testMode1_); }
void TestModePage::chkTestMode2_Click(int /*Index*/) { clickBit(testMode2_); }
void TestModePage::chkTrim0_Click(int /*Index*/) { clickBit(trim0_); }
void TestModePage::chkTrim1_Click(int /*Index*/) { clickBit(trim1_); }
void TestModePage::chkTrim2_Click(int /*Index*/) { clickBit(trim2_); }

void TestModePage::txtTestMode0_KeyPress(int& KeyAscii) { keyPress(testMode0_, KeyAscii); }
void TestModePage::txtTestMode1_KeyPress(int& KeyAscii) { keyPress(testMode1_, KeyAscii); }
void TestModePage::txtTestMode2_KeyPress(int& KeyAscii) { keyPress(testMode2_, KeyAscii); }
void TestModePage::txtTrim0_KeyPress(int& KeyAscii) { keyPress(trim0_, KeyAscii); }
void TestModePage::txtTrim1_KeyPress(int& KeyAscii) { keyPress(trim1_, KeyAscii); }
void TestModePage::txtTrim2_KeyPress(int& KeyAscii) { keyPress(trim2_, KeyAscii); }

void TestModePage::txtTestMode0_LostFocus() { lostFocus(testMode0_); }
void TestModePage::txtTestMode1_LostFocus() { lostFocus(testMode1_); }
void TestModePage::txtTestMode2_LostFocus() { lostFocus(testMode2_); }
void TestModePage::txtTrim0_LostFocus() { lostFocus(trim0_); }
void TestModePage::txtTrim1_LostFocus() { lostFocus(trim1_); }
void TestModePage::txtTrim2_LostFocus() { lostFocus(trim2_); }

void TestModePage::cmdReadTestMode0_Click() { readWord(testMode0_); }
void TestModePage::cmdReadTestMode1_Click() { readWord(testMode1_); }
void TestModePage::cmdReadTestMode2_Click() { readWord(testMode2_); }
void TestModePage::cmdReadTrim0_Click() { readWord(trim0_); }
void TestModePage::cmdReadTrim1_Click() { readWord(trim1_); }
void TestModePage::cmdReadTrim2_Click() { readWord(trim2_); }

void TestModePage::cmdWriteTestMode0_Click() { writeWord(testMode0_); }
void TestModePage::cmdWriteTestMode1_Click() { writeWord(testMode1_); }
void TestModePage::cmdWriteTestMode2_Click() { writeWord(testMode2_); }
void TestModePage::cmdWriteTrim0_Click() { writeWord(trim0_); }
void TestModePage::cmdWriteTrim1_Click() { writeWord(trim1_); }
void TestModePage::cmdWriteTrim2_Click() { writeWord(trim2_); }

void TestModePage::optTrim0_Click(int /*Index*/) { chooseTrim(trim0_); }
void TestModePage::optTrim1_Click(int /*Index*/) { chooseTrim(trim1_); }
void TestModePage::optTrim2_Click(int /*Index*/) { chooseTrim(trim2_); }

}  // namespace main_window
