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

class TextBoxTest : public QtViewTest {
protected:
    TextBox& box = form.add<TextBox>("txtValue");
    std::vector<int> keys;
    int changes = 0;
    QLineEdit* edit = nullptr;

    void SetUp() override
    {
        QtViewTest::SetUp();
        box.move(120, 120, 1500, 315);
        box.onKeyPress = [this](int& k) {
            keys.push_back(k);
            if (k >= 'A' && k <= 'z')
                k = 0;  // digits only, as the program's key filters do
        };
        box.onChange = [this] { ++changes; };
        showForm();
        edit = widgetAs<QLineEdit>(box);
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        ASSERT_TRUE(box.hasFocus());
    }
};

TEST_F(TextBoxTest, TypedKeysGoThroughKeyPressAndTheFilterHolds)
{
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
}

TEST_F(TextBoxTest, KeyCodesOfSpecialKeys)
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
        {Qt::Key_V, "\x16", Qt::ControlModifier, -1},  // paste is no key press
        {Qt::Key_V, "v", Qt::ControlModifier, -1},
        {Qt::Key_X, "x", Qt::AltModifier, -1},
        {Qt::Key_Delete, "\x7f", Qt::NoModifier, -1},
        {Qt::Key_Left, "", Qt::NoModifier, -1},
        {0, QString::fromUtf8("\xc3\xa9"), Qt::NoModifier, 0xE9},
    };
    for (const Case& c : cases) {
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods, c.text);
        EXPECT_EQ(qv::TextBoxView::keyCode(e), c.code) << c.text.toStdString();
    }
}

TEST_F(TextBoxTest, DeleteAndPasteEditTheModelWithoutKeyPress)
{
    box.setText("12345");
    box.setSelStart(1);
    EXPECT_EQ(edit->cursorPosition(), 1);
    changes = 0;
    key(Qt::Key_Delete, "\x7f");
    EXPECT_EQ(box.text(), "1345");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.selStart(), 1);  // the caret stays where the user deleted
    EXPECT_EQ(edit->cursorPosition(), 1);

    QGuiApplication::clipboard()->setText("99");
    key(Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(box.text(), "199345");
    EXPECT_TRUE(keys.empty());
}

TEST_F(TextBoxTest, MaxLengthRefusesTypingButNotCode)
{
    box.setMaxLength(2);
    type("123");
    EXPECT_EQ(edit->text(), "12");
    box.setText("123456");
    EXPECT_EQ(edit->text(), "123456");
}

TEST_F(TextBoxTest, TypingReplacesTheSelectionTheUserMade)
{
    box.setText("1234");
    edit->setSelection(1, 2);  // as a mouse drag would
    EXPECT_EQ(box.selStart(), 1);
    EXPECT_EQ(box.selLength(), 2);
    type("9");
    EXPECT_EQ(box.text(), "194");
    EXPECT_EQ(edit->cursorPosition(), 2);
}

TEST_F(TextBoxTest, SelectionFromCodeShowsAndSurvivesLeavingAndTabbingBack)
{
    auto& other = form.add<TextBox>("txtOther");
    other.move(120, 600, 1500, 315);
    box.setText("ABCD");
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
