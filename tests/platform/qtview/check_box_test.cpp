// Check boxes and option buttons: the user's click goes to the model, the widget follows it, and a
// change made by code updates the widget without raising anything twice.
#include <QCheckBox>
#include <QRadioButton>

#include "platform/forms/check_box.h"
#include "platform/qtview/graphical_check_box.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

using forms::CheckBox;
using forms::CheckStyle;

class CheckBoxTest : public QtViewTest {
protected:
    CheckBox& box = form.add<CheckBox>("chkBit", nullptr, 3);
    int clicks = 0;

    void SetUp() override
    {
        QtViewTest::SetUp();
        box.move(120, 120, 450, 375);
        box.setCaption("1");
        box.onClick = [this] { ++clicks; };
    }
};

TEST_F(CheckBoxTest, GraphicalClickFlipsTheValueOnceAndTheLookFollowsInTheExactColour)
{
    box.setStyle(CheckStyle::Graphical);
    box.setBackColor(0x8080FF);  // BGR: red 0xFF, green and blue 0x80
    showForm();
    auto* button = widgetAs<qv::GraphicalCheckBox>(box);
    ASSERT_NE(button, nullptr);
    const QColor exact(0xFF, 0x80, 0x80);
    EXPECT_EQ(button->grab().toImage().pixelColor(2, 2), exact);

    for (int expected : {1, 0}) {
        click(button);
        EXPECT_EQ(box.value(), expected);
        EXPECT_EQ(button->sunken(), expected == 1);
        const QImage look = button->grab().toImage();
        EXPECT_EQ(look.pixelColor(2, 2), exact);
        // Pressed, the top-left edge is dark; raised, it is light.
        EXPECT_EQ(look.pixelColor(0, 0).lightness() < 128, expected == 1);
    }
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(button->isChecked());  // the value lives in the model only
}

TEST_F(CheckBoxTest, ValueSetByCodeRaisesClickOnceAndTheWidgetFollows)
{
    for (CheckStyle style : {CheckStyle::Standard, CheckStyle::Graphical}) {
        SCOPED_TRACE(style == CheckStyle::Standard ? "standard" : "graphical");
        box.setValue(0);
        box.setStyle(style);
        showForm();
        clicks = 0;
        box.setValue(1);
        platform.doEvents();
        EXPECT_EQ(clicks, 1);
        auto* graphical = widgetAs<qv::GraphicalCheckBox>(box);
        ASSERT_EQ(graphical != nullptr, style == CheckStyle::Graphical);
        if (graphical)
            EXPECT_TRUE(graphical->sunken());
        else
            EXPECT_EQ(widgetAs<QCheckBox>(box)->checkState(), Qt::Checked);
        box.setCaption("0");
        EXPECT_EQ(widgetAs<QAbstractButton>(box)->text(), "0");
        EXPECT_EQ(clicks, 1);
    }
}

TEST_F(CheckBoxTest, StandardClickAnywhereFlipsOnlyBetweenClearAndTicked)
{
    box.move(120, 120, 3000, 375);
    box.setCaption("Enable");
    showForm();
    auto* check = widgetAs<QCheckBox>(box);
    ASSERT_NE(check, nullptr);
    box.setValue(2);  // greyed from code
    EXPECT_EQ(check->checkState(), Qt::PartiallyChecked);
    clicks = 0;

    const QPoint farRight(check->width() - 3, check->height() / 2);  // past the caption
    for (int expected : {0, 1, 0}) {
        click(check, farRight);
        EXPECT_EQ(box.value(), expected);
        EXPECT_EQ(check->checkState(), expected ? Qt::Checked : Qt::Unchecked);
    }
    EXPECT_EQ(clicks, 3);
}

TEST_F(CheckBoxTest, OptionButtonsOfAGroupFollowTheModel)
{
    auto& a = form.add<forms::OptionButton>("optMode", nullptr, 0);
    auto& b = form.add<forms::OptionButton>("optMode", nullptr, 1);
    a.move(120, 600, 1500, 300);
    b.move(120, 960, 1500, 300);
    int picks = 0;
    b.onClick = [&] { ++picks; };
    a.setValue(true);
    showForm();

    click(widgetOf(b));
    EXPECT_TRUE(b.value());
    EXPECT_FALSE(a.value());
    EXPECT_EQ(picks, 1);
    EXPECT_TRUE(widgetAs<QRadioButton>(b)->isChecked());
    EXPECT_FALSE(widgetAs<QRadioButton>(a)->isChecked());

    click(widgetOf(b));  // already set: stays set, no new Click
    EXPECT_TRUE(widgetAs<QRadioButton>(b)->isChecked());
    EXPECT_EQ(picks, 1);
}

}  // namespace
}  // namespace qtview_test
