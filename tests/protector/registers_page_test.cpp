// The Registers page as its user sees it: Read All, the Write buttons, the scan on the virtual
// clock and the Tab order, with the byte transfers each one puts on the bus.
#include <regex>

#include "protector_fixture.h"

namespace protector_test {
namespace {

using Texts = std::vector<std::string>;
using Cells = std::vector<int>;

constexpr std::uint8_t Bytes[11] = {0x00, 0xFF, 0xA5, 0x3C, 0x11, 0x22, 0x66, 0x77, 0x88, 0x99, 0xAA};
const char* const BitArrays[11] = {"StatusBit", "lblOutputCntrlBit", "lblStateCntrlBit", "FunctionCntrlBit", "CellBalBit",
                                   "lblCellSelBit", "OvCfgBit", "UvLvlBit", "OcvUvDlyBit", "OcDlyBit", "ScdCfgBit"};

// The eleven reads of Read All, as RegistersPageTest::steps() writes them.
const std::string ReadAll = "R00 R01 R02 R03 R04 R05 R06 R07 R08 R09 R0A";

class RegistersPageTest : public ProtectorTest {
protected:
    void SetUp() override
    {
        start();
        for (int r = 0; r < 11; ++r)
            bus().setByte(r, Bytes[r]);
        user().selectTab("SSTab1", 2);
    }
    // A row: cell text, bits 7..0 ('1' light green, '0' light red, '-' start colour), cell 'W'hite or 'Y'ellow.
    std::string row(int r)
    {
        auto& cell = get<forms::TextBox>("txtData", r);
        std::string out = cell.text() + " ";
        for (int i = 7; i >= 0; --i) {
            const auto c = get(BitArrays[r], i).backColor();
            out += c == 0xC0FFC0 ? '1' : c == 0xC0C0FF ? '0' : c == forms::colors::WindowBackground ? '-' : '?';
        }
        return out + (cell.backColor() == 0xFFFFFF ? " W" : cell.backColor() == 0xFFFF ? " Y" : " -");
    }
    Cells yellowCells()
    {
        Cells out;
        for (int r = 0; r < 11; ++r)
            if (row(r).ends_with('Y'))
                out.push_back(r);
        return out;
    }
    // The bus since the last look without the values read: "R05", "R05!", "W03=81".
    std::string steps() { return std::regex_replace(trace(), std::regex("(R..)=.."), "$1"); }
};

TEST_F(RegistersPageTest, ReadAllShowsEachRegisterInItsOwnRowAndAFailedOneAsNothing)
{
    EXPECT_EQ(row(0), " -------- -");
    user().click("cmdReadAll");
    EXPECT_EQ(steps(), ReadAll);
    EXPECT_EQ((Texts{row(0), row(1), row(2), row(5)}), (Texts{"00 00000000 W", "FF 11111111 W", "A5 10100101 W", "22 00100010 W"}));
    EXPECT_EQ(platform().pointerHistory(), (std::vector<int>{forms::pointer::Hourglass, forms::pointer::Default}));

    bus().failByteTransfer(Read, 5, 1);
    bus().setByte(6, 0x5A);
    user().click("cmdReadAll");
    EXPECT_EQ(steps(), "R00 R01 R02 R03 R04 R05! R06 R07 R08 R09 R0A");
    EXPECT_EQ((Texts{row(5), row(6)}), (Texts{" -------- W", "5A 01011010 W"}));
    EXPECT_TRUE(platform().messages().empty());
}

TEST_F(RegistersPageTest, WriteSendsTheCellThenReadsAllOrRefusesWhatIsNoHexByte)
{
    const std::tuple<const char*, int, const char*, const char*, std::string> cases[] = {
        {"cmdWrite", 1, "3", "W01=03 ", "03 00000011 W"}, {"Command18", 3, "81", "W03=81 ", "81 10000001 W"},
        {"cmdWrite", 2, "", "W02=00 ", "00 00000000 W"}, {"cmdWrite", 1, "G1", "", "G1"}};
    for (const auto& [button, index, typed, written, shown] : cases) {
        SCOPED_TRACE(std::string(button) + " " + typed);
        user().click("txtData", index);
        get<forms::TextBox>("txtData", index).userReplaceText(typed);
        user().click(button, index);
        EXPECT_EQ(steps(), *written ? written + ReadAll : "");
        EXPECT_EQ(*written ? row(index) : get<forms::TextBox>("txtData", index).text(), shown);
    }
    ASSERT_EQ(platform().messages().size(), 1u);
    const auto& m = platform().messages()[0];
    EXPECT_EQ(std::tuple(m.text, m.title, m.buttons), std::tuple("Please enter a valid hex byte.", "Darnex", forms::Buttons::Ok));
    EXPECT_TRUE(get("txtData", 1).hasFocus());
}

TEST_F(RegistersPageTest, ScanReadsOneRegisterPerTickAndHighlightsOnlyTheLastOneRead)
{
    user().click("chkScan");
    advance(199);
    EXPECT_EQ(steps(), "");
    advance(1);
    EXPECT_EQ(steps() + " " + row(1), "R01 FF 11111111 Y");
    advance(600);
    user().click("chkScan");
    advance(1000);
    user().click("chkScan");  // on again: it goes on where it stopped
    advance(200);
    EXPECT_EQ(std::pair(steps(), yellowCells()), std::pair(std::string("R02 R03 R04 R05"), Cells{5}));

    // The focus in an editable cell holds the scan until it leaves.
    user().click("txtData", 2);
    advance(1000);
    EXPECT_EQ(steps(), "");
    user().focus("picRegisters");
    advance(200);
    EXPECT_EQ(steps(), "R06");

    // A failed tick changes nothing on the page; the next one goes on.
    bus().failByteTransfer(Read, 7, 1);
    const Texts before{row(6), row(7)};
    advance(200);
    EXPECT_EQ((Texts{row(6), row(7)}), before);
    advance(1000);
    EXPECT_EQ(std::pair(steps(), yellowCells()), std::pair(std::string("R07! R08 R09 R0A R00 R01"), Cells{1}));
    user().click("cmdReadAll");  // whitens the highlight too
    EXPECT_EQ(yellowCells(), Cells{});
}

TEST_F(RegistersPageTest, TabNeverLandsInAReadOnlyCellNorSticks)
{
    user().click("txtData", 6);
    EXPECT_TRUE(get("picRegisters").hasFocus());
    for (bool backwards : {false, true}) {
        user().click("txtData", 5);
        int steps = 0;
        do {
            user().tab(backwards);
            const auto* at = form2().activeControl();
            ASSERT_NE(at, nullptr);
            EXPECT_FALSE(at->name() == "txtData" && (at->index() == 0 || at->index() > 5)) << at->index();
        } while (!get("txtData", 5).hasFocus() && ++steps < 50);
        EXPECT_LT(steps, 50) << (backwards ? "Shift+Tab" : "Tab");
    }
}

}  // namespace
}  // namespace protector_test
