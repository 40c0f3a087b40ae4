// A modal show: queued input one action at a time with timers between, other windows deaf.
#include "forms_fixture.h"

namespace formstest {
namespace {

TEST_F(FormsTest, AModalShowRunsQueuedInputUntilHiddenIgnoringOtherWindowsAndNeverHangs)
{
    auto& dialog = driver.create([](Platform& p) { return std::make_unique<Form>(p, "frmDialog"); });
    dialog.add<CommandButton>("cmdOK").onClick = [&] { dialog.hide(); };
    watched(form.add<CommandButton>("cmdRead"));
    timer("tmrRefresh", 1000);
    for (auto action : std::vector<std::function<void()>>{
             [&] { user.click("cmdRead"); }, [&] { user.close(); }, [&] { platform.advance(1500); },
             [&] { driver.user(dialog).click("cmdOK"); }, [&] { log.push_back("left over"); }})
        platform.queueInput(action);
    platform.showModal(dialog);
    EXPECT_EQ(std::tuple(log, form.visible(), dialog.visible(), ticks), std::tuple(Log{}, true, false, Ticks{{"tmrRefresh", 1000}}));
    platform.doEvents();
    user.click("cmdRead");
    EXPECT_EQ(log, (Log{"left over", "cmdRead.GotFocus", "cmdRead.Click"}));

    // Open with nothing queued: a test fault, named, never a hang.
    EXPECT_THAT([&] { platform.showModal(dialog); }, ::testing::ThrowsMessage<std::logic_error>(::testing::HasSubstr("frmDialog")));
    EXPECT_TRUE(platform.acceptsInput(form));
}

}  // namespace
}  // namespace formstest
