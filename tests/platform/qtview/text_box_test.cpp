// Text boxes: typed characters go through the model's KeyPress, other edits reach the model
// afterwards, and the widget shows the model's text and caret.
#include <QClipboard>
#include <QLineEdit>

#include "platform/forms/text_box.h"
#include "platform/qtview/text_box_view.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

using forms::TextBox;

TEST(TextBoxKeys, KeyCodesOfSpecialKeys)
{
    struct Case {
        int key;
        QString text;
        Qt::KeyboardModifiers mods;
        int code;
    } cases[] = {
        {Qt::Key_Backspace, "\b", Qt::NoModifier, 8},
        {Qt::Key_Enter, "\r", Qt::KeypadModifier, 13},
        {Qt::Key_Escape, "\x1b", Qt::NoModifier, 27},
        {Qt::Key_H, "\b", Qt::ControlModifier, 8},  // Ctrl+H under X
        {Qt::Key_A, "A", Qt::ShiftModifier, 'A'},
        {Qt::Key_V, "v", Qt::ControlModifier, -1},  // shortcuts type nothing
        {Qt::Key_X, "x", Qt::AltModifier, -1},
        {Qt::Key_Left, "", Qt::NoModifier, -1},
        {0, QString::fromUtf8("\xc3\xa9"), Qt::NoModifier, 0xE9},
    };
    for (const Case& c : cases) {
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods, c.text);
        EXPECT_EQ(qv::TextBoxView::keyCode(e), c.code) << c.text.toStdString();
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
    int changes = 0;
    box.onChange = [&] { ++changes; };
    showForm();
    auto* edit = widgetAs<QLineEdit>(box);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();

    type("1a2b3");
    EXPECT_EQ(keys, (std::vector<int>{'1', 'a', '2', 'b', '3'}));
    EXPECT_EQ(box.text(), "123");
    EXPECT_EQ(edit->text(), "123");
    EXPECT_EQ(changes, 3);
    QInputMethodEvent composed({}, {});
    composed.setCommitString("4x");  // a dead key or an input method
    QApplication::sendEvent(edit, &composed);
    EXPECT_EQ(box.text(), "1234");
    key(Qt::Key_Backspace, "\b");
    key(Qt::Key_Return, "\r");
    EXPECT_EQ(keys.back(), 13);
    EXPECT_EQ(keys.at(keys.size() - 2), 8);
    EXPECT_EQ(edit->text(), "123");

    // Delete and paste edit the model without KeyPress; the caret stays where the user was.
    keys.clear();
    box.setText("12345");
    box.setSelStart(1);
    EXPECT_EQ(edit->cursorPosition(), 1);
    changes = 0;
    key(Qt::Key_Delete, "\x7f");
    EXPECT_EQ(box.text(), "1345");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.selStart(), 1);
    EXPECT_EQ(edit->cursorPosition(), 1);
    QGuiApplication::clipboard()->setText("99");
    key(Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(box.text(), "199345");
    EXPECT_TRUE(keys.empty());

    // The selection follows both ways, and Qt's habits on leaving and on Tab do not change it.
    box.setText("1234");
    edit->setSelection(1, 2);  // as a mouse drag would
    EXPECT_EQ(box.selStart(), 1);
    EXPECT_EQ(box.selLength(), 2);
    type("9");
    EXPECT_EQ(box.text(), "194");
    EXPECT_EQ(edit->cursorPosition(), 2);
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
}

}  // namespace
}  // namespace qtview_test
