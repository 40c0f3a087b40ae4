#include "protector/registers_page.h"

#include <tuple>

#include "adapter/bus.h"
#include "common/helpers.h"
#include "common/window_registry.h"
#include "platform/forms/check_box.h"
#include "platform/forms/form.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"
#include "protector/page_panels.h"

namespace protector {

namespace forms = platform::forms;

namespace {

constexpr forms::Color SetBitColor = 0x00C0FFC0;
constexpr forms::Color ClearBitColor = 0x00C0C0FF;
constexpr forms::Color StartBitColor = forms::colors::WindowBackground;
constexpr forms::Color ScanHighlight = 0x0000FFFF;
const forms::Font HeadingFont{"MS Sans Serif", 8.25, true};
const forms::Font BitFont{"Arial Narrow", 8.25};

constexpr int RowTop(int r) { return 360 + 600 * r; }
constexpr int BitLeft[8] = {7360, 6600, 5840, 5080, 4320, 3560, 2800, 2040};  // bit 0 rightmost

struct RowNames {
    const char* address;
    const char* name;
    const char* bits;
};
constexpr RowNames Rows[LabelledRegisterCount] = {
    {"Label8", "Label73", "StatusBit"},      {"Label9", "Label74", "lblOutputCntrlBit"},
    {"Label10", "Label75", "lblStateCntrlBit"}, {"Label11", "Label76", "FunctionCntrlBit"},
    {"Label12", "Label77", "CellBalBit"},    {"Label13", "Label78", "lblCellSelBit"},
    {"Label14", "Label79", "OvCfgBit"},      {"Label15", "Label80", "UvLvlBit"},
    {"Label16", "Label81", "OcvUvDlyBit"},   {"Label17", "Label82", "OcDlyBit"},
    {"Label84", "Label83", "ScdCfgBit"},
};

// Only these rows' cells can be edited and written.
constexpr bool editable(int r) { return r >= 1 && r <= 5; }

forms::Label& label(forms::Form& form, forms::Control& on, const std::string& name, int index,
                    const std::string& caption, int left, int top, int width, int height)
{
    auto& l = form.add<forms::Label>(name, &on, index);
    l.move(left, top, width, height);
    l.setCaption(caption);
    l.setBackColor(PagePanelColor);
    return l;
}

}  // namespace

RegistersPage::RegistersPage(common::WindowRegistry& program, forms::Form& form, forms::Control& picRegisters)
    : program_(program), form_(form), picRegisters_(picRegisters), tmrRegisterScan_(form.get<forms::Timer>("tmrRegisterScan"))
{
    buildHeadings();
    for (int r = 0; r < LabelledRegisterCount; ++r)
        buildRow(r);
    buildBottomRow();

    form_.get<forms::CommandButton>("cmdReadAll").onClick = [this] { cmdReadAll_Click(); };
    form_.get<forms::CheckBox>("chkScan").onClick = [this] { chkScan_Click(); };
    tmrRegisterScan_.onTimer = [this] { tmrRegisterScan_Timer(); };
}

void RegistersPage::buildHeadings()
{
    const std::tuple<const char*, const char*, int> headings[] = {
        {"Label96", "Addr", 0},   {"Label97", "Name", 480}, {"Label99", "B7", 2160}, {"Label100", "B6", 2880},
        {"Label101", "B5", 3600}, {"Label102", "B4", 4440}, {"Label103", "B3", 5160}, {"Label104", "B2", 5880},
        {"Label105", "B1", 6720}, {"Label106", "B0", 7440}, {"Label98", "Hex", 8400},
    };
    for (const auto& [name, caption, left] : headings)
        label(form_, picRegisters_, name, -1, caption, left, 120, 495, 255).setFont(HeadingFont);
}

void RegistersPage::buildRow(int r)
{
    const auto at = static_cast<std::size_t>(r);
    const RegisterInfo& info = RegisterMap[at];
    const int top = RowTop(r);
    label(form_, picRegisters_, Rows[r].address, -1, "0x" + common::Hex2(info.address), 40, top, 480, 255);
    label(form_, picRegisters_, Rows[r].name, -1, info.name, 600, top, 1455, 255);

    for (int i = 0; i < 8; ++i) {
        auto& bit = label(form_, picRegisters_, Rows[r].bits, i, info.bits[static_cast<std::size_t>(i)], BitLeft[i], top, 780, 285);
        bit.setFont(BitFont);
        bit.setAlignment(forms::Alignment::Center);
        bit.setBorderStyle(forms::BorderStyle::FixedSingle);
        bit.setBackColor(StartBitColor);
        rows_[at].bits[static_cast<std::size_t>(i)] = &bit;
    }

    auto& cell = form_.add<forms::TextBox>("txtData", &picRegisters_, r);
    cell.move(8520, top, 375, 285);
    cell.setMaxLength(2);
    // The read-only cells hand the focus to the panel at once; in the Tab order they would catch
    // the keyboard between the panel and themselves.
    cell.setTabStop(editable(r));
    const auto index = static_cast<std::int16_t>(r);
    cell.onGotFocus = [this, index] { txtData_GotFocus(index); };
    cell.onLostFocus = [this, index] { txtData_LostFocus(index); };
    rows_[at].cell = &cell;

    if (!editable(r))
        return;
    const bool fnctn = r == reg::FNCTN_CNTRL;
    auto& write = form_.add<forms::CommandButton>(fnctn ? "Command18" : "cmdWrite", &picRegisters_, r);
    write.move(9000, top, 615, 255);
    write.setCaption("Write");
    if (fnctn)
        write.onClick = [this, index] { Command18_Click(index); };
    else
        write.onClick = [this, index] { cmdWrite_Click(index); };
}

void RegistersPage::buildBottomRow()
{
    auto& readAll = form_.add<forms::CommandButton>("cmdReadAll", &picRegisters_);
    readAll.move(480, 6840, 975, 375);
    readAll.setCaption("Read All");

    auto& legend = form_.add<forms::Frame>("Frame1", &picRegisters_);
    legend.move(2040, 6720, 2415, 735);
    legend.setCaption("Bit Color Legend");
    legend.setBackColor(PagePanelColor);
    for (const auto& [i, caption, left, colour] :
         {std::tuple{0, "1", 480, SetBitColor}, std::tuple{1, "0", 1440, ClearBitColor}}) {
        auto& key = label(form_, legend, "Label7", i, caption, left, 360, 615, 255);
        key.setBackColor(colour);
        key.setAlignment(forms::Alignment::Center);
    }

    auto& scan = form_.add<forms::CheckBox>("chkScan", &picRegisters_);
    scan.move(8520, 6840, 975, 375);
    scan.setCaption("Scan");
    scan.setBackColor(PagePanelColor);
}

void RegistersPage::colourBits(int r, std::uint8_t value)
{
    for (int i = 0; i < 8; ++i)
        rows_[static_cast<std::size_t>(r)].bits[static_cast<std::size_t>(i)]->setBackColor(
            (value >> i & 1) != 0 ? SetBitColor : ClearBitColor);
}

void RegistersPage::showRegister(int r, std::uint8_t value)
{
    rows_[static_cast<std::size_t>(r)].cell->setText(common::Hex2(value));
    colourBits(r, value);
}

void RegistersPage::blankRegister(int r)
{
    rows_[static_cast<std::size_t>(r)].cell->setText("");
    for (forms::Label* bit : rows_[static_cast<std::size_t>(r)].bits)
        bit->setBackColor(StartBitColor);
}

void RegistersPage::ReadAllRegisters()
{
    forms::Platform& platform = program_.platform();
    platform.doEvents();
    const int savedPointer = platform.mousePointer();
    platform.setMousePointer(forms::pointer::Hourglass);

    std::uint8_t value = 0;
    for (int r = 0; r < LabelledRegisterCount; ++r) {
        if (adapter::ReadByteReg(program_, static_cast<std::uint8_t>(r), value) == 0)
            showRegister(r, value);
        else
            blankRegister(r);
    }
    for (const Row& row : rows_)
        row.cell->setBackColor(forms::colors::White);

    platform.setMousePointer(savedPointer);
}

void RegistersPage::cmdReadAll_Click() { ReadAllRegisters(); }

void RegistersPage::cmdWrite_Click(std::int16_t Index)
{
    forms::TextBox& cell = *rows_[static_cast<std::size_t>(Index)].cell;
    const std::int16_t value = common::ParseHexByte(cell.text());
    if (value == -1) {
        program_.platform().msgBox("Please enter a valid hex byte.");
        cell.setFocus();
        return;
    }
    cell.setText(common::Hex2(value));
    adapter::WriteByteReg(program_, static_cast<std::uint8_t>(Index), static_cast<std::uint8_t>(value));
    ReadAllRegisters();
}

// FNCTN_CNTRL's cell is editable like the others, so its button writes it like the others.
void RegistersPage::Command18_Click(std::int16_t Index) { cmdWrite_Click(Index); }

void RegistersPage::chkScan_Click()
{
    const bool on = form_.get<forms::CheckBox>("chkScan").value() == 1;
    tmrRegisterScan_.setEnabled(on);
    program_.vars().gbScanOn = on ? common::True : common::False;
}

void RegistersPage::tmrRegisterScan_Timer()
{
    program_.platform().doEvents();
    scanLatest_ = (scanLatest_ + 1) % LabelledRegisterCount;
    std::uint8_t value = 0;
    // A failed read leaves the whole row as it was, bit labels included.
    if (adapter::ReadByteReg(program_, static_cast<std::uint8_t>(scanLatest_), value) != 0)
        return;
    rows_[static_cast<std::size_t>(scanHighlighted_)].cell->setBackColor(forms::colors::White);
    scanHighlighted_ = scanLatest_;
    rows_[static_cast<std::size_t>(scanHighlighted_)].cell->setBackColor(ScanHighlight);
    showRegister(scanLatest_, value);
}

void RegistersPage::txtData_GotFocus(std::int16_t Index)
{
    if (!editable(Index)) {
        picRegisters_.setFocus();
        return;
    }
    // No tick may overwrite what the user is typing.
    tmrRegisterScan_.setEnabled(false);
    common::SelectAllText(*rows_[static_cast<std::size_t>(Index)].cell);
}

void RegistersPage::txtData_LostFocus(std::int16_t /*Index*/)
{
    if (program_.vars().gbScanOn == common::True)
        tmrRegisterScan_.setEnabled(true);
}

}  // namespace protector
