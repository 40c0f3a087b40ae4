// Combo boxes: the model keeps the list index and the text; only a pick from the list is a Click.
#include <QComboBox>
#include <QLineEdit>

#include "platform/forms/combo_box.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

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
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentIndex(), -1);  // filling the list selects nothing

    box.setListIndex(2);
    for (const char* text : {"0x01", "hello"}) {  // even text that matches an item
        box.setText(text);
        EXPECT_EQ(combo->currentIndex(), -1);
        EXPECT_EQ(combo->currentText(), text);
    }
    EXPECT_EQ(clicks, 1);

    combo->activated(1);  // what Qt emits for a pick from the list; a repeated pick clicks again
    combo->activated(1);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(box.listIndex(), 1);
    EXPECT_EQ(box.text(), "0x01");
    EXPECT_EQ(combo->currentText(), "0x01");

    // Typing sets the text only, at the caret.
    combo->setFocus();
    combo->lineEdit()->setCursorPosition(2);
    type("7");
    EXPECT_EQ(box.text(), "0x701");
    EXPECT_EQ(box.listIndex(), -1);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), 3);
    EXPECT_EQ(clicks, 3);
}

}  // namespace
}  // namespace qtview_test
