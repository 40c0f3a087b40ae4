// The main window as a frame: its design, the menus, the three modes and shut-down.
#include "dialogs/frm_about.h"
#include "main_window_fixture.h"
#include "platform/forms/tab_control.h"

namespace main_window_test {
namespace {

using busctl::op::CloseAdapter;

struct Rect {
    int left, top, width, height;
    friend bool operator==(const Rect&, const Rect&) = default;
};
Rect rectOf(const forms::Control& c) { return {c.left(), c.top(), c.width(), c.height()}; }
std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << r.left << "," << r.top << "," << r.width << "," << r.height;
}

TEST_F(MainWindowTest, DesignOfTheTopLevel)
{
    driver.createProgram(control);
    auto& form = form2();
    EXPECT_EQ(form.caption(), "Quelvar Evaluation Software");
    EXPECT_EQ(form.width(), 12480);
    EXPECT_EQ(form.height(), 9105);

    // Visual children of the window in stacking order, topmost first.
    std::vector<std::string> stacking;
    for (const auto* child : form.children())
        if (child->kind() == forms::Kind::PictureBox || child->kind() == forms::Kind::TabControl)
            stacking.push_back(child->name());
    EXPECT_EQ(stacking, (std::vector<std::string>{"picApplication", "picTestMode", "Picture2", "SSTab1"}));

    struct Child {
        const char* name;
        Rect at;
        bool visible;
    };
    for (const Child& c : {Child{"picApplication", {120, 7440, 12495, 8175}, true},
                           Child{"picTestMode", {0, 360, 12495, 8040}, true},
                           Child{"Picture2", {7320, 2040, 2055, 7935}, false},
                           Child{"SSTab1", {10560, 3000, 9855, 7935}, false}}) {
        auto& control = get<forms::Control>(c.name);
        EXPECT_EQ(rectOf(control), c.at) << c.name;
        EXPECT_EQ(control.visible(), c.visible) << c.name;
    }
    EXPECT_EQ(get<forms::TabControl>("SSTab1").tabHeight(), 520);

    struct TimerDesign {
        const char* name;
        int interval;
        bool enabled;
    };
    for (const TimerDesign& t : {TimerDesign{"tmrDataInput", 20, false}, TimerDesign{"tmrChargerTimeOut", 0, false},
                                 TimerDesign{"tmrRegisterScan", 200, true}, TimerDesign{"tmrStatus", 1000, false},
                                 TimerDesign{"tmrControl", 1000, false}}) {
        EXPECT_EQ(get<forms::Timer>(t.name).interval(), t.interval) << t.name;
        EXPECT_EQ(get<forms::Timer>(t.name).enabled(), t.enabled) << t.name;
    }
}

TEST_F(MainWindowTest, MenuTree)
{
    driver.createProgram(control);
    // name, caption, parent, enabled and visible as stored
    struct Item {
        const char* name;
        const char* caption;
        const char* parent;
        bool shown;
    };
    const Item items[] = {
        {"mnuFile", "&File", nullptr, true},
        {"mnuExit", "Exit", "mnuFile", true},
        {"mnuI2C", "&I2C", nullptr, false},
        {"mnuReadWriteI2C", "&Read and Write Registers", "mnuI2C", true},
        {"mnuOptions", "&Options", nullptr, true},
        {"mnuApplication", "Application", "mnuOptions", true},
        {"mnuTestModes", "Test Mode Screens", "mnuOptions", true},
        {"mnuApplicationTestMode", "Application Screen", "mnuTestModes", true},
        {"mnuTestMode", "EEPROM Screen", "mnuTestModes", true},
        {"mnuHelp", "&Help", nullptr, true},
        {"mnuAbout", "About Darnex EVSW", "mnuHelp", true},
    };
    std::vector<std::string> order;
    for (const auto& c : form2().controls())
        if (c->kind() == forms::Kind::MenuItem)
            order.push_back(c->name());
    std::vector<std::string> expected;
    for (const Item& item : items) {
        expected.push_back(item.name);
        auto& menu = get<forms::MenuItem>(item.name);
        EXPECT_EQ(menu.caption(), item.caption) << item.name;
        EXPECT_EQ(menu.container() ? menu.container()->name() : std::string(), item.parent ? item.parent : "")
            << item.name;
        EXPECT_EQ(menu.enabled(), item.shown) << item.name;
        EXPECT_EQ(menu.visible(), item.shown) << item.name;
        EXPECT_FALSE(menu.checked()) << item.name;
    }
    EXPECT_EQ(order, expected);

    std::vector<std::string> bar;
    for (auto* menu : form2().menus())
        if (menu->visible())
            bar.push_back(menu->caption());
    EXPECT_EQ(bar, (std::vector<std::string>{"&File", "&Options", "&Help"}));
}

TEST_F(MainWindowTest, ModesSetCaptionPageAndAddress)
{
    struct Step {
        const char* menu;
        const char* caption;
        bool applicationShown;
        std::int16_t address;
    };
    const Step application{"mnuApplication", "Quelvar Evaluation Software", true, 0x12};
    const Step testApplication{"mnuApplicationTestMode", "Quelvar Evaluation Software (TEST MODE)", true, 0x52};
    const Step testEeprom{"mnuTestMode", "Quelvar Evaluation Software (TEST MODE)", false, 0x52};
    const std::vector<std::vector<Step>> runs = {
        {application},
        {testApplication},
        {testEeprom, application},
        {testEeprom, testApplication, testEeprom, application, application},
        {testApplication, testApplication, testEeprom, testEeprom},
    };
    for (const auto& run : runs) {
        testsupport::TestDriver d;
        busctl::ScriptedControl adapter;
        auto& form = d.startProgram(adapter);
        auto user = d.user(form);
        for (const Step& step : run) {
            user.pick(step.menu);
            EXPECT_EQ(form.caption(), step.caption) << step.menu;
            EXPECT_EQ(form.get<forms::PictureBox>("picApplication").visible(), step.applicationShown) << step.menu;
            EXPECT_EQ(form.get<forms::PictureBox>("picTestMode").visible(), !step.applicationShown) << step.menu;
            EXPECT_EQ(d.program().vars().giDeviceAddress, step.address) << step.menu;
        }
    }
}

TEST_F(MainWindowTest, ChoosingTheActiveModeAgainChangesNothing)
{
    start();
    EventLog log(control);
    form2().setObserver(&log);
    for (const char* menu : {"mnuApplication", "mnuApplicationTestMode", "mnuTestMode"}) {
        user().pick(menu);
        log.entries.clear();
        user().pick(menu);
        EXPECT_TRUE(log.entries.empty()) << menu << ": " << log.entries.front();
    }
    form2().setObserver(nullptr);
}

TEST_F(MainWindowTest, ModesLeaveTimersPagesAndTheBusAlone)
{
    start();
    user().click("cmdReadId");
    const std::string shownId = get("lblManufIdValue").caption();
    auto& keepAlive = get<forms::Timer>("tmrChargerTimeOut");
    keepAlive.setInterval(1000);
    keepAlive.setEnabled(true);
    int ticks = 0;
    keepAlive.onTimer = [&] { ++ticks; };
    control.clearLog();

    for (const char* menu : {"mnuTestMode", "mnuApplicationTestMode", "mnuApplication"}) {
        user().pick(menu);
        platform().advance(1000);
    }
    EXPECT_EQ(ticks, 3);  // the running timer went on through every change
    EXPECT_TRUE(keepAlive.enabled());
    EXPECT_FALSE(get<forms::Timer>("tmrRegisterScan").enabled());
    EXPECT_FALSE(get<forms::Timer>("tmrDataInput").enabled());
    EXPECT_EQ(get("lblManufIdValue").caption(), shownId);
    EXPECT_EQ((Rect{0, 480, 12495, 8040}), rectOf(get<forms::PictureBox>("picTestMode")));
    EXPECT_TRUE(control.calls().empty());
}

TEST_F(MainWindowTest, TransfersAfterAModeChangeUseItsAddress)
{
    start();
    for (auto [menu, address] : {std::pair{"mnuTestMode", 0x52}, std::pair{"mnuApplication", 0x12},
                                 std::pair{"mnuApplicationTestMode", 0x52}}) {
        user().pick(menu);
        control.clearLog();
        user().click("cmdReadId");
        for (const auto& call : control.calls())
            EXPECT_EQ(call.args.at(2).value, busctl::Variant{static_cast<std::int16_t>(address)}) << menu;
    }
}

TEST_F(MainWindowTest, ExitAndTheCloseBoxCloseTheAdapterThenEndTheProgram)
{
    for (bool byMenu : {true, false}) {
        testsupport::TestDriver d;
        busctl::ScriptedControl adapter;
        auto& platform = d.platform();
        // Whether the program had ended when the adapter was closed.
        struct Watch : busctl::AdapterControl {
            busctl::AdapterControl& inner;
            forms::Platform& platform;
            std::vector<bool> endedAtClose;
            Watch(busctl::AdapterControl& i, forms::Platform& p) : inner(i), platform(p) {}
            busctl::Variant invoke(int id, std::vector<busctl::Arg>& args) override
            {
                if (id == CloseAdapter)
                    endedAtClose.push_back(platform.ended());
                return inner.invoke(id, args);
            }
        } watch(adapter, platform);
        auto& form = d.startProgram(watch);
        auto user = d.user(form);
        user.pick("mnuAbout");
        auto& about = d.program().about();
        ASSERT_TRUE(about.visible());
        int aboutUnloads = 0;
        about.onUnload = [&](int&) { ++aboutUnloads; };

        if (byMenu)
            user.pick("mnuExit");
        else
            user.close();

        EXPECT_EQ(watch.endedAtClose, std::vector<bool>{false}) << byMenu;
        EXPECT_EQ(adapter.operations().back(), CloseAdapter) << byMenu;
        EXPECT_TRUE(platform.ended()) << byMenu;
        // Every window closes without its unload handler.
        EXPECT_FALSE(form.loaded()) << byMenu;
        EXPECT_FALSE(about.loaded()) << byMenu;
        EXPECT_EQ(aboutUnloads, 0) << byMenu;
    }
}

}  // namespace
}  // namespace main_window_test
