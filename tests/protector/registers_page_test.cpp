// The Registers page as its user sees it: Read All, the Write buttons, the scan on the virtual
// clock and the Tab order, with the byte transfers each one puts on the bus.
#include <cstdio>

#include "platform/forms/text_box.h"
#include "protector_fixture.h"

namespace protector_test {
namespace {

using Trace = std::vector<std::string>;

// "R05" a read, "R05!" a failed one, "W03=81" a write.
std::string step(Transfer t)
{
    char text[16];
    std::snprintf(text, sizeof text, t.direction == Write ? "W%02X=%02X" : "R%02X", t.reg, t.value);
    return text + std::string(t.status ? "!" : "");
}

// What the scripted double answers for registers 0x00-0x0A.
constexpr std::uint8_t Bytes[11] = {0x00, 0xFF, 0xA5, 0x3C, 0x11, 0x22, 0x66, 0x77, 0x88, 0x99, 0xAA};
const char* const BitArrays[11] = {"StatusBit", "lblOutputCntrlBit", "lblStateCntrlBit", "FunctionCntrlBit", "CellBalBit",
                                   "lblCellSelBit", "OvCfgBit", "UvLvlBit", "OcvUvDlyBit", "OcDlyBit", "ScdCfgBit"};

class RegistersPageTest : public ProtectorTest {
protected:
    void SetUp() override
    {
        start();
        for (int r = 0; r < 11; ++r)
            bus().setByte(r, Bytes[r]);
        user().selectTab("SSTab1", 2);
    }

    // One row: cell text, bits 7..0 ('1' light green, '0' light red, '-' start colour), cell colour.
    std::string row(int r)
    {
        std::string bits;
        for (int i = 7; i >= 0; --i) {
            const auto c = get(BitArrays[r], i).backColor();
            bits += c == 0xC0FFC0 ? '1' : c == 0xC0C0FF ? '0' : c == forms::colors::WindowBackground ? '-' : '?';
        }
        auto& cell = get<forms::TextBox>("txtData", r);
        const auto c = cell.backColor();
        return cell.text() + " " + bits + " " + (c == 0xFFFFFF ? 'W' : c == 0xFFFF ? 'Y' : '-');
    }
    std::vector<std::string> page()
    {
        std::vector<std::string> rows;
        for (int r = 0; r < 11; ++r)
            rows.push_back(row(r));
        return rows;
    }
    std::vector<int> yellowCells()
    {
        std::vector<int> yellow;
        for (int r = 0; r < 11; ++r)
            if (get("txtData", r).backColor() == 0xFFFF)
                yellow.push_back(r);
        return yellow;
    }
    // The bus since the last look.
    Trace trace()
    {
        Trace out;
        for (const Transfer& t : transfers())
            out.push_back(step(t));
        bus().clearLog();
        return out;
    }
    static Trace readAll(int failing = -1)
    {
        Trace out;
        for (int r = 0; r < 11; ++r)
            out.push_back(step({Read, 0, r, 0, static_cast<std::int16_t>(r == failing)}));
        return out;
    }
};

TEST_F(RegistersPageTest, ReadAllShowsEachRegisterInItsOwnRowAndAFailedOneAsNothing)
{
    EXPECT_EQ(row(0), " -------- -");
    user().click("cmdReadAll");
    EXPECT_EQ(trace(), readAll());
    EXPECT_EQ(row(0), "00 00000000 W");
    EXPECT_EQ(row(1), "FF 11111111 W");
    EXPECT_EQ(row(2), "A5 10100101 W");
    EXPECT_EQ(row(5), "22 00100010 W");
    EXPECT_EQ(platform().pointerHistory(), (std::vector<int>{forms::pointer::Hourglass, forms::pointer::Default}));

    bus().failByteTransfer(Read, 5, 1);
    bus().setByte(6, 0x5A);
    user().click("cmdReadAll");
    EXPECT_EQ(trace(), readAll(5));
    EXPECT_EQ(row(5), " -------- W");
    EXPECT_EQ(row(6), "5A 01011010 W");
    EXPECT_TRUE(platform().messages().empty());
}

TEST_F(RegistersPageTest, WriteSendsTheCellThenReadsAllOrRefusesWhatIsNoHexByte)
{
    struct Case {
        const char* button;
        int index;
        const char* typed;
        Trace written;
        std::string shown;
    };
    const Case cases[] = {
        {"cmdWrite", 1, "3", {"W01=03"}, "03 00000011 W"},
        {"cmdWrite", 2, "", {"W02=00"}, "00 00000000 W"},
        {"Command18", 3, "81", {"W03=81"}, "81 10000001 W"},
        {"cmdWrite", 5, "c", {"W05=0C"}, "0C 00001100 W"},
        {"cmdWrite", 1, "G1", {}, "G1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " " + c.typed);
        user().click("txtData", c.index);
        get<forms::TextBox>("txtData", c.index).userReplaceText(c.typed);
        user().click(c.button, c.index);
        Trace expected = c.written;
        if (!expected.empty())
            std::ranges::copy(readAll(), std::back_inserter(expected));
        EXPECT_EQ(trace(), expected);
        EXPECT_EQ(expected.empty() ? get<forms::TextBox>("txtData", c.index).text() : row(c.index), c.shown);
    }
    ASSERT_EQ(platform().messages().size(), 1u);
    EXPECT_EQ(platform().messages()[0].text + "/" + platform().messages()[0].title, "Please enter a valid hex byte./Darnex");
    EXPECT_EQ(platform().messages()[0].buttons, forms::Buttons::Ok);
    EXPECT_TRUE(get("txtData", 1).hasFocus());
}

TEST_F(RegistersPageTest, ScanReadsOneRegisterPerTickAndHighlightsOnlyTheLastOneRead)
{
    user().click("chkScan");
    advance(199);
    EXPECT_EQ(trace(), Trace{});
    advance(1);
    EXPECT_EQ(trace(), Trace{"R01"});
    EXPECT_EQ(row(1), "FF 11111111 Y");
    advance(600);
    EXPECT_EQ(trace(), (Trace{"R02", "R03", "R04"}));
    user().click("chkScan");
    advance(1000);
    user().click("chkScan");  // resumes where it stopped
    advance(200);
    EXPECT_EQ(trace(), Trace{"R05"});
    EXPECT_EQ(yellowCells(), std::vector<int>{5});

    // The focus in an editable cell holds the scan until it leaves.
    user().click("txtData", 2);
    advance(1000);
    EXPECT_EQ(trace(), Trace{});
    user().focus("picRegisters");
    advance(200);
    EXPECT_EQ(trace(), Trace{"R06"});

    // A failed tick changes nothing on the page; the next one goes on.
    bus().failByteTransfer(Read, 7, 1);
    const auto before = page();
    advance(200);
    EXPECT_EQ(page(), before);
    advance(1000);
    EXPECT_EQ(trace(), (Trace{"R07!", "R08", "R09", "R0A", "R00", "R01"}));
    EXPECT_EQ(row(7), " -------- -");
    EXPECT_EQ(yellowCells(), std::vector<int>{1});

    // Read All whitens the highlight; the next tick highlights the following register.
    user().click("cmdReadAll");
    EXPECT_EQ(yellowCells(), std::vector<int>{});
    advance(200);
    EXPECT_EQ(yellowCells(), std::vector<int>{2});
    EXPECT_TRUE(platform().messages().empty());
}

TEST_F(RegistersPageTest, TabNeverLandsInAReadOnlyCellNorSticks)
{
    user().click("txtData", 6);
    EXPECT_TRUE(get("picRegisters").hasFocus());
    for (bool backwards : {false, true}) {
        SCOPED_TRACE(backwards ? "Shift+Tab" : "Tab");
        user().click("txtData", 5);
        int steps = 0;
        do {
            user().tab(backwards);
            auto* at = form2().activeControl();
            ASSERT_NE(at, nullptr);
            EXPECT_FALSE(at->name() == "txtData" && (at->index() == 0 || at->index() > 5)) << at->index();
        } while (!get("txtData", 5).hasFocus() && ++steps < 50);
        EXPECT_LT(steps, 50);
    }
}

}  // namespace
}  // namespace protector_test
