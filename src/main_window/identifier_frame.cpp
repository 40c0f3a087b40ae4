// The manufacturer and device identifier frame of the application screen.
#include "adapter/bus.h"
#include "common/helpers.h"
#include "common/window_registry.h"
#include "main_window/form2.h"
#include "main_window/bit_row.h"
#include "platform/forms/platform.h"
#include "platform/forms/simple_controls.h"

namespace main_window {

namespace forms = platform::forms;

namespace {

constexpr std::uint8_t ManufacturerIdCommand = 0xFE;
constexpr std::uint8_t DeviceIdCommand = 0xFF;

}  // namespace

void Form2::buildIdentifierFrame()
{
    auto& frame = add<forms::Frame>("Frame22", find("picApplication"));
    frame.move(120, 4920, 10935, 2775);
    frame.setCaption("Manufacturer and Device ID (Addr 0xFE-0xFF)");

    auto label = [this, &frame](const char* name, const char* caption, int left, int top, int width,
                                int height) -> forms::Label& {
        auto& l = add<forms::Label>(name, &frame);
        l.move(left, top, width, height);
        l.setCaption(caption);
        return l;
    };
    label("Label58", "Manufacturer ID (0xFE)", 75, 675, 1215, 495).setWordWrap(true);
    label("Label59", "           Device ID  (0xFF)", 0, 1725, 1215, 495).setWordWrap(true);

    // One cell per bit, bit 15 leftmost. The cells overlap by a pixel: each lies below its right
    // neighbour, whose dark left edge then parts even two white cells. The digit is centred; the
    // caption's padding blanks do not move it.
    for (const auto& [row, top] : {std::pair{"lblManufId", 600}, std::pair{"lblDevId", 1680}}) {
        for (int bit = 0; bit <= 15; ++bit) {
            auto& cell = add<forms::Label>(row, &frame, bit);
            cell.move(1320 + 480 * (15 - bit), top, 495, 495);
            cell.setCaption("0");
            cell.setBackColor(forms::colors::WindowBackground);
            cell.setForeColor(forms::colors::WindowText);
            cell.setBorderStyle(forms::BorderStyle::FixedSingle);
            cell.setAlignment(forms::Alignment::Center);
        }
    }
    for (const auto& [name, top] : {std::pair{"lblManufIdValue", 720}, std::pair{"lblDevIdValue", 1800}}) {
        auto& value = label(name, "", 9360, top, 735, 285);
        value.setBackColor(forms::colors::HighlightText);
        value.setBorderStyle(forms::BorderStyle::FixedSingle);
        value.setAlignment(forms::Alignment::Center);
    }
    label("Label56", "hex", 10320, 720, 500, 255);
    label("Label57", "hex", 10320, 1800, 500, 255);

    auto& read = add<forms::CommandButton>("cmdReadId", &frame);
    read.move(9360, 2280, 1095, 375);
    read.setCaption("Read");
}

void Form2::cmdReadId_Click()
{
    auto& platform = this->platform();
    const int savedPointer = platform.mousePointer();
    platform.setMousePointer(forms::pointer::Hourglass);

    std::uint8_t ms = 0;
    std::uint8_t ls = 0;
    if (adapter::ReadWordReg(program_, ManufacturerIdCommand, ms, ls) != 0) {
        // The device identifier is not read after a failed manufacturer read.
        platform.msgBox("Read ERROR");
    } else {
        showIdentifier("lblManufId", "lblManufIdValue", ms, ls);
        if (adapter::ReadWordReg(program_, DeviceIdCommand, ms, ls) != 0)
            platform.msgBox("Read ERROR");
        else
            showIdentifier("lblDevId", "lblDevIdValue", ms, ls);
    }

    platform.setMousePointer(savedPointer);
}

void Form2::showIdentifier(const std::string& cells, const std::string& valueLabel, std::uint8_t ms,
                           std::uint8_t ls)
{
    get<forms::Label>(valueLabel).setCaption(common::Hex2(ms) + common::Hex2(ls));
    const unsigned word = ms * 256u + ls;
    for (int bit = 0; bit <= 15; ++bit) {
        auto& cell = get<forms::Label>(cells, bit);
        const bool set = (word >> bit) & 1u;
        cell.setCaption(set ? "         1" : "         0");
        cell.setBackColor(set ? SetBitColor : ClearBitColor);
    }
}

}  // namespace main_window
