// A modal show: queued input one action at a time with timers between, other windows deaf.
#include "forms_fixture.h"

namespace formstest {
namespace {

TEST_F(FormsTest, AModalShowRunsQueuedInputKeepsTimersAndIgnoresOtherWindows)
{
    auto& dialog = driver.create([](Platform& p) { return std::make_unique<Form>(p, "frmDialog"); });
    auto& ok = dialog.add<CommandButton>("cmdOK");
    ok.onClick = [&] { dialog.hide(); };
    watched(form.add<CommandButton>("cmdRead"));
    timer("tmrRefresh", 1000);
    ScriptedUser atDialog = driver.user(dialog);

    platform.queueInput([&] { user.click("cmdRead"); });
    platform.queueInput([&] { user.close(); });
    platform.queueInput([&] { platform.advance(2500); });
    platform.queueInput([&] { atDialog.click("cmdOK"); });
    platform.queueInput([&] { log.push_back("left over"); });
    platform.showModal(dialog);

    EXPECT_EQ(log, Log{});
    EXPECT_TRUE(form.visible());
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(ticks, (Ticks{{"tmrRefresh", 1000}, {"tmrRefresh", 2000}}));
    platform.doEvents();  // the rest waits for the next pump, and the main window hears again
    user.click("cmdRead");
    EXPECT_EQ(log, (Log{"left over", "cmdRead.GotFocus", "cmdRead.Click"}));

    // Open with nothing queued: a test fault, named, never a hang; the window hears again after.
    try {
        platform.showModal(dialog);
        ADD_FAILURE() << "no error";
    } catch (const std::logic_error& error) {
        EXPECT_THAT(error.what(), ::testing::HasSubstr("frmDialog"));
    }
    EXPECT_TRUE(platform.acceptsInput(form));
}

}  // namespace
}  // namespace formstest
