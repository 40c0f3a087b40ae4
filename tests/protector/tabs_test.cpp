// SSTab1 as the protector pages find it: three captioned tabs in one row, the Control page
// current, each panel the page colour and size; a change of tab shows only that tab's panel.
#include "protector_fixture.h"

namespace protector_test {
namespace {

TEST_F(ProtectorTest, ThreeTabsEachShowingOnlyItsOwnPanel)
{
    start();
    auto& t = tabs();
    EXPECT_EQ(t.tab(), 0);
    EXPECT_EQ(t.tabHeight(), 520);
    ASSERT_EQ(t.tabCount(), 3);
    const char* captions[] = {"Control", "EEPROM", "Registers"};
    const char* panels[] = {"picControl", "picEeprom", "picRegisters"};
    for (int shown : {2, 1, 0}) {
        user().selectTab("SSTab1", shown);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(panels[i]);
            auto& panel = get(panels[i]);
            EXPECT_EQ(t.tabCaption(i), captions[i]);
            EXPECT_EQ(t.tabPanel(i), &panel);
            EXPECT_EQ(panel.backColor(), 0x00E0E0E0u);
            EXPECT_EQ(std::vector<int>({panel.left(), panel.top(), panel.width(), panel.height()}),
                      std::vector<int>({0, 360, 9855, 7575}));
            EXPECT_EQ(panel.effectivelyVisible(), i == shown);
        }
    }
}

}  // namespace
}  // namespace protector_test
