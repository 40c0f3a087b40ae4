// The EEPROM page as a person sees it: filled from the chip field by field, the FS box writing
// FS at once, the UV delays following the cell count, and the delay box keeping only delays the
// chip has a code for.
#include <gmock/gmock.h>

#include "eeprom_fixture.h"

namespace protector_test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TEST_F(EepromTest, AFillShowsEachFieldOfTheChipAfterSixReadsAndNoWrite)
{
    struct Case {
        std::uint8_t reg, value;
        std::vector<std::pair<const char*, const char*>> shows;
    };
    const Case cases[] = {
        {0x06, 0x4C, {{"cboOvThresh", "4.35"}, {"cboOvHyst", "200"}, {"cboOvDetDelay", "1000"}}},
        {0x06, 0xFF, {{"cboOvThresh", "4.50"}, {"cboOvHyst", "400"}, {"cboOvDetDelay", "2250"}}},
        {0x07, 0x7F, {{"cboUvThresh", "2.90"}, {"cboUvHyst", "1.2"}, {"chkDisDsgFet", "1"}}},
        {0x07, 0x80, {{"cboUvThresh", "1.40"}, {"cboUvHyst", "0.2"}, {"chkDisDsgFet", "0"}}},
        {0x08, 0x3A, {{"cboOcThresh", "60"}, {"cboUvDelay", "4000"}}},
        {0x08, 0xF0, {{"cboOcThresh", "10"}, {"cboUvDelay", "8000-"}}},
        {0x09, 0x10, {{"txtOcDelay", "100"}}},
        {0x09, 0x13, {{"txtOcDelay", "400"}}},
        {0x09, 0x0F, {{"txtOcDelay", "320"}}},
        {0x09, 0xDF, {{"txtOcDelay", "1600"}, {"chkZvc", "1"}, {"chkCben", "1"}}},
        {0x09, 0x20, {{"txtOcDelay", "20"}, {"chkZvc", "0"}, {"chkCben", "0"}}},
        {0x0A, 0x5F, {{"cboShortCircuitThresh", "135"}, {"cboShortCircuitDelay", "300"}}},
    };
    start();
    revealEepromPage();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        bus().clearLog();
        bus().setByte(c.reg, c.value);
        fill();
        for (const auto& [control, text] : c.shows)
            EXPECT_EQ(shown(control), text) << control;
        std::vector<int> reads;
        for (const Transfer& t : transfers()) {
            EXPECT_EQ(t.direction, Read);
            reads.push_back(t.reg);
        }
        EXPECT_THAT(reads, ElementsAre(0x06, 0x07, 0x01, 0x08, 0x09, 0x0A));
        bus().setByte(c.reg, 0);
    }
}

TEST_F(EepromTest, FsSetInTheChipTicksTheBoxWritesItBackOnceAndScalesTheUvDelays)
{
    start();
    revealEepromPage();
    bus().setByte(0x01, 0x85);
    bus().setByte(0x08, 0x40);
    fill();
    EXPECT_EQ(shown("chkFsBit"), "1");
    EXPECT_THAT(transfers(), ElementsAreArray(Transfers{
        {Read, 0x12, 0x06, 0, 0}, {Read, 0x12, 0x07, 0, 0}, {Read, 0x12, 0x01, 0x85, 0},
        {Read, 0x12, 0x01, 0x85, 0}, {Write, 0x12, 0x01, 0x85, 0}, {Read, 0x12, 0x01, 0x85, 0},
        {Read, 0x12, 0x08, 0x40, 0},
        {Read, 0x12, 0x08, 0x40, 0}, {Read, 0x12, 0x09, 0, 0}, {Read, 0x12, 0x0A, 0, 0}}));
    EXPECT_THAT(items("cboUvDelay"), ElementsAre("0", "2.5", "5", "10", "12.5", "15", "20", "30", "1000-",
                                                 "2000-", "3000-", "4000-", "5000-", "6000-", "7000-", "8000-"));
    EXPECT_EQ(shown("cboUvDelay"), "12.5");

    // The chosen code stays chosen when the cell count changes.
    user().choose("cboCellCount", 0);
    EXPECT_EQ(shown("cboUvDelay"), "6.25");
    EXPECT_EQ(items("cboUvDelay")[7], "15");
    // A typed UV delay that is no item is not kept.
    get<forms::ComboBox>("cboUvDelay").userSetText("7");
    user().choose("cboCellCount", 5);
    EXPECT_EQ(shown("cboUvDelay"), "");

    // Unticking clears only FS, lists the fixed delays and shows the chip's code again.
    bus().clearLog();
    user().click("chkFsBit");
    EXPECT_THAT(bus().byteWrites(), ElementsAre(busctl::ScriptedControl::ByteWrite{0x01, 0x05}));
    EXPECT_EQ(items("cboUvDelay")[4], "5000");
    EXPECT_EQ(shown("cboUvDelay"), "5000");
    // No byte built from a failed read reaches the FETs' register.
    bus().clearLog();
    bus().failByteTransfer(Read, 0x01, 1);
    user().click("chkFsBit");
    EXPECT_TRUE(bus().byteWrites().empty());
}

TEST_F(EepromTest, TheCellCountIsItsLeadingNumberRoundedAndKeptWithinAByte)
{
    struct Case {
        const char* typed;
        const char* item1;
    };
    // Item 1 is 2 ms per 8 cells.
    const Case cases[] = {{"300", "63.75"}, {"7.6", "2"}, {"6.5 cells", "1.5"}, {"-4", "0"}, {"none", "0"}};
    start();
    revealEepromPage();
    bus().setByte(0x01, 0x80);
    for (const Case& c : cases) {
        get<forms::ComboBox>("cboCellCount").userSetText(c.typed);
        fill();
        EXPECT_EQ(items("cboUvDelay")[1], c.item1) << c.typed;
    }
}

TEST_F(EepromTest, TheDelayBoxKeepsTheNearestDelayWithACodeAndRefusesWhatIsNoNumber)
{
    const std::pair<const char*, const char*> kept[] = {
        {"5", "20"}, {"-3", "20"}, {"30", "40"}, {"50", "40"}, {"110", "120"}, {"350", "320"},
        {"360", "400"}, {"450", "400"}, {"1550", "1600"}, {"1650", "1600"}};
    start();
    revealEepromPage();
    auto& box = get<forms::TextBox>("txtOcDelay");
    for (const auto& [typed, left] : kept) {
        box.setText("");
        user().type("txtOcDelay", typed);
        user().focus("cboOvThresh");
        EXPECT_EQ(box.text(), left) << typed;
    }
    // The whole text must be a number.
    for (const char* typed : {"abc", "", "2.5e"}) {
        box.setText("");
        user().type("txtOcDelay", typed);
        user().focus("cboOvThresh");
        ASSERT_EQ(platform().messages().size(), 1u) << typed;
        EXPECT_EQ(platform().messages()[0].text, "Only numeric values should be entered for Overcurrent Delay Time.");
        EXPECT_EQ(platform().messages()[0].title, "Darnex");
        EXPECT_EQ(form2().activeControl(), &box);
        EXPECT_EQ(box.text(), typed);
        EXPECT_EQ(box.selLength(), static_cast<int>(box.text().size()));
        platform().clearMessages();
    }
    EXPECT_TRUE(transfers().empty());
}

}  // namespace
}  // namespace protector_test
