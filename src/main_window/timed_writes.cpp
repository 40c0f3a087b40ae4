#include "main_window/timed_writes.h"

#include <string>

#include "adapter/bus.h"
#include "common/helpers.h"
#include "common/numbers.h"
#include "common/window_registry.h"
#include "main_window/input_data_file.h"
#include "platform/forms/check_box.h"
#include "platform/forms/form.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/text_box.h"
#include "platform/forms/timer.h"

namespace main_window {

namespace forms = platform::forms;

namespace {

constexpr int KeyEnter = 13;
constexpr int MaxTimerInterval = 65535;

template <class T>
T& place(T& control, int left, int top, int width, int height, int tabIndex)
{
    control.move(left, top, width, height);
    control.setTabIndex(tabIndex);
    return control;
}

// The largest value a row's field can show: every toggle of the field set.
int fieldMaximum(const SetpointField& field)
{
    return field.step * ((1 << (field.topBit - field.bottomBit + 1)) - 1);
}

void writeWord(common::WindowRegistry& program, std::uint8_t command, std::int32_t word)
{
    const auto bits = static_cast<std::uint16_t>(word);
    adapter::WriteWordReg(program, command, static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits & 0xFF));
}

}  // namespace

std::optional<std::int16_t> refreshTimeFromText(std::string_view text)
{
    const auto seconds = common::parseNumber(text);
    if (!seconds)
        return std::nullopt;
    const auto ms = common::toInteger(*seconds * 1000);
    if (!ms || *ms < 0)
        return std::nullopt;
    return ms;
}

std::optional<int> dataInputIntervalFromText(std::string_view text)
{
    const auto seconds = common::parseNumber(text);
    if (!seconds)
        return std::nullopt;
    const auto ms = common::toLong(*seconds * 1000);
    if (!ms || *ms < 0 || *ms > MaxTimerInterval)
        return std::nullopt;
    return static_cast<int>(*ms);
}

TimedWrites::TimedWrites(common::WindowRegistry& program, forms::Form& form, forms::Control& picApplication,
                         SetpointRow& chargeCurrent, SetpointRow& chargeVoltage, SetpointRow& inputCurrent,
                         forms::Timer& tmrChargerTimeOut, forms::Timer& tmrDataInput)
    : program_(program),
      chargeCurrent_(chargeCurrent),
      chargeVoltage_(chargeVoltage),
      inputCurrent_(inputCurrent),
      tmrChargerTimeOut_(tmrChargerTimeOut),
      tmrDataInput_(tmrDataInput),
      chkRefreshTime_(place(form.add<forms::CheckBox>("chkRefreshTime", &picApplication), 11100, 5160, 1335, 255, 470)),
      txtRefreshTime_(place(form.add<forms::TextBox>("txtRefreshTime", &picApplication), 11160, 5520, 615, 285, 469)),
      Label60_(place(form.add<forms::Label>("Label60", &picApplication), 11880, 5580, 375, 255, 471)),
      chkInputFile_(place(form.add<forms::CheckBox>("chkInputFile", &picApplication), 11100, 6120, 1215, 255, 482))
{
    chkRefreshTime_.setCaption("Refresh Time");
    txtRefreshTime_.setText("1");
    txtRefreshTime_.setMaxLength(4);
    Label60_.setCaption("sec");
    chkInputFile_.setCaption("Input by File");

    chkRefreshTime_.onClick = [this] { chkRefreshTime_Click(); };
    txtRefreshTime_.onKeyPress = [this](int& KeyAscii) { txtRefreshTime_KeyPress(KeyAscii); };
    tmrChargerTimeOut.onTimer = [this] { tmrChargerTimeOut_Timer(); };
    chkInputFile_.onClick = [this] { chkInputFile_Click(); };
    tmrDataInput.onTimer = [this] { tmrDataInput_Timer(); };
}

TimedWrites::~TimedWrites()
{
    // The form may outlive this object by a little; its controls must not call back into it.
    chkRefreshTime_.onClick = nullptr;
    txtRefreshTime_.onKeyPress = nullptr;
    tmrChargerTimeOut_.onTimer = nullptr;
    chkInputFile_.onClick = nullptr;
    tmrDataInput_.onTimer = nullptr;
}

void TimedWrites::chkRefreshTime_Click()
{
    if (chkRefreshTime_.value() == 1) {
        chkInputFile_.setValue(0);  // its click handler stops "Input by File" first
        tmrChargerTimeOut_.setEnabled(true);
        tmrChargerTimeOut_.setInterval(program_.vars().giRefreshTime);
    } else {
        tmrChargerTimeOut_.setEnabled(false);
    }
}

void TimedWrites::txtRefreshTime_KeyPress(int& KeyAscii)
{
    if (KeyAscii == KeyEnter) {
        chkRefreshTime_.setFocus();
        // A text that gives no period keeps the one in force.
        if (const auto ms = refreshTimeFromText(txtRefreshTime_.text())) {
            program_.vars().giRefreshTime = *ms;
            tmrChargerTimeOut_.setInterval(*ms);
        }
        return;
    }
    KeyAscii = common::filterKey(KeyAscii, common::FilterDigitKey);
}

void TimedWrites::tmrChargerTimeOut_Timer()
{
    auto& vars = program_.vars();
    vars.gbUpdatingBits = common::True;
    for (const SetpointRow* row : {&chargeCurrent_, &chargeVoltage_, &inputCurrent_}) {
        std::uint8_t ms = 0;
        std::uint8_t ls = 0;
        packRow(*row, ms, ls);
        adapter::WriteWordReg(program_, row->field.command, ms, ls);
    }
    vars.gbUpdatingBits = common::False;
}

void TimedWrites::chkInputFile_Click()
{
    if (chkInputFile_.value() == 1) {
        chkRefreshTime_.setValue(0);  // its click handler stops the keep-alive first
        tmrDataInput_.setEnabled(true);
    } else {
        tmrDataInput_.setEnabled(false);
    }
}

void TimedWrites::tmrDataInput_Timer()
{
    // The period follows the box at every tick, without Enter; a box that gives none keeps it.
    if (const auto interval = dataInputIntervalFromText(txtRefreshTime_.text()))
        tmrDataInput_.setInterval(*interval);

    const auto data = readInputDataFile(program_.platform().programInfo().folder / InputDataFileName);
    if (!data) {
        writeStoredValues();
        return;
    }
    auto& vars = program_.vars();
    vars.giInputFileChargeCurrent = (*data)[0];
    vars.giInputFileChargeVoltage = (*data)[1];
    vars.giInputFileInputCurrent = (*data)[2];
    showAndWrite(chargeCurrent_, vars.giInputFileChargeCurrent);
    showAndWrite(chargeVoltage_, vars.giInputFileChargeVoltage);
    showAndWrite(inputCurrent_, vars.giInputFileInputCurrent);
}

// Fits a stored value to the row's range and step, shows it, sets the row from it and writes
// the whole row. The label warns only when the value was cut to the maximum.
void TimedWrites::showAndWrite(SetpointRow& row, std::int16_t stored)
{
    auto& vars = program_.vars();
    const int step = row.field.step;
    const int maximum = fieldMaximum(row.field);
    vars.gbUpdatingBits = common::True;
    const int shown = stored > maximum ? maximum : stored >= step ? stored / step * step : 0;
    row.valueBox->setText(std::to_string(shown));
    row.overLimitLabel->setVisible(stored > maximum);
    decompose(row, shown);
    vars.gbUpdatingBits = common::False;
    std::uint8_t ms = 0;
    std::uint8_t ls = 0;
    packRow(row, ms, ls);
    adapter::WriteWordReg(program_, row.field.command, ms, ls);
}

// When the file cannot be read: the last values read, cut to their steps but not to their
// maxima, go to the charger; the screen is left alone.
void TimedWrites::writeStoredValues()
{
    const auto& vars = program_.vars();
    writeWord(program_, chargeCurrent_.field.command, vars.giInputFileChargeCurrent / chargeCurrent_.field.step * chargeCurrent_.field.step);
    writeWord(program_, chargeVoltage_.field.command, vars.giInputFileChargeVoltage / chargeVoltage_.field.step * chargeVoltage_.field.step);
    writeWord(program_, inputCurrent_.field.command, vars.giInputFileInputCurrent / inputCurrent_.field.step * inputCurrent_.field.step);
}

}  // namespace main_window
