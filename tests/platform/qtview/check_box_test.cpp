// Check boxes and option buttons (one view template): the user's click goes to the model, the
// widget follows it, and a change made by code updates the widget without raising anything twice.
#include <QCheckBox>
#include <QRadioButton>

#include "platform/forms/check_box.h"
#include "platform/qtview/graphical_check_box.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

using forms::CheckBox;
using forms::CheckStyle;
using forms::OptionButton;

TEST_F(QtViewTest, ValueAndCaptionFromCodeReachTheWidgetAndRaiseOnlyTheModelsClick)
{
    auto& standard = put<CheckBox>("chkStandard", 120, 120, 1500, 375);
    auto& graphical = put<CheckBox>("chkGraphical", 120, 600, 450, 375);
    auto& option = put<OptionButton>("optMode", 120, 1080, 1500, 375);
    const std::initializer_list<forms::Control*> all{&standard, &graphical, &option};
    for (forms::Control* c : all)
        record(*c);
    showForm();
    graphical.setStyle(CheckStyle::Graphical);  // after show: the widget is replaced
    graphical.setBackColor(0x8080FF);           // BGR: red 0xFF, green and blue 0x80
    log.clear();

    standard.setValue(1);
    graphical.setValue(1);
    option.setValue(true);
    for (forms::Control* c : all)
        c->setCaption("0");
    platform.doEvents();
    EXPECT_EQ(log, (Log{"chkStandard.Click", "chkGraphical.Click", "optMode.Click"}));
    EXPECT_EQ(widgetAs<QCheckBox>(standard)->checkState(), Qt::Checked);
    EXPECT_TRUE(widgetAs<QRadioButton>(option)->isChecked());
    for (forms::Control* c : all)
        EXPECT_EQ(widgetAs<QAbstractButton>(*c)->text(), "0") << c->name();
    standard.setValue(2);
    EXPECT_EQ(widgetAs<QCheckBox>(standard)->checkState(), Qt::PartiallyChecked);

    // The graphical style looks pressed while set, in its exact back colour; a click clears it.
    auto* button = widgetAs<qv::GraphicalCheckBox>(graphical);
    ASSERT_NE(button, nullptr);
    for (int expected : {1, 0}) {
        EXPECT_EQ(button->sunken(), expected == 1);
        const QImage look = button->grab().toImage();
        EXPECT_EQ(look.pixelColor(2, 2), QColor(0xFF, 0x80, 0x80));
        // Pressed, the top-left edge is dark; raised, it is light.
        EXPECT_EQ(look.pixelColor(0, 0).lightness() < 128, expected == 1);
        click(button);
    }
    EXPECT_EQ(graphical.value(), 1);
    EXPECT_EQ(log.back(), "chkGraphical.Click");
    EXPECT_FALSE(button->isChecked());  // the value lives in the model only
}

TEST_F(QtViewTest, ClickAnywhereOnTheButtonReachesTheModelWhichKeepsTheValue)
{
    auto& check = put<CheckBox>("chkEnable", 120, 120, 3000, 375);
    check.setCaption("Enable");
    int clicks = 0;
    check.onClick = [&] { ++clicks; };
    check.setValue(2);  // greyed from code
    auto& option = put<OptionButton>("optMode", 120, 600, 1500, 300);
    option.setValue(true);
    showForm();
    clicks = 0;

    auto* box = widgetAs<QCheckBox>(check);
    const QPoint farRight(box->width() - 3, box->height() / 2);  // past the caption
    for (int expected : {0, 1, 0}) {
        click(box, farRight);
        EXPECT_EQ(check.value(), expected);
        EXPECT_EQ(box->checkState(), expected ? Qt::Checked : Qt::Unchecked);
    }
    EXPECT_EQ(clicks, 3);

    click(widgetOf(option));  // already set: Qt must not clear it
    EXPECT_TRUE(option.value());
    EXPECT_TRUE(widgetAs<QRadioButton>(option)->isChecked());
}

}  // namespace
}  // namespace qtview_test
