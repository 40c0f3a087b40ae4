// The identifier frame: its design and the Read button.
#include "main_window_fixture.h"

namespace main_window_test {
namespace {

using busctl::op::ReadWordCmd;

constexpr forms::Color Green = 0x0080FF80;
constexpr forms::Color Red = 0x008080FF;

struct Row {
    std::string value;
    std::vector<std::string> captions;  // bit 0 first
    std::vector<forms::Color> colors;
    friend bool operator==(const Row&, const Row&) = default;
};
std::ostream& operator<<(std::ostream& out, const Row& row)
{
    out << "\"" << row.value << "\" ";
    for (int bit = 15; bit >= 0; --bit)
        out << (row.colors[bit] == Green ? 'G' : row.colors[bit] == Red ? 'R' : '?');
    return out;
}

// What a row shows for a word after a good read.
Row expectedRow(const std::string& value, std::uint16_t word)
{
    Row row{value, {}, {}};
    for (int bit = 0; bit <= 15; ++bit) {
        const bool set = (word >> bit) & 1;
        row.captions.push_back(set ? "         1" : "         0");
        row.colors.push_back(set ? Green : Red);
    }
    return row;
}

class IdentifierTest : public MainWindowTest {
protected:
    Row row(const std::string& cells, const std::string& valueLabel)
    {
        Row r{get(valueLabel).caption(), {}, {}};
        for (int bit = 0; bit <= 15; ++bit) {
            r.captions.push_back(get(cells, bit).caption());
            r.colors.push_back(get(cells, bit).backColor());
        }
        return r;
    }
    Row manufacturer() { return row("lblManufId", "lblManufIdValue"); }
    Row device() { return row("lblDevId", "lblDevIdValue"); }
};

TEST_F(IdentifierTest, DesignOfTheFrame)
{
    driver.createProgram(control);
    auto& frame = get<forms::Frame>("Frame22");
    EXPECT_EQ(frame.container()->name(), "picApplication");
    EXPECT_EQ(frame.caption(), "Manufacturer and Device ID (Addr 0xFE-0xFF)");
    EXPECT_EQ((std::vector{frame.left(), frame.top(), frame.width(), frame.height()}),
              (std::vector{120, 4920, 10935, 2775}));

    struct Design {
        const char* name;
        const char* caption;
        int left, top, width, height;
    };
    std::vector<std::pair<Design, int>> controls = {
        {{"Label58", "Manufacturer ID (0xFE)", 75, 675, 1215, 495}, -1},
        {{"Label59", "           Device ID  (0xFF)", 0, 1725, 1215, 495}, -1},
        {{"lblManufIdValue", "", 9360, 720, 735, 285}, -1},
        {{"lblDevIdValue", "", 9360, 1800, 735, 285}, -1},
        {{"Label56", "hex", 10320, 720, 500, 255}, -1},
        {{"Label57", "hex", 10320, 1800, 500, 255}, -1},
        {{"cmdReadId", "Read", 9360, 2280, 1095, 375}, -1},
    };
    for (int bit = 0; bit <= 15; ++bit) {
        controls.push_back({{"lblManufId", "0", 1320 + 480 * (15 - bit), 600, 495, 495}, bit});
        controls.push_back({{"lblDevId", "0", 1320 + 480 * (15 - bit), 1680, 495, 495}, bit});
    }
    for (const auto& [d, index] : controls) {
        auto& c = get<forms::Control>(d.name, index);
        const std::string name = std::string(d.name) + "(" + std::to_string(index) + ")";
        EXPECT_EQ(c.container(), &frame) << name;
        EXPECT_EQ(c.caption(), d.caption) << name;
        EXPECT_EQ((std::vector{c.left(), c.top(), c.width(), c.height()}),
                  (std::vector{d.left, d.top, d.width, d.height}))
            << name;
    }
    EXPECT_EQ(get("lblManufId", 15).left(), 1320);  // bit 15 leftmost
    EXPECT_EQ(get("lblDevId", 0).left(), 8520);     // bit 0 rightmost
    for (const char* row : {"lblManufId", "lblDevId"})
        for (int bit = 0; bit <= 15; ++bit) {
            EXPECT_EQ(get(row, bit).backColor(), forms::colors::WindowBackground);
            EXPECT_EQ(get(row, bit).foreColor(), forms::colors::WindowText);
        }
    EXPECT_EQ(get("lblManufIdValue").backColor(), forms::colors::HighlightText);
    EXPECT_EQ(get("lblDevIdValue").backColor(), forms::colors::HighlightText);
}

TEST_F(IdentifierTest, ReadShowsBothWordsAsHexAndCells)
{
    struct Case {
        std::uint16_t manufacturer, device;
        const char* manufacturerText;
        const char* deviceText;
    };
    const Case cases[] = {
        {0x0040, 0x00AB, "0040", "00AB"},
        {0xFFFF, 0x0000, "FFFF", "0000"},
        {0x8001, 0xBEEF, "8001", "BEEF"},
    };
    start();
    for (const Case& c : cases) {
        control.setWord(0xFE, c.manufacturer);
        control.setWord(0xFF, c.device);
        control.clearLog();
        user().click("cmdReadId");
        EXPECT_EQ(manufacturer(), expectedRow(c.manufacturerText, c.manufacturer));
        EXPECT_EQ(device(), expectedRow(c.deviceText, c.device));
        EXPECT_EQ(control.wordReads(), (std::vector<int>{0xFE, 0xFF}));
        EXPECT_TRUE(platform().messages().empty());
    }
}

TEST_F(IdentifierTest, HourglassCoversTheReadAndComesBack)
{
    start();
    platform().setMousePointer(5);
    const auto before = platform().pointerHistory().size();
    user().click("cmdReadId");
    const std::vector<int> during(platform().pointerHistory().begin() + static_cast<long>(before),
                                  platform().pointerHistory().end());
    EXPECT_EQ(during, (std::vector<int>{forms::pointer::Hourglass, 5}));
}

TEST_F(IdentifierTest, FailedManufacturerReadShowsOneErrorAndChangesNothing)
{
    start();
    control.setWord(0xFE, 0x1234);
    control.setWord(0xFF, 0x5678);
    user().click("cmdReadId");
    const Row manufacturerBefore = manufacturer();
    const Row deviceBefore = device();

    control.clearLog();
    control.failNext(ReadWordCmd, 4);
    int pointerAtMessage = -1;
    platform().scriptReply({forms::Answer::Ok, 0, [&] { pointerAtMessage = platform().mousePointer(); }});
    user().click("cmdReadId");

    ASSERT_EQ(platform().messages().size(), 1u);
    EXPECT_EQ(platform().messages()[0].text, "Read ERROR");
    EXPECT_EQ(platform().messages()[0].title, "Darnex");
    EXPECT_EQ(control.wordReads(), (std::vector<int>{0xFE, 0xFE, 0xFE, 0xFE}));  // 0xFF never read
    EXPECT_EQ(manufacturer(), manufacturerBefore);
    EXPECT_EQ(device(), deviceBefore);
    EXPECT_EQ(pointerAtMessage, forms::pointer::Hourglass);
    EXPECT_EQ(platform().mousePointer(), forms::pointer::Default);
}

TEST_F(IdentifierTest, FailedDeviceReadKeepsTheDeviceRowAndUpdatesTheManufacturer)
{
    start();
    control.setWord(0xFE, 0x1111);
    control.setWord(0xFF, 0x2222);
    user().click("cmdReadId");
    const Row deviceBefore = device();

    control.setWord(0xFE, 0x00AB);
    control.queueStatuses(ReadWordCmd, {0, 1, 1, 1, 1});
    int pointerAtMessage = -1;
    platform().scriptReply({forms::Answer::Ok, 0, [&] { pointerAtMessage = platform().mousePointer(); }});
    user().click("cmdReadId");

    ASSERT_EQ(platform().messages().size(), 1u);
    EXPECT_EQ(platform().messages()[0].text, "Read ERROR");
    EXPECT_EQ(manufacturer(), expectedRow("00AB", 0x00AB));
    EXPECT_EQ(device(), deviceBefore);
    EXPECT_EQ(pointerAtMessage, forms::pointer::Hourglass);
    EXPECT_EQ(platform().mousePointer(), forms::pointer::Default);
}

TEST_F(IdentifierTest, WithoutAdapterTheFirstReadLeavesTheDesignLook)
{
    control.setFreeDevices(0, "");
    control.setDefaultStatus(ReadWordCmd, 1);
    start();
    platform().clearMessages();
    const Row designManufacturer = manufacturer();
    user().click("cmdReadId");
    EXPECT_EQ(platform().messages().size(), 1u);
    EXPECT_EQ(manufacturer(), designManufacturer);
    EXPECT_EQ(designManufacturer.value, "");
    EXPECT_EQ(designManufacturer.captions[0], "0");
}

}  // namespace
}  // namespace main_window_test
