// The logging options dialog: what it stores in the settings file and in gvLogRate, how it reads
// stored keys back, and that it is modal while the main window's timers go on.
#include "dialogs/frm_log_options.h"
#include "main_window/main_window_fixture.h"
#include "platform/forms/combo_box.h"

#include <algorithm>

namespace dialogs_test {
namespace {

using namespace main_window_test;
using Ticks = std::vector<int>;

class LogOptionsTest : public MainWindowTest {
protected:
    dialogs::frmLogOptions& dialog() { return driver.program().logOptions(); }
    forms::ScriptedUser atDialog() { return driver.user(dialog()); }
    forms::ComboBox& rate() { return dialog().get<forms::ComboBox>("cboLog"); }
    Ticks ticks()
    {
        Ticks out;
        for (int i = 0; i < 40; ++i)
            out.push_back(dialog().get<forms::CheckBox>("chkLog", i).value());
        return out;
    }
    std::string file() { return driver.readSettingsFile("QuelvarEV.ini").value_or("(none)"); }
    // The file after start-up and the dialog: every key, all ticked but `cleared`, and the rate.
    static std::string logging(std::vector<int> cleared, std::optional<std::string> logRate)
    {
        std::string out = "[system]\nWrite Delay=0.07\nRefresh Time=1\n\n[Logging]\n";
        for (int i = 0; i < 40; ++i)
            out += std::string(dialogs::frmLogOptions::Keys[i]) + "=" +
                   (std::ranges::count(cleared, i) ? "False" : "True") + "\n";
        return logRate ? out + "Log Rate=" + *logRate + "\n" : out;
    }
    // Opens the dialog, runs `inside` (what the user sees and does) and `close`, and returns once
    // the dialog has gone.
    void show(std::function<void()> inside, std::function<void()> close)
    {
        platform().queueInput(std::move(inside));
        platform().queueInput(std::move(close));
        dialog().ShowForm();
        EXPECT_FALSE(dialog().visible());
    }
    std::function<void()> ok() { return [this] { atDialog().click("cmdOK"); }; }
};

TEST_F(LogOptionsTest, OkStoresEveryKeyAndTheIntervalTextWhileCancelAndTheCloseBoxStoreNothing)
{
    start();
    show([&] {
        EXPECT_EQ(ticks(), Ticks(40, 1));
        EXPECT_EQ(std::pair(rate().listIndex(), rate().text()), std::pair(-1, std::string()));
        EXPECT_EQ(std::pair(dialog().left(), dialog().top()), std::pair(4000, 2000));
    }, [&] { atDialog().click("cmdCancel"); });
    EXPECT_EQ(file(), logging({}, std::nullopt));
    EXPECT_EQ(vars().gvLogRate, std::nullopt);

    show([&] {
        atDialog().click("chkLog", 0);
        atDialog().click("chkLog", 20);
        atDialog().choose("cboLog", 2);
    }, ok());
    EXPECT_EQ(file(), logging({0, 20}, "15"));
    EXPECT_EQ(vars().gvLogRate, 15);

    // A number followed by text selects its item next time; the text is stored as typed.
    show([&] {
        EXPECT_EQ(rate().listIndex(), 2);
        EXPECT_EQ(ticks()[0] + ticks()[20] + ticks()[1], 1);
        rate().userSetText("10 s");
    }, ok());
    EXPECT_EQ(file(), logging({0, 20}, "10 s"));
    show([&] {
        EXPECT_EQ(std::pair(rate().listIndex(), rate().text()), std::pair(1, std::string("10")));
        rate().userSetText("");
    }, ok());
    EXPECT_EQ(file(), logging({0, 20}, ""));
    EXPECT_EQ(vars().gvLogRate, 0);

    show([&] { atDialog().click("chkLog", 5); }, [&] { atDialog().close(); });
    EXPECT_EQ(file(), logging({0, 20}, ""));
    EXPECT_EQ(rate().listCount(), 6) << "the list is filled once per load";
}

TEST_F(LogOptionsTest, StoredKeysTickOnlyOnTrueForDevIdAndOnTrueWordsOrNonZeroNumbersForTheOthers)
{
    const std::pair<const char*, std::pair<int, int>> cases[] = {
        {"True", {1, 1}}, {"False", {0, 0}}, {"true", {0, 1}}, {"FALSE", {0, 0}}, {"1", {0, 1}},
        {"0", {0, 0}}, {" &H0 ", {0, 0}}, {"2.5", {0, 1}}, {"maybe", {0, 1}}, {"0 s", {0, 1}}, {";note", {0, 1}}};
    start();
    for (const auto& [text, expected] : cases) {
        const std::string stored = std::string("[Logging]\r\nDEV_ID=") + text + "\r\nLDO3=" + text + "\r\n";
        driver.writeSettingsFile("QuelvarEV.ini", stored);
        show([&] { EXPECT_EQ(std::pair(ticks()[0], ticks()[13]), expected) << text; },
             [&] { atDialog().click("cmdCancel"); });
        EXPECT_EQ(file().substr(0, stored.size()), stored) << "a stored key was rewritten: " << text;
    }
}

TEST_F(LogOptionsTest, WhileOpenTheKeepAliveWritesOnTimeAndTheMainWindowIgnoresTheUser)
{
    start();
    user().click("chkRefreshTime");
    show([&] {
        user().click("cmdReadId");
        user().click("chkRefreshTime");
        advance(2000);
    }, ok());
    EXPECT_EQ(tickTimes(), (Times{1000, 2000}));
    EXPECT_TRUE(control.wordReads().empty());
    EXPECT_EQ(get<forms::CheckBox>("chkRefreshTime").value(), 1);
    user().click("cmdReadId");
    EXPECT_EQ(control.wordReads(), (std::vector<int>{0xFE, 0xFF}));

    // A modal window that nothing closes is the test's fault, reported rather than waited on.
    EXPECT_THROW(dialog().ShowForm(), std::logic_error);
}

}  // namespace
}  // namespace dialogs_test
