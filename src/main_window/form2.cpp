#include "main_window/form2.h"

#include "adapter/frm_usb.h"
#include "common/assets.h"
#include "common/helpers.h"
#include "common/numbers.h"
#include "common/settings.h"
#include "common/window_registry.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_registers.h"
#include "main_window/setpoint_frames.h"
#include "main_window/test_mode_page.h"
#include "main_window/timed_writes.h"
#include "platform/forms/menu_item.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"
#include "platform/forms/tab_control.h"
#include "platform/forms/timer.h"
#include "protector/control_page.h"
#include "protector/eeprom_page.h"
#include "protector/page_panels.h"
#include "protector/registers_page.h"
#include "protector/status_lamps.h"

namespace main_window {

namespace forms = platform::forms;

namespace {

constexpr const char* DesignCaption = "Quelvar Evaluation Software";
constexpr const char* TestModeCaption = "Quelvar Evaluation Software (TEST MODE)";
constexpr const char* IniFile = "QuelvarEV.ini";
// A "Refresh Time" that gives no period the keep-alive can hold keeps the default.
constexpr std::int16_t DefaultRefreshMs = 1000;

// Both page panels share this place once the window has started.
constexpr int PageLeft = 0, PageTop = 480, PageWidth = 12495, PageHeight = 8040;

}  // namespace

Form2::Form2(common::WindowRegistry& program) : Form(program.platform(), "Form2"), program_(program)
{
    buildTopLevel();
    setpoints_ = std::make_unique<SetpointFrames>(program, *this, get<forms::PictureBox>("picApplication"));
    buildIdentifierFrame();
    buildMenus();
    // Before the timers: tmrControl sits on picControl.
    protector::buildPagePanels(*this, get<forms::TabControl>("SSTab1"));
    buildTimers();
    timedWrites_ = std::make_unique<TimedWrites>(program, *this, get<forms::PictureBox>("picApplication"),
        setpoints_->chargeCurrent(), setpoints_->chargeVoltage(), setpoints_->inputCurrent(),
        get<forms::Timer>("tmrChargerTimeOut"), get<forms::Timer>("tmrDataInput"));
    testMode_ = std::make_unique<TestModePage>(program, *this, get<forms::PictureBox>("picTestMode"));
    controlPage_ = std::make_unique<protector::ControlPage>(program, *this, get<forms::PictureBox>("picControl"));
    eepromPage_ = std::make_unique<protector::EepromPage>(program, *this, get<forms::PictureBox>("picEeprom"));
    registersPage_ = std::make_unique<protector::RegistersPage>(program, *this, get<forms::PictureBox>("picRegisters"));
    statusLamps_ = std::make_unique<protector::StatusLamps>(program, *this, get<forms::PictureBox>("Picture2"));
    bindHandlers();
}

Form2::~Form2() = default;

void Form2::ComputeChargeCurrent() { setpoints_->ComputeChargeCurrent(); }
void Form2::ReadChargeCurrent() { setpoints_->ReadChargeCurrent(); }
void Form2::ReadChargeVoltage() { setpoints_->ReadChargeVoltage(); }
void Form2::ReadAllRegisters() { registersPage_->ReadAllRegisters(); }
void Form2::InitializeEepromPage() { eepromPage_->InitializeEepromPage(); }
void Form2::InitializeControlPage() { controlPage_->InitializeControlPage(); }
void Form2::SetControlMode() { controlPage_->SetControlMode(); }

void Form2::buildTopLevel()
{
    setCaption(DesignCaption);
    move(0, 0, 12480, 9105);
    // The background shows in the strip above the pages.
    if (auto picture = common::assetFile(platform(), "form2_background.png"); !picture.empty())
        setPicture(std::move(picture));
    if (auto icon = common::assetFile(platform(), "form2_icon.png"); !icon.empty())
        setIcon(std::move(icon));

    // Stacking order, topmost first: the two page panels cover the part of the protector tabs
    // that lies inside the window.
    auto& picApplication = add<forms::PictureBox>("picApplication");
    picApplication.move(120, 7440, 12495, 8175);
    picApplication.setBorderStyle(forms::BorderStyle::None);

    auto& picTestMode = add<forms::PictureBox>("picTestMode");
    picTestMode.move(0, 360, 12495, 8040);
    picTestMode.setBorderStyle(forms::BorderStyle::None);

    auto& picture2 = add<forms::PictureBox>("Picture2");
    picture2.move(7320, 2040, 2055, 7935);
    picture2.setVisible(false);

    auto& tabs = add<forms::TabControl>("SSTab1");
    tabs.move(10560, 3000, 9855, 7935);
    tabs.setVisible(false);
    tabs.setTabIndex(0);
    tabs.setTabsPerRow(3);
    tabs.setTabHeight(520);
    tabs.setBackColor(forms::colors::ButtonFace);
}

void Form2::buildMenus()
{
    auto menu = [this](const char* name, const char* caption, forms::Control* parent = nullptr) -> forms::MenuItem& {
        auto& item = add<forms::MenuItem>(name, parent);
        item.setCaption(caption);
        return item;
    };
    auto& file = menu("mnuFile", "&File");
    menu("mnuExit", "Exit", &file);

    // Kept disabled and hidden: nothing in the program offers the raw register dialog.
    auto& i2c = menu("mnuI2C", "&I2C");
    menu("mnuReadWriteI2C", "&Read and Write Registers", &i2c);
    i2c.setEnabled(false);
    i2c.setVisible(false);

    auto& options = menu("mnuOptions", "&Options");
    menu("mnuApplication", "Application", &options);
    auto& testModes = menu("mnuTestModes", "Test Mode Screens", &options);
    menu("mnuApplicationTestMode", "Application Screen", &testModes);
    menu("mnuTestMode", "EEPROM Screen", &testModes);

    auto& help = menu("mnuHelp", "&Help");
    menu("mnuAbout", "About Darnex EVSW", &help);
}

void Form2::buildTimers()
{
    auto timer = [this](const char* name, int interval, bool enabled, forms::Control* container = nullptr) {
        auto& t = add<forms::Timer>(name, container);
        t.setEnabled(enabled);
        t.setInterval(interval);
    };
    timer("tmrDataInput", 20, false);
    timer("tmrChargerTimeOut", 0, false);
    // Runs from the moment the window loads until start-up stops it.
    timer("tmrRegisterScan", 200, true);
    timer("tmrStatus", 1000, false, &get<forms::PictureBox>("Picture2"));
    timer("tmrControl", 1000, false, &get<forms::PictureBox>("picControl"));
}

void Form2::bindHandlers()
{
    onLoad = [this] { Form_Load(); };
    onUnload = [this](int& cancel) { Form_Unload(cancel); };
    get<forms::MenuItem>("mnuExit").onClick = [this] { mnuExit_Click(); };
    get<forms::MenuItem>("mnuApplication").onClick = [this] { mnuApplication_Click(); };
    get<forms::MenuItem>("mnuApplicationTestMode").onClick = [this] { mnuApplicationTestMode_Click(); };
    get<forms::MenuItem>("mnuTestMode").onClick = [this] { mnuTestMode_Click(); };
    get<forms::MenuItem>("mnuAbout").onClick = [this] { mnuAbout_Click(); };
    get<forms::CommandButton>("cmdReadId").onClick = [this] { cmdReadId_Click(); };
    get<forms::TabControl>("SSTab1").onTabClick = [this](int previousTab) { SSTab1_Click(previousTab); };
    get<forms::Timer>("tmrControl").onTimer = [this] { tmrControl_Timer(); };
    get<forms::MenuItem>("mnuReadWriteI2C").onClick = [this] { mnuReadWriteI2C_Click(); };
}

void Form2::Form_Load()
{
    auto& info = platform().programInfo();
    auto& vars = program_.vars();

    setCaption("Quelvar Internal Evaluation Software Version " + info.version());
    vars.gsIniFile = IniFile;
    // Read only so that a new settings file gets the key.
    common::ReadIniValue(program_, "system", "Write Delay", "0.07", vars.gsIniFile);

    if (!program_.usb().OpenFirstFreeDevice())
        platform().msgBox("USB Error. Insure USB cable is connected and Driver is working");

    vars.giDeviceAddress = ApplicationAddress;
    vars.gbScanOn = common::False;
    get<forms::Timer>("tmrRegisterScan").setEnabled(false);

    move(0, 0, 12500, 9200);
    auto& picTestMode = get<forms::PictureBox>("picTestMode");
    picTestMode.move(PageLeft, PageTop, PageWidth, PageHeight);
    picTestMode.setVisible(false);
    auto& picApplication = get<forms::PictureBox>("picApplication");
    picApplication.move(PageLeft, PageTop, PageWidth, PageHeight);
    picApplication.setVisible(true);

    vars.giRefreshTime = refreshTimeFromText(
        common::ReadIniValue(program_, "system", "Refresh Time", "1", vars.gsIniFile)).value_or(DefaultRefreshMs);

    vars.gbUpdatingBits = common::False;
    vars.giInputFileChargeCurrent = 0;
    vars.giInputFileChargeVoltage = 0;
    get<forms::Timer>("tmrDataInput").setEnabled(false);
    get<forms::Timer>("tmrChargerTimeOut").setEnabled(false);

    common::CenterForm(*this);
}

void Form2::Form_Unload(int& /*cancel*/) { shutDown(); }

void Form2::mnuExit_Click() { shutDown(); }

void Form2::shutDown()
{
    program_.usb().CloseDevice();
    platform().endProgram();
}

void Form2::mnuApplication_Click()
{
    setMode(DesignCaption, get<forms::PictureBox>("picApplication"), get<forms::PictureBox>("picTestMode"),
            ApplicationAddress);
}

void Form2::mnuApplicationTestMode_Click()
{
    setMode(TestModeCaption, get<forms::PictureBox>("picApplication"), get<forms::PictureBox>("picTestMode"),
            TestModeAddress);
}

void Form2::mnuTestMode_Click()
{
    setMode(TestModeCaption, get<forms::PictureBox>("picTestMode"), get<forms::PictureBox>("picApplication"),
            TestModeAddress);
}

// Running timers go on and their next transfers use the new address; the pages keep what they show.
void Form2::setMode(const std::string& caption, forms::Control& shown, forms::Control& hidden, std::int16_t deviceAddress)
{
    setCaption(caption);
    shown.setVisible(true);
    hidden.setVisible(false);
    program_.vars().giDeviceAddress = deviceAddress;
}

void Form2::mnuAbout_Click() { program_.about().show(); }

// Modeless: picked again while open, the same window comes to the front.
void Form2::mnuReadWriteI2C_Click() { program_.registers().show(); }

}  // namespace main_window
