// The controls' views: the user's input goes to the model first, the widget mirrors the model,
// and a change made by code reaches the widget without raising anything twice.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/text_box.h"
#include "platform/qtview/graphical_check_box.h"
#include "platform/qtview/text_box_view.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

using forms::CheckBox;
using forms::CheckStyle;
using forms::OptionButton;
using forms::TextBox;

TEST_F(QtViewTest, ValueFromCodeReachesTheWidgetAndUserClicksAnywhereReachTheModel)
{
    auto& standard = put<CheckBox>("chkStandard", 120, 120, 1500, 375);
    auto& graphical = put<CheckBox>("chkGraphical", 120, 600, 450, 375);
    auto& option = put<OptionButton>("optMode", 120, 1080, 1500, 375);
    for (forms::Control* c : std::initializer_list<forms::Control*>{&standard, &graphical, &option})
        record(*c);
    showForm();
    graphical.setStyle(CheckStyle::Graphical);  // after show: the widget is replaced
    graphical.setBackColor(0x8080FF);           // BGR: red 0xFF, green and blue 0x80
    log.clear();

    standard.setValue(1);
    graphical.setValue(1);
    option.setValue(true);
    platform.doEvents();
    EXPECT_EQ(log, (Log{"chkStandard.Click", "chkGraphical.Click", "optMode.Click"}));
    EXPECT_EQ(widgetAs<QCheckBox>(standard)->checkState(), Qt::Checked);
    EXPECT_TRUE(widgetAs<QRadioButton>(option)->isChecked());
    auto* box = widgetAs<QCheckBox>(standard);
    standard.setValue(2);
    EXPECT_EQ(box->checkState(), Qt::PartiallyChecked);
    click(box, QPoint(box->width() - 3, box->height() / 2));  // past the caption; greyed goes to clear
    EXPECT_EQ(std::tuple(standard.value(), box->checkState(), log.back()), std::tuple(0, Qt::Unchecked, "chkStandard.Click"));

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

TEST_F(QtViewTest, ComboShowsTextWithNoItemSelectedAndOnlyAPickIsAClick)
{
    auto& box = put<forms::ComboBox>("cboRegister", 120, 120, 2000, 315);
    for (const char* item : {"0x00", "0x01", "0x02"})
        box.addItem(item);
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    showForm();
    auto* combo = widgetAs<QComboBox>(box);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(std::pair(combo->count(), combo->currentIndex()), std::pair(3, -1));  // filling selects nothing

    box.setListIndex(2);
    for (const char* text : {"0x01", "hello"}) {  // even text that matches an item
        box.setText(text);
        EXPECT_EQ(std::pair(combo->currentIndex(), combo->currentText()), std::pair(-1, QString(text)));
    }
    EXPECT_EQ(clicks, 1);

    combo->activated(1);  // what Qt emits for a pick from the list; a repeated pick clicks again
    combo->activated(1);
    EXPECT_EQ(std::tuple(clicks, box.listIndex(), box.text(), combo->currentText()), std::tuple(3, 1, "0x01", "0x01"));

    // Typing sets the text only, at the caret.
    combo->setFocus();
    combo->lineEdit()->setCursorPosition(2);
    type("7");
    EXPECT_EQ(std::tuple(box.text(), box.listIndex(), combo->currentIndex(), combo->lineEdit()->cursorPosition(), clicks),
              std::tuple("0x701", -1, -1, 3, 3));
}

TEST(TextBoxKeys, KeyCodesOfSpecialKeys)
{
    using Case = std::tuple<int, const char*, Qt::KeyboardModifiers, int>;  // key, text, modifiers, code
    for (const auto& [qtKey, text, mods, code] : std::initializer_list<Case>{
             {Qt::Key_Backspace, "\b", Qt::NoModifier, 8},
             {Qt::Key_Enter, "\r", Qt::KeypadModifier, 13},
             {Qt::Key_H, "\b", Qt::ControlModifier, 8},  // Ctrl+H under X
             {Qt::Key_V, "v", Qt::ControlModifier, -1},  // shortcuts type nothing
             {Qt::Key_Left, "", Qt::NoModifier, -1},
             {0, "\xc3\xa9", Qt::NoModifier, 0xE9},
         }) {
        QKeyEvent e(QEvent::KeyPress, qtKey, mods, QString::fromUtf8(text));
        EXPECT_EQ(qv::TextBoxView::keyCode(e), code) << text;
    }
}

TEST_F(QtViewTest, TypedKeysGoThroughKeyPressOtherEditsStraightToTheModelAndTheSelectionBothWays)
{
    auto& box = put<TextBox>("txtValue", 120, 120, 1500, 315);
    auto& other = put<TextBox>("txtOther", 120, 600, 1500, 315);
    std::vector<int> keys;
    box.onKeyPress = [&](int& k) {
        keys.push_back(k);
        if (k >= 'A' && k <= 'z')
            k = 0;  // digits only, as the program's key filters do
    };
    showForm();
    auto* edit = widgetAs<QLineEdit>(box);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();

    type("1a2b3");
    QInputMethodEvent composed({}, {});
    composed.setCommitString("4x");  // a dead key or an input method types keys too
    QApplication::sendEvent(edit, &composed);
    EXPECT_EQ(keys, (std::vector<int>{'1', 'a', '2', 'b', '3', '4', 'x'}));
    EXPECT_EQ(std::pair(box.text(), edit->text()), std::pair(std::string("1234"), QString("1234")));

    // Delete edits the model without KeyPress; the caret stays where the user was.
    keys.clear();
    box.setSelStart(1);
    EXPECT_EQ(edit->cursorPosition(), 1);
    key(Qt::Key_Delete, "\x7f");
    EXPECT_EQ(std::tuple(box.text(), box.selStart(), edit->cursorPosition(), keys.size()), std::tuple("134", 1, 1, 0u));

    // The selection follows both ways, and Qt's habits on leaving and on Tab do not change it.
    box.setText("1234");
    edit->setSelection(1, 2);  // as a mouse drag would
    EXPECT_EQ(std::pair(box.selStart(), box.selLength()), std::pair(1, 2));
    box.setMaxLength(2);
    box.setText("ABCD");  // code is not limited by MaxLength, in the widget either
    EXPECT_EQ(edit->text(), "ABCD");
    box.setSelStart(0);
    box.setSelLength(2);
    EXPECT_EQ(edit->selectedText(), "AB");
    widgetOf(other)->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(box.selLength(), 2);  // Qt drops the selection on leaving; the model keeps it
    edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit->selectedText(), "AB");  // not Qt's select-all on Tab

    // A paste is cut to MaxLength, and the long text is let go, in the model and the widget.
    const QString pasted(100'000, QChar('7'));
    QGuiApplication::clipboard()->setText(pasted);
    edit->paste();
    EXPECT_EQ(std::pair(box.text(), edit->text()), std::pair(std::string("77"), QString("77")));
    EXPECT_LT(box.text().capacity(), 1000u);
    EXPECT_FALSE(edit->isUndoAvailable());
}

}  // namespace
}  // namespace qtview_test
