// A field update reads once and writes once, keeping the bits outside the field; a failed read
// writes nothing and hands its status back.
#include <gmock/gmock.h>

#include "protector/field_update.h"
#include "protector_fixture.h"

namespace protector_test {
namespace {

TEST_F(ProtectorTest, FieldUpdateKeepsOtherBitsAndNeverWritesAfterAFailedRead)
{
    struct Case {
        int d, mask, value, failRead, failWrite, status;
        Transfers bus;
    };
    const Case cases[] = {
        {0x81, 0x08, 0xFF, 0, 0, 0, {{Read, 0x52, 0x04, 0x81, 0}, {Write, 0x52, 0x04, 0x89, 0}}},
        {0xA3, 0xF0, 0x50, 0, 0, 0, {{Read, 0x52, 0x04, 0xA3, 0}, {Write, 0x52, 0x04, 0x53, 0}}},
        {0x87, 0x01, 0x00, 5, 0, 5, {{Read, 0x52, 0x04, 0x00, 5}}},
        {0x87, 0x01, 0x00, 0, 6, 6, {{Read, 0x52, 0x04, 0x87, 0}, {Write, 0x52, 0x04, 0x86, 6}}},
    };
    start();
    user().pick("mnuTestMode");
    for (const Case& c : cases) {
        bus().clearLog();
        bus().setByte(0x04, static_cast<std::uint8_t>(c.d));
        if (c.failRead)
            bus().failByteTransfer(Read, 0x04, 1, static_cast<std::int16_t>(c.failRead));
        if (c.failWrite)
            bus().failByteTransfer(Write, 0x04, 1, static_cast<std::int16_t>(c.failWrite));
        EXPECT_EQ(protector::updateField(driver.program(), 0x04, static_cast<std::uint8_t>(c.mask),
                                         static_cast<std::uint8_t>(c.value)), c.status);
        EXPECT_THAT(transfers(), ::testing::ElementsAreArray(c.bus));
    }
}

}  // namespace
}  // namespace protector_test
