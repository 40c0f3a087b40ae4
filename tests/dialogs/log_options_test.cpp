// The logging options dialog: what it stores in the settings file and in gvLogRate, how it reads
// stored keys back, and that it is modal while the main window's timers go on.
#include <algorithm>

#include "dialogs/frm_log_options.h"
#include "main_window/main_window_fixture.h"
#include "platform/forms/combo_box.h"

namespace dialogs_test {
namespace {

using namespace main_window_test;

class LogOptionsTest : public MainWindowTest {
protected:
    dialogs::frmLogOptions& dialog() { return driver.program().logOptions(); }
    forms::ComboBox& rate() { return dialog().get<forms::ComboBox>("cboLog"); }
    int ticked(int i) { return dialog().get<forms::CheckBox>("chkLog", i).value(); }
    std::string file() { return driver.readSettingsFile("QuelvarEV.ini").value_or("(none)"); }
    // The file after start-up and the dialog: every key, all "True" but `cleared`, and the rate.
    static std::string stored(std::vector<int> cleared, std::optional<std::string> logRate)
    {
        std::string out = "[system]\nWrite Delay=0.07\nRefresh Time=1\n\n[Logging]\n";
        for (int i = 0; i < 40; ++i)
            out += dialogs::frmLogOptions::Keys[i] + std::string(std::ranges::count(cleared, i) ? "=False\n" : "=True\n");
        return logRate ? out + "Log Rate=" + *logRate + "\n" : out;
    }
    // Opens the dialog, runs `inside`, closes it with `button` (or the close box) once it has gone.
    void show(std::function<void()> inside, const char* button = "cmdOK")
    {
        platform().queueInput(std::move(inside));
        platform().queueInput([this, button] { button ? driver.user(dialog()).click(button) : driver.user(dialog()).close(); });
        dialog().ShowForm();
        EXPECT_FALSE(dialog().visible());
    }
};

TEST_F(LogOptionsTest, OkStoresEveryKeyAndTheIntervalTextWhileCancelAndTheCloseBoxStoreNothing)
{
    start();
    show([&] {
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ(ticked(i), 1) << i;
        EXPECT_EQ(std::pair(rate().listIndex(), rate().text()), std::pair(-1, std::string()));
        // Tab goes once round every stop, the buttons and the interval after the fourth box.
        auto user = driver.user(dialog());
        user.focus("chkLog", 0);
        std::string order, expected = "chkLog1 chkLog2 chkLog3 cmdOK cmdCancel cboLog ";
        for (int i = 4; i < 40; ++i)
            expected += "chkLog" + std::to_string(i) + " ";
        for (int stop = 0; stop < 43; ++stop) {
            user.tab();
            const forms::Control* at = dialog().activeControl();
            order += at ? at->name() + (at->index() >= 0 ? std::to_string(at->index()) : "") + " " : "none ";
        }
        EXPECT_EQ(order, expected + "chkLog0 ");
    }, "cmdCancel");
    EXPECT_EQ(std::pair(file(), vars().gvLogRate), std::pair(stored({}, std::nullopt), std::optional<double>()));

    show([&] {
        driver.user(dialog()).click("chkLog", 0);
        driver.user(dialog()).click("chkLog", 20);
        driver.user(dialog()).choose("cboLog", 2);
    });
    EXPECT_EQ(std::pair(file(), vars().gvLogRate), std::pair(stored({0, 20}, "15"), std::optional(15.0)));
    // The next load selects the stored interval; a number followed by text is stored as typed.
    show([&] {
        EXPECT_EQ(std::tuple(rate().listIndex(), ticked(0), ticked(1), ticked(20)), std::tuple(2, 0, 1, 0));
        rate().userSetText("10 s");
    });
    EXPECT_EQ(file(), stored({0, 20}, "10 s"));
    show([&] {
        EXPECT_EQ(std::pair(rate().listIndex(), rate().text()), std::pair(1, std::string("10")));
        rate().userSetText("");
    });
    EXPECT_EQ(std::pair(file(), vars().gvLogRate), std::pair(stored({0, 20}, ""), std::optional(0.0)));

    show([&] { driver.user(dialog()).click("chkLog", 5); }, nullptr);
    EXPECT_EQ(file(), stored({0, 20}, ""));
    // The ends of the interval list are preselected too.
    for (auto [typed, item] : {std::pair{"5", 0}, {"60", 5}}) {
        show([&] { rate().userSetText(typed); });
        show([&] { EXPECT_EQ(std::pair(rate().listIndex(), rate().text()), std::pair(item, std::string(typed))); }, "cmdCancel");
    }
}

TEST_F(LogOptionsTest, StoredKeysTickOnlyOnTrueForDevIdAndOnTrueWordsOrNonZeroNumbersForTheOthers)
{
    const std::pair<const char*, std::pair<int, int>> cases[] = {
        {"True", {1, 1}}, {"False", {0, 0}}, {"true", {0, 1}}, {"FALSE", {0, 0}},
        {"1", {0, 1}}, {"0", {0, 0}}, {"maybe", {0, 1}}, {";note", {0, 1}}};
    start();
    for (const auto& [text, expected] : cases) {
        const std::string before = std::string("[Logging]\nDEV_ID=") + text + "\nLDO3=" + text + "\n";
        driver.writeSettingsFile("QuelvarEV.ini", before);
        show([&] { EXPECT_EQ(std::pair(ticked(0), ticked(13)), expected) << text; }, "cmdCancel");
        EXPECT_EQ(file().substr(0, before.size()), before) << "a stored key was rewritten: " << text;
    }
}

TEST_F(LogOptionsTest, WhileOpenTheKeepAliveWritesOnTimeAndTheMainWindowIgnoresTheUser)
{
    using Read = platform::busctl::ScriptedControl::WordRead;
    start();
    user().click("chkRefreshTime");
    show([&] {
        user().click("cmdReadId");
        user().click("chkRefreshTime");
        advance(2000);
    });
    EXPECT_EQ(std::pair(tickTimes(), control.wordReads()), std::pair(Times{1000, 2000}, std::vector<Read>{}));
    user().click("cmdReadId");
    EXPECT_EQ(control.wordReads(), (std::vector<Read>{{0xFE, 0x12}, {0xFF, 0x12}}));
}

}  // namespace
}  // namespace dialogs_test
