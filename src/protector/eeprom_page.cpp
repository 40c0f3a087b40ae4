#include "protector/eeprom_page.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "adapter/bus.h"
#include "common/helpers.h"
#include "common/numbers.h"
#include "common/window_registry.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/form.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"
#include "protector/eeprom_fields.h"
#include "protector/eeprom_programming.h"
#include "protector/field_update.h"
#include "protector/page_panels.h"
#include "protector/register_map.h"

namespace protector {

namespace forms = platform::forms;

namespace {

constexpr const char* NotNumeric = "Only numeric values should be entered for Overcurrent Delay Time.";
constexpr std::uint8_t FsBit = 0x80;

enum class RowKind { None, List, Text, Check };

struct Row {
    RowKind kind;
    const char* control;
    const char* caption;
    const char* unit;
};

struct FrameLayout {
    const char* name;
    const char* caption;
    int left, top, width, height;
    int controlLeft;  // the list or box of each row; the caption label fills the space before it
    std::array<Row, 3> rows;
};

const FrameLayout Frames[] = {
    {"Frame2", "OV CFG", 240, 240, 3975, 1935, 2580,
     {{{RowKind::List, "cboOvThresh", "Cell Over Voltage Threshold", "V"},
       {RowKind::List, "cboOvHyst", "Hysterisis Voltage", "mV"},
       {RowKind::List, "cboOvDetDelay", "Detection Delay Time", "ms"}}}},
    {"Frame3", "UV LEVEL", 240, 2400, 3975, 1815, 2580,
     {{{RowKind::List, "cboUvThresh", "Cell Under Voltage Threshold", "V"},
       {RowKind::List, "cboUvHyst", "Hysterisis Voltage", "V"},
       {RowKind::Check, "chkDisDsgFet", "Disable Automatic DSG FET Control", nullptr}}}},
    {"Frame4", "OC and UV DELAY", 240, 4560, 3975, 2295, 2580,
     {{{RowKind::List, "cboOcThresh", "Over Current Voltage Threshold", "mV"},
       {RowKind::List, "cboUvDelay", "Under Voltage Delay Time", "ms"},
       {RowKind::Check, "chkFsBit", "FS Bit Set (This is not an EEPROM bit)", nullptr}}}},
    {"Frame5", "OCDELAY", 4680, 240, 4695, 1935, 3060,
     {{{RowKind::Text, "txtOcDelay", "Over Current Delay Time", "ms"},
       {RowKind::Check, "chkZvc", "Enable GPOD 0V/Pre-charge mode with Stand Alone", nullptr},
       {RowKind::Check, "chkCben", "Enable Cell Balancing function", nullptr}}}},
    {"Frame6", "SCD CFG", 4680, 2400, 4695, 1815, 3060,
     {{{RowKind::List, "cboShortCircuitThresh", "Short Circuit Voltage Threshold", "mV"},
       {RowKind::List, "cboShortCircuitDelay", "Short Circuit Delay Time", "us"},
       {RowKind::None, nullptr, nullptr, nullptr}}}},
};

constexpr int RowTop = 360, RowStep = 480;
constexpr int ListWidth = 855, ListHeight = 315;
constexpr int LabelHeight = 255, LabelDrop = 45;  // labels sit level with the list beside them
constexpr int UnitGap = 60, UnitWidth = 375;
constexpr int MarginLeft = 120;

const forms::Font FrameFont{"MS Sans Serif", 8.25, true};

template <class T>
T& addOnPage(forms::Form& form, const std::string& name, forms::Control& container)
{
    auto& control = form.add<T>(name, &container);
    control.setBackColor(PagePanelColor);
    return control;
}

void addLabel(forms::Form& form, forms::Control& frame, const std::string& name, const char* caption,
              int left, int top, int width)
{
    auto& label = addOnPage<forms::Label>(form, name, frame);
    label.setCaption(caption);
    label.move(left, top, width, LabelHeight);
}

// The list, text box or check box of one row with its caption and unit labels.
void addRow(forms::Form& form, forms::Control& frame, const FrameLayout& layout, const Row& row, int top)
{
    const std::string name = row.control;
    const std::string stem = name.substr(3);  // the name without its type prefix
    if (row.kind == RowKind::Check) {
        auto& box = addOnPage<forms::CheckBox>(form, name, frame);
        box.setCaption(row.caption);
        box.move(MarginLeft, top + LabelDrop, layout.width - 2 * MarginLeft, LabelHeight);
        return;
    }
    addLabel(form, frame, "lbl" + stem, row.caption, MarginLeft, top + LabelDrop,
             layout.controlLeft - MarginLeft - UnitGap);
    if (row.kind == RowKind::List) {
        auto& list = form.add<forms::ComboBox>(name, &frame);
        list.setBackColor(forms::colors::WindowBackground);
        for (const char* item : eepromField(name).items)
            list.addItem(item);
        list.move(layout.controlLeft, top, ListWidth, ListHeight);
    } else {
        auto& box = form.add<forms::TextBox>(name, &frame);
        box.setBackColor(forms::colors::WindowBackground);
        box.setMaxLength(4);
        box.move(layout.controlLeft, top, ListWidth, ListHeight);
    }
    addLabel(form, frame, "lbl" + stem + "Unit", row.unit, layout.controlLeft + ListWidth + UnitGap,
             top + LabelDrop, UnitWidth);
}

}  // namespace

EepromPage::EepromPage(common::WindowRegistry& program, forms::Form& form, forms::Control& picEeprom)
    : program_(program), form_(form), hold_(program)
{
    build(picEeprom);
    programming_ = std::make_unique<EepromProgramming>(program_, form_);
    cboCellCount_ = &form_.get<forms::ComboBox>("cboCellCount");
    cboUvDelay_ = &form_.get<forms::ComboBox>("cboUvDelay");
    chkFsBit_ = &form_.get<forms::CheckBox>("chkFsBit");
    txtOcDelay_ = &form_.get<forms::TextBox>("txtOcDelay");
    cboCellCount_->onClick = [this] { cboCellCount_Click(); };
    chkFsBit_->onClick = [this] { chkFsBit_Click(); };
    txtOcDelay_->onLostFocus = [this] { txtOcDelay_LostFocus(); };
    form_.get<forms::CommandButton>("cmdProgramEeprom").onClick = [this] { programming_->cmdProgramEeprom_Click(); };
}

EepromPage::~EepromPage() = default;

void EepromPage::build(forms::Control& picEeprom)
{
    for (const FrameLayout& layout : Frames) {
        auto& frame = addOnPage<forms::Frame>(form_, layout.name, picEeprom);
        frame.setCaption(layout.caption);
        frame.setFont(FrameFont);
        frame.move(layout.left, layout.top, layout.width, layout.height);
        for (std::size_t i = 0; i < layout.rows.size(); ++i) {
            if (layout.rows[i].kind != RowKind::None)
                addRow(form_, frame, layout, layout.rows[i], RowTop + RowStep * static_cast<int>(i));
        }
    }

    // The cell count belongs to no register: it only scales the UV delays when FS is set.
    auto& frame12 = addOnPage<forms::Frame>(form_, "Frame12", picEeprom);
    frame12.setFont(FrameFont);
    frame12.move(4680, 4560, 3375, 2295);
    auto& note = addOnPage<forms::Label>(form_, "lblCellCountNote", frame12);
    note.setCaption("(This is not a register value, it is only used to determine UV delay time when FS = 1)");
    note.setWordWrap(true);
    note.move(MarginLeft, 240, 3375 - 2 * MarginLeft, 3 * LabelHeight);
    addLabel(form_, frame12, "lblCellCount", "Cell Count", MarginLeft, 1320 + LabelDrop, 1215);
    auto& cells = form_.add<forms::ComboBox>("cboCellCount", &frame12);
    cells.setBackColor(forms::colors::WindowBackground);
    for (const char* item : {"5", "6", "7", "8", "9", "10"})
        cells.addItem(item);
    cells.setText("10");
    cells.move(1440, 1320, ListWidth, ListHeight);

    auto& button = form_.add<forms::CommandButton>("cmdProgramEeprom", &picEeprom);
    button.setCaption("Program EEPROM");
    button.move(8400, 6000, 1215, 495);

    // Kept from the design; nothing reads it.
    auto& unused = form_.add<forms::TextBox>("txtCellCount", &picEeprom);
    unused.setText("10");
    unused.move(8400, 5400, 495, 285);
    unused.setVisible(false);
}

void EepromPage::InitializeEepromPage()
{
    setCellCount();
    showRegister(reg::OV_CFG, readRegister(reg::OV_CFG));
    showRegister(reg::UV_LEVEL, readRegister(reg::UV_LEVEL));
    // A change of the box runs chkFsBit_Click here, to its end.
    std::uint8_t output = 0;
    hold_.read(reg::OUTPUT_CNTRL, output);
    chkFsBit_->setValue(output & FsBit ? 1 : 0);
    hold_.release();
    buildUvDelayList();
    showRegister(reg::OCV_UV_DELAY, readRegister(reg::OCV_UV_DELAY));
    showRegister(reg::OCDELAY, readRegister(reg::OCDELAY));
    showRegister(reg::SCD_CFG, readRegister(reg::SCD_CFG));
}

void EepromPage::cboCellCount_Click()
{
    setCellCount();
    // The chosen code stays chosen; only its text follows the new cell count.
    const int code = chosenItem(*cboUvDelay_);
    buildUvDelayList();
    cboUvDelay_->setListIndex(code);
}

void EepromPage::chkFsBit_Click()
{
    const bool ticked = chkFsBit_->value() == 1;
    hold_.update(reg::OUTPUT_CNTRL, FsBit, ticked ? FsBit : 0);
    setCellCount();
    buildUvDelayList();
    readRegister(reg::OUTPUT_CNTRL);
    showField(eepromField("cboUvDelay"), readRegister(reg::OCV_UV_DELAY));
}

void EepromPage::txtOcDelay_LostFocus()
{
    forms::TextBox& box = *txtOcDelay_;
    // The same number rule as the refresh-time box: the whole text, a plain decimal number.
    const auto v = common::parseNumber(box.text());
    if (!v) {
        form_.platform().msgBox(NotNumeric);
        box.setFocus();
        common::SelectAllText(box);
        return;
    }
    box.setText(nearestOcDelay(*v));
}

void EepromPage::setCellCount()
{
    // Beyond a byte counts as the nearest end of it.
    const double cells = std::nearbyint(common::leadingNumber(cboCellCount_->text()));
    program_.vars().gbytCellCount = static_cast<std::uint8_t>(std::clamp(cells, 0.0, 255.0));
}

void EepromPage::buildUvDelayList()
{
    forms::ComboBox& list = *cboUvDelay_;
    const bool fsSet = chkFsBit_->value() == 1;
    list.clear();
    for (int code = 0; code < UvDelayItems; ++code)
        list.addItem(uvDelayItem(code, fsSet, program_.vars().gbytCellCount));
}

std::uint8_t EepromPage::readRegister(std::uint8_t reg)
{
    // A failed read shows what it left in the byte; the page reports no bus failure.
    std::uint8_t value = 0;
    adapter::ReadByteReg(program_, reg, value);
    return value;
}

void EepromPage::showRegister(std::uint8_t reg, std::uint8_t value)
{
    for (const EepromField& field : EepromFields) {
        if (field.reg == reg)
            showField(field, value);
    }
}

// A list shows its field by selecting the item of the code, so that the code, not a text that
// several items may share, is what the programming later takes.
void EepromPage::showField(const EepromField& field, std::uint8_t value)
{
    const int code = (value & field.mask()) >> field.shift;
    switch (field.kind) {
    case FieldKind::List: form_.get<forms::ComboBox>(field.control).setListIndex(code); break;
    case FieldKind::Check: form_.get<forms::CheckBox>(field.control).setValue(code); break;
    case FieldKind::Delay: form_.get<forms::TextBox>(field.control).setText(ocDelayText(code)); break;
    }
}

}  // namespace protector
