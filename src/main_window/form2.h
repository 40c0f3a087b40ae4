#pragma once
// The main window: start-up, the menus and the three modes, shut-down. Its pages live in files of
// their own: the application screen (setpoint_frames.cpp, identifier_frame.cpp), the test-mode
// screen and the protector pages.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/forms/form.h"

namespace common { class WindowRegistry; }
namespace platform::forms { class Control; }
namespace protector { class ControlPage; class EepromPage; class RegistersPage; class StatusLamps; }

namespace main_window {

class SetpointFrames;
class TestModePage;
class TimedWrites;

class Form2 : public platform::forms::Form {
public:
    explicit Form2(common::WindowRegistry& program);
    ~Form2() override;

    // Public methods of the application screen.
    void ComputeChargeCurrent();
    void ReadChargeCurrent();
    void ReadChargeVoltage();
    // Public methods of the protector pages.
    void ReadAllRegisters();
    void InitializeEepromPage();
    void InitializeControlPage();
    void SetControlMode();

    // Event handlers.
    void Form_Load();
    void Form_Unload(int& cancel);
    void mnuExit_Click();
    void mnuApplication_Click();
    void mnuApplicationTestMode_Click();
    void mnuTestMode_Click();
    void mnuAbout_Click();
    void mnuReadWriteI2C_Click();
    void cmdReadId_Click();
    void SSTab1_Click(int PreviousTab);
    void tmrControl_Timer();

    static constexpr std::int16_t ApplicationAddress = 0x12;
    static constexpr std::int16_t TestModeAddress = 0x52;

private:
    // Design, one part of the window each.
    void buildTopLevel();
    void buildMenus();
    void buildTimers();
    void buildIdentifierFrame();
    void bindHandlers();

    void setMode(const std::string& caption, platform::forms::Control& shown,
                 platform::forms::Control& hidden, std::int16_t deviceAddress);
    void shutDown();
    // One identifier row: the value label and the 16 cells of the word ms:ls.
    void showIdentifier(const std::string& cells, const std::string& valueLabel, std::uint8_t ms,
                        std::uint8_t ls);

    common::WindowRegistry& program_;
    std::unique_ptr<SetpointFrames> setpoints_;
    std::unique_ptr<TimedWrites> timedWrites_;
    std::unique_ptr<TestModePage> testMode_;
    std::unique_ptr<protector::ControlPage> controlPage_;
    std::unique_ptr<protector::EepromPage> eepromPage_;
    std::unique_ptr<protector::RegistersPage> registersPage_;
    std::unique_ptr<protector::StatusLamps> statusLamps_;
};

}  // namespace main_window
