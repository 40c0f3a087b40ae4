#include "protector/control_page.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include "adapter/bus.h"
#include "common/window_registry.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/form.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/timer.h"
#include "protector/field_update.h"
#include "protector/page_panels.h"
#include "protector/register_map.h"

namespace protector {

namespace forms = platform::forms;

namespace {

const forms::Font FrameFont{"MS Sans Serif", 8.25, true};
constexpr int BoxHeight = 300;
constexpr int ComboHeight = 315;

constexpr int OutputBits[] = {0, 1, 2, 3, 7};  // OUTPUT_CNTRL has no boxes for bits 4-6
constexpr std::uint8_t LtclrBit = 0x01;
constexpr int CellEntries = 10;

// The controls that Self mode disables, in the order they change.
const std::pair<const char*, std::vector<int>> ModeControls[] = {
    {"chkOutputControl", {0, 1, 2, 3, 7}},
    {"cmdToggleLtclr", {-1}},
    {"chkShdn", {-1}}, {"cboVgain", {-1}}, {"cboIgain", {-1}},
    {"chkFunctionControl", {0, 1, 2, 3, 4, 5, 6, 7}},
    {"chkCellBal", {0, 1, 2, 3, 4, 5, 6, 7}},
    {"cboCell", {-1}}, {"cboCal", {-1}},
};

// Keyboard order of the page.
const std::pair<const char*, std::vector<int>> TabOrder[] = {
    {"chkOutputControl", {0, 1, 2, 3, 7}},
    {"chkShdn", {-1}}, {"cboHost", {-1}}, {"cboVgain", {-1}}, {"cboIgain", {-1}},
    {"chkFunctionControl", {0, 1, 2, 3, 4, 5}},
    {"chkCellBal", {0, 1, 2, 3, 4, 5, 6, 7}},
    {"chkFunctionControl", {6, 7}},
    {"cboCell", {-1}}, {"cboCal", {-1}},
    {"cmdToggleLtclr", {-1}},
};

bool bitSet(std::uint8_t d, int bit) { return (d >> bit) & 1; }

// The box of `bit` in a box array; a bit without a box is a design fault.
forms::CheckBox& boxAt(const std::array<forms::CheckBox*, 8>& boxes, int bit)
{
    forms::CheckBox* box = boxes.at(static_cast<std::size_t>(bit));
    if (!box)
        throw std::logic_error("no box for bit " + std::to_string(bit));
    return *box;
}

}  // namespace

ControlPage::ControlPage(common::WindowRegistry& program, forms::Form& form, forms::Control& picControl)
    : program_(program), form_(form), tmrStatus_(form.get<forms::Timer>("tmrStatus")), hold_(program)
{
    build(picControl);
    resolveControls();
    bindHandlers();
}

void ControlPage::build(forms::Control& picControl)
{
    auto frame = [&](const char* name, const char* caption, int left, int top, int width, int height) -> forms::Control& {
        auto& f = form_.add<forms::Frame>(name, &picControl);
        f.move(left, top, width, height);
        f.setCaption(caption);
        f.setBackColor(PagePanelColor);
        f.setFont(FrameFont);
        return f;
    };
    auto box = [&](forms::Control& in, const char* name, int index, int left, int top, int width, const char* caption) {
        auto& b = form_.add<forms::CheckBox>(name, &in, index);
        b.move(left, top, width, BoxHeight);
        b.setCaption(caption);
        b.setBackColor(PagePanelColor);
    };
    auto label = [&](forms::Control& in, int left, int top, int width, int height, const char* caption) {
        auto& l = form_.add<forms::Label>(std::string(in.name()) + "Label" + std::to_string(top), &in);
        l.move(left, top, width, height);
        l.setCaption(caption);
        l.setBackColor(PagePanelColor);
        l.setWordWrap(true);
    };
    auto combo = [&](forms::Control& in, const char* name, int left, int top, int width,
                     std::initializer_list<const char*> entries) {
        auto& c = form_.add<forms::ComboBox>(name, &in);
        c.move(left, top, width, ComboHeight);
        for (const char* entry : entries)
            c.addItem(entry);
    };

    auto& frame7 = frame("Frame7", "OUTPUT CONTROL      Addr 0x01", 600, 120, 3855, 2775);
    box(frame7, "chkOutputControl", 0, 120, 360, 2295, "(LTCLR) Latch Clear");
    auto& toggle = form_.add<forms::CommandButton>("cmdToggleLtclr", &frame7);
    toggle.move(2520, 315, 1215, 375);
    toggle.setCaption("Toggle LTCLR");
    box(frame7, "chkOutputControl", 1, 120, 840, 3615, "(DSG) External Discharge FET Control");
    box(frame7, "chkOutputControl", 2, 120, 1320, 3615, "(CHG) External Charge FET Control");
    box(frame7, "chkOutputControl", 3, 120, 1800, 3615, "(GPOD) GPOD Output Enable");
    box(frame7, "chkOutputControl", 7, 120, 2280, 3615, "(FS) Under Voltage Detection Sampling Time");

    auto& frame8 = frame("Frame8", "STATE CONTROL       Addr 0x02", 600, 3000, 3855, 2655);
    box(frame8, "chkShdn", -1, 120, 360, 3615, "(SHDN) Shutdown Mode Enable");
    label(frame8, 120, 900, 2055, 255, "Control Mode");
    combo(frame8, "cboHost", 2280, 840, 1455, {"Self", "Host"});
    label(frame8, 120, 1380, 2055, 255, "Cell Amplifier Scale");
    combo(frame8, "cboVgain", 2280, 1320, 1455, {"0.15", "0.20"});
    // Narrow enough to wrap onto two lines in any font.
    label(frame8, 120, 1860, 1455, 495, "Current Monitor Amplifier Gain");
    combo(frame8, "cboIgain", 2280, 1920, 1455, {"10", "50"});

    auto& frame9 = frame("Frame9", "FUNCTION CONTROL       Addr 0x03", 4680, 120, 4335, 2775);
    const char* functions[] = {"Cell Voltage Amplifier Enable", "Current Monitor Amplifier Enable",
                               "Offset Voltage Output Enable", "Pack Total Voltage Output Enable",
                               "Battery Total Voltage Output Enable", "Thermistor Power (Host Mode) Enable"};
    for (int i = 0; i < 6; ++i)
        box(frame9, "chkFunctionControl", i, 120, 360 + 390 * i, 4095, functions[i]);

    auto& frame10 = frame("Frame10", "CELL BALANCE               Addr 0x04", 4680, 3000, 4335, 2655);
    label(frame10, 120, 300, 4095, 255, "Enable Balance Charge Bypass of:");
    box(frame10, "chkFunctionControl", 7, 120, 600, 2535, "Cell 10 (bit 7 of Addr0x03)");
    box(frame10, "chkFunctionControl", 6, 120, 990, 2535, "Cell 9 (bit 6 of Addr 0x03)");
    const char* cells[] = {"Cell 1", "Cell 2", "Cell 3", "Cell 4", "Cell 5", "Cell 6", "Cell 7", "Cell 8"};
    for (int i = 7; i >= 5; --i)
        box(frame10, "chkCellBal", i, 120, 1380 + 390 * (7 - i), 2535, cells[i]);
    for (int i = 4; i >= 0; --i)
        box(frame10, "chkCellBal", i, 2760, 600 + 390 * (4 - i), 1455, cells[i]);

    auto& frame11 = frame("Frame11", "CELL SEL         Addr0x05", 1200, 5880, 8415, 1575);
    label(frame11, 120, 420, 3735, 255, "Voltage Measurement between pins:");
    combo(frame11, "cboCell", 3960, 360, 1935,
          {"VC11-VC10, Cell10", "VC10-VC9, Cell9", "VC9-VC8, Cell8", "VC8-VC7, Cell7", "VC7-VC6, Cell6",
           "VC6-VC5, Cell5", "VC5-VC4, Cell4", "VC4-VC3, Cell3", "VC3-VC2, Cell2", "VC2-VC1, Cell1"});
    label(frame11, 120, 900, 3735, 255, "Amplifier Output of Voltage Measurement for:");
    combo(frame11, "cboCal", 3960, 840, 3015,
          {"Cell translation for selected cell", "Offset of differential amp", "Scaled VREF value",
           "Direct VREF", "Scaled 2.5V value to measured 2.5V", "VC10=VREF, VC11=0V", "VC10=2.5V, VC11=0V",
           "VC9=2.5V, VC10=1.2V"});

    int tabIndex = 0;
    for (const auto& [name, indices] : TabOrder)
        for (int index : indices)
            form_.get<forms::Control>(name, index).setTabIndex(tabIndex++);
}

void ControlPage::resolveControls()
{
    for (int i : OutputBits)
        chkOutputControl_[static_cast<std::size_t>(i)] = &form_.get<forms::CheckBox>("chkOutputControl", i);
    for (int i = 0; i < 8; ++i) {
        chkFunctionControl_[static_cast<std::size_t>(i)] = &form_.get<forms::CheckBox>("chkFunctionControl", i);
        chkCellBal_[static_cast<std::size_t>(i)] = &form_.get<forms::CheckBox>("chkCellBal", i);
    }
    chkShdn_ = &form_.get<forms::CheckBox>("chkShdn");
    cboHost_ = &form_.get<forms::ComboBox>("cboHost");
    cboVgain_ = &form_.get<forms::ComboBox>("cboVgain");
    cboIgain_ = &form_.get<forms::ComboBox>("cboIgain");
    cboCell_ = &form_.get<forms::ComboBox>("cboCell");
    cboCal_ = &form_.get<forms::ComboBox>("cboCal");
    for (const auto& [name, indices] : ModeControls)
        for (int index : indices)
            modeControls_.push_back(&form_.get<forms::Control>(name, index));
}

void ControlPage::bindHandlers()
{
    for (int i : OutputBits)
        boxAt(chkOutputControl_, i).onClick = [this, i] { chkOutputControl_Click(i); };
    for (int i = 0; i < 8; ++i) {
        boxAt(chkFunctionControl_, i).onClick = [this, i] { chkFunctionControl_Click(i); };
        boxAt(chkCellBal_, i).onClick = [this, i] { chkCellBal_Click(i); };
    }
    chkShdn_->onClick = [this] { chkShdn_Click(); };
    cboHost_->onClick = [this] { cboHost_Click(); };
    cboVgain_->onClick = [this] { cboVgain_Click(); };
    cboIgain_->onClick = [this] { cboIgain_Click(); };
    cboCell_->onClick = [this] { cboCell_Click(); };
    cboCal_->onClick = [this] { cboCal_Click(); };
    form_.get<forms::CommandButton>("cmdToggleLtclr").onClick = [this] { cmdToggleLtclr_Click(); };
}

void ControlPage::chkOutputControl_Click(int Index)
{
    changeBit(boxAt(chkOutputControl_, Index), reg::OUTPUT_CNTRL, Index);
}

void ControlPage::chkFunctionControl_Click(int Index)
{
    changeBit(boxAt(chkFunctionControl_, Index), reg::FNCTN_CNTRL, Index);
}

void ControlPage::chkCellBal_Click(int Index)
{
    changeBit(boxAt(chkCellBal_, Index), reg::CELL_BALANCE, Index);
}

void ControlPage::chkShdn_Click() { changeBit(*chkShdn_, reg::STATE_CNTRL, 0); }

void ControlPage::cboHost_Click()
{
    changeEntry(*cboHost_, reg::STATE_CNTRL, 0x02, 1);
    SetControlMode();
}

void ControlPage::cboVgain_Click() { changeEntry(*cboVgain_, reg::STATE_CNTRL, 0x40, 6); }
void ControlPage::cboIgain_Click() { changeEntry(*cboIgain_, reg::STATE_CNTRL, 0x80, 7); }
void ControlPage::cboCell_Click() { changeEntry(*cboCell_, reg::CELL_SEL, 0x0F, 0); }
// Bit 7 of CELL_SEL is written 0 with the CAL field.
void ControlPage::cboCal_Click() { changeEntry(*cboCal_, reg::CELL_SEL, 0xF0, 4); }

void ControlPage::cmdToggleLtclr_Click()
{
    // No lamp tick may read STATUS in the middle of the pulse.
    tmrStatus_.setEnabled(false);
    std::uint8_t d = 0;
    // A pulse built from a failed read could switch off the FETs: none is written then.
    if (adapter::ReadByteReg(program_, reg::OUTPUT_CNTRL, d) == 0) {
        const auto low = static_cast<std::uint8_t>(d & ~LtclrBit);
        adapter::WriteByteReg(program_, reg::OUTPUT_CNTRL, low);
        adapter::WriteByteReg(program_, reg::OUTPUT_CNTRL, static_cast<std::uint8_t>(d | LtclrBit));
        adapter::WriteByteReg(program_, reg::OUTPUT_CNTRL, low);
    }
    // This press is what starts the lamps.
    tmrStatus_.setEnabled(true);
}

void ControlPage::changeBit(const forms::CheckBox& box, std::uint8_t reg, int bit)
{
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    hold_.update(reg, mask, box.value() == 1 ? mask : 0);
}

void ControlPage::changeEntry(const forms::ComboBox& combo, std::uint8_t reg, std::uint8_t mask, int shift)
{
    if (const int n = combo.listIndex(); n >= 0)
        hold_.update(reg, mask, static_cast<std::uint8_t>(n << shift));
}

void ControlPage::showBits(const Boxes& boxes, std::uint8_t d)
{
    for (int i = 0; i < 8; ++i) {
        if (forms::CheckBox* box = boxes[static_cast<std::size_t>(i)])
            box->setValue(bitSet(d, i) ? 1 : 0);
    }
}

void ControlPage::showEntry(forms::ComboBox& combo, int entry) { combo.setText(combo.list(entry)); }

void ControlPage::InitializeControlPage()
{
    // One byte takes each read in turn, so a failed read shows what it left.
    std::uint8_t d = 0;
    hold_.read(reg::OUTPUT_CNTRL, d);
    showBits(chkOutputControl_, d);

    hold_.read(reg::STATE_CNTRL, d);
    chkShdn_->setValue(bitSet(d, 0) ? 1 : 0);
    showEntry(*cboHost_, bitSet(d, 1));
    showEntry(*cboVgain_, bitSet(d, 6));
    showEntry(*cboIgain_, bitSet(d, 7));

    hold_.read(reg::FNCTN_CNTRL, d);
    showBits(chkFunctionControl_, d);

    hold_.read(reg::CELL_BALANCE, d);
    showBits(chkCellBal_, d);

    hold_.read(reg::CELL_SEL, d);
    const int cell = d & 0x0F;
    showEntry(*cboCell_, cell < CellEntries ? cell : 0);
    showEntry(*cboCal_, (d & 0x70) >> 4);
    hold_.release();

    SetControlMode();
}

void ControlPage::SetControlMode()
{
    const bool host = cboHost_->text() != "Self";
    for (forms::Control* control : modeControls_)
        control->setEnabled(host);
}

}  // namespace protector
