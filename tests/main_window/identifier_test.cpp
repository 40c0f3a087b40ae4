// The identifier frame's Read button.
#include "main_window_fixture.h"

namespace main_window_test {
namespace {

using busctl::op::ReadWordCmd;

// A row as the user sees it: the value, then per cell from bit 15 down 'G' (green "1"),
// 'R' (red "0") or '?' (anything else).
std::string row(main_window::Form2& form, const std::string& cells, const std::string& value)
{
    std::string seen = form.get<forms::Label>(value).caption() + " ";
    for (int bit = 15; bit >= 0; --bit) {
        const auto& cell = form.get<forms::Label>(cells, bit);
        seen += cell.caption() == "         1" && cell.backColor() == 0x80FF80   ? 'G'
                : cell.caption() == "         0" && cell.backColor() == 0x8080FF ? 'R'
                                                                                 : '?';
    }
    return seen;
}

class IdentifierTest : public MainWindowTest {
protected:
    std::string manufacturer() { return row(form2(), "lblManufId", "lblManufIdValue"); }
    std::string device() { return row(form2(), "lblDevId", "lblDevIdValue"); }
    // Reads with the next message answered, noting the pointer while it is open.
    int readNotingPointerAtMessage()
    {
        int pointer = -1;
        platform().scriptReply({forms::Answer::Ok, 0, [&] { pointer = platform().mousePointer(); }});
        user().click("cmdReadId");
        return pointer;
    }
};

TEST_F(IdentifierTest, ReadShowsBothWordsAsHexAndCells)
{
    struct Case {
        std::uint16_t manufacturer, device;
        const char* shownManufacturer;
        const char* shownDevice;
    };
    start();
    EXPECT_EQ(manufacturer(), " ????????????????");  // design look: "0" on the window colour
    platform().setMousePointer(5);
    for (const Case& c : {Case{0x0040, 0x00AB, "0040 RRRRRRRRRGRRRRRR", "00AB RRRRRRRRGRGRGRGG"},
                          Case{0xFFFF, 0x0000, "FFFF GGGGGGGGGGGGGGGG", "0000 RRRRRRRRRRRRRRRR"}}) {
        control.setWord(0xFE, c.manufacturer);
        control.setWord(0xFF, c.device);
        control.clearLog();
        user().click("cmdReadId");
        EXPECT_EQ(manufacturer(), c.shownManufacturer);
        EXPECT_EQ(device(), c.shownDevice);
        EXPECT_EQ(control.wordReads(), (std::vector<int>{0xFE, 0xFF}));
        // The hourglass for the read, then the pointer that was showing.
        EXPECT_EQ(std::vector(platform().pointerHistory().end() - 2, platform().pointerHistory().end()),
                  (std::vector<int>{forms::pointer::Hourglass, 5}));
    }
    EXPECT_TRUE(platform().messages().empty());
}

TEST_F(IdentifierTest, FailedManufacturerReadShowsOneErrorReadsNoDeviceAndChangesNothing)
{
    start();
    control.setWord(0xFE, 0x1234);
    control.setWord(0xFF, 0x5678);
    user().click("cmdReadId");
    const std::string manufacturerBefore = manufacturer(), deviceBefore = device();
    control.setWord(0xFE, 0x1111);
    control.clearLog();
    control.failNext(ReadWordCmd, 4);

    EXPECT_EQ(readNotingPointerAtMessage(), forms::pointer::Hourglass);
    ASSERT_EQ(platform().messages().size(), 1u);
    EXPECT_EQ(platform().messages()[0].text, "Read ERROR");
    EXPECT_EQ(platform().messages()[0].title, "Darnex");
    EXPECT_EQ(control.wordReads(), (std::vector<int>{0xFE, 0xFE, 0xFE, 0xFE}));
    EXPECT_EQ(manufacturer(), manufacturerBefore);
    EXPECT_EQ(device(), deviceBefore);
    EXPECT_EQ(platform().mousePointer(), forms::pointer::Default);
}

TEST_F(IdentifierTest, FailedDeviceReadUpdatesOnlyTheManufacturerRow)
{
    start();
    control.setWord(0xFF, 0x2222);
    user().click("cmdReadId");
    const std::string deviceBefore = device();
    control.setWord(0xFE, 0x00AB);
    control.setWord(0xFF, 0x3333);
    control.queueStatuses(ReadWordCmd, {0, 1, 1, 1, 1});

    EXPECT_EQ(readNotingPointerAtMessage(), forms::pointer::Hourglass);
    ASSERT_EQ(platform().messages().size(), 1u);
    EXPECT_EQ(platform().messages()[0].text, "Read ERROR");
    EXPECT_EQ(manufacturer(), "00AB RRRRRRRRGRGRGRGG");
    EXPECT_EQ(device(), deviceBefore);
    EXPECT_EQ(platform().mousePointer(), forms::pointer::Default);
}

}  // namespace
}  // namespace main_window_test
