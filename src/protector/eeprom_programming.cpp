#include "protector/eeprom_programming.h"

#include <string>

#include "adapter/bus.h"
#include "common/helpers.h"
#include "common/window_registry.h"
#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/form.h"
#include "platform/forms/platform.h"
#include "platform/forms/text_box.h"
#include "protector/eeprom_fields.h"
#include "protector/register_map.h"
#include "protector/status_lamps.h"

namespace protector {

namespace forms = platform::forms;

namespace {

constexpr const char* Incomplete = "Every EEPROM setting needs a valid value before programming.";
constexpr const char* Prompt = "If PACK voltage is at least 20V then continue, if not cancel programming.";
constexpr const char* PromptTitle = "EEPROM Programming";
constexpr const char* FirstCheckFailed = "EEPROM data read verification failed.";
constexpr const char* PinToVlog = "Set EEPROM pin to VLOG.";
constexpr const char* PinToGnd = "Set EEPROM pin to GND.";
constexpr const char* SecondCheckFailed = "EEPROM did not program correctly.";
constexpr const char* StillUnlocked = "EEPROM_CNTRL could not be reset to 0x00; the EEPROM may still be unlocked.";

constexpr std::uint8_t Unlock = 0x62;
constexpr std::uint8_t StartProgramming = 0x41;
constexpr std::uint8_t Lock = 0x00;
constexpr float Wait = 0.07f;

}  // namespace

EepromProgramming::EepromProgramming(common::WindowRegistry& program, forms::Form& form) : program_(program), form_(form) {}

void EepromProgramming::cmdProgramEeprom_Click()
{
    // The waits and the boxes pump events: a second click meanwhile must not start a second run.
    if (running_)
        return;
    running_ = true;
    run();
    running_ = false;
}

void EepromProgramming::run()
{
    auto& platform = form_.platform();
    if (forms::Control* missing = firstWithoutValue()) {
        platform.msgBox(Incomplete);
        missing->setFocus();
        return;
    }
    if (platform.msgBox(Prompt, forms::Buttons::OkCancel, PromptTitle) != forms::Answer::Ok)
        return;

    Bytes expected{};
    for (std::size_t i = 0; i < EepromRegisters.size(); ++i) {
        expected[i] = static_cast<std::uint8_t>(~formByte(EepromRegisters[i]));
        if (adapter::WriteByteReg(program_, EepromRegisters[i], expected[i]) != 0)
            return fail(FirstCheckFailed);
    }
    if (adapter::WriteByteReg(program_, reg::EEPROM_CNTRL, Unlock) != 0)
        return fail(FirstCheckFailed);
    common::Delay(platform, Wait);
    if (!matches(expected))
        return fail(FirstCheckFailed);
    if (adapter::WriteByteReg(program_, reg::EEPROM_CNTRL, StartProgramming) != 0)
        return fail(FirstCheckFailed);
    common::Delay(platform, Wait);
    showVgood();

    platform.msgBox(PinToVlog);
    platform.msgBox(PinToGnd);
    if (!lock())
        return report(SecondCheckFailed, false);
    Bytes configuration{};
    for (std::size_t i = 0; i < expected.size(); ++i)
        configuration[i] = static_cast<std::uint8_t>(~expected[i]);
    if (!matches(configuration))
        platform.msgBox(SecondCheckFailed);
}

forms::Control* EepromProgramming::firstWithoutValue() const
{
    for (const EepromField& field : EepromFields) {
        const bool valid = field.kind == FieldKind::List    ? chosenItem(form_.get<forms::ComboBox>(field.control)) >= 0
                           : field.kind == FieldKind::Delay ? ocDelayCode(form_.get<forms::TextBox>(field.control).text()).has_value()
                                                            : true;
        if (!valid)
            return &form_.get<forms::Control>(field.control);
    }
    return nullptr;
}

// Settles the selection of each list of the register (the page then shows the item selected)
// and packs the codes.
std::uint8_t EepromProgramming::formByte(std::uint8_t reg)
{
    int byte = 0;
    for (const EepromField& field : EepromFields) {
        if (field.reg != reg)
            continue;
        int code = 0;
        switch (field.kind) {
        case FieldKind::List:
            code = chosenItem(form_.get<forms::ComboBox>(field.control));
            form_.get<forms::ComboBox>(field.control).setListIndex(code);
            break;
        case FieldKind::Check: code = form_.get<forms::CheckBox>(field.control).value(); break;
        case FieldKind::Delay: code = ocDelayCode(form_.get<forms::TextBox>(field.control).text()).value_or(0); break;
        }
        byte |= (code << field.shift) & field.mask();
    }
    return static_cast<std::uint8_t>(byte);
}

// A failed read is never a match; the check stops at the first register that differs.
bool EepromProgramming::matches(const Bytes& expected)
{
    for (std::size_t i = 0; i < EepromRegisters.size(); ++i) {
        std::uint8_t value = 0;
        if (adapter::ReadByteReg(program_, EepromRegisters[i], value) != 0 || value != expected[i])
            return false;
    }
    return true;
}

void EepromProgramming::showVgood()
{
    std::uint8_t status = 0;
    if (adapter::ReadByteReg(program_, reg::STATUS, status) == 0)
        showLamp(form_, VgoodBit, status);
}

// An EEPROM left unlocked is worth the attempts of a word transfer.
bool EepromProgramming::lock()
{
    return adapter::retried([this] { return adapter::WriteByteReg(program_, reg::EEPROM_CNTRL, Lock); }) == 0;
}

void EepromProgramming::fail(const char* message) { report(message, lock()); }

void EepromProgramming::report(const char* message, bool locked)
{
    form_.platform().msgBox(locked ? std::string(message) : std::string(message) + "\n" + StillUnlocked);
}

}  // namespace protector
