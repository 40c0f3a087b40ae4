// Combo boxes: the model keeps the list index and the text; only a pick from the list is a Click.
#include <QComboBox>
#include <QLineEdit>

#include "platform/forms/combo_box.h"
#include "qt_test_helpers.h"

namespace qtview_test {
namespace {

class ComboBoxTest : public QtViewTest {
protected:
    forms::ComboBox& box = form.add<forms::ComboBox>("cboRegister");
    QComboBox* combo = nullptr;
    int clicks = 0;

    void SetUp() override
    {
        QtViewTest::SetUp();
        box.move(120, 120, 2000, 315);
        for (const char* item : {"0x00", "0x01", "0x02"})
            box.addItem(item);
        box.onClick = [this] { ++clicks; };
        showForm();
        combo = widgetAs<QComboBox>(box);
        ASSERT_NE(combo, nullptr);
    }
};

TEST_F(ComboBoxTest, TextFromCodeShowsWithNoItemSelectedEvenWhenItMatchesOne)
{
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentIndex(), -1);  // filling the list selects nothing
    box.setListIndex(2);
    clicks = 0;
    for (const char* text : {"0x01", "hello"}) {
        box.setText(text);
        EXPECT_EQ(combo->currentIndex(), -1);
        EXPECT_EQ(combo->currentText(), text);
    }
    EXPECT_EQ(clicks, 0);
}

TEST_F(ComboBoxTest, UserPickIsOneClickAndRepeatingItIsAnother)
{
    combo->activated(1);  // what Qt emits for a pick from the list
    EXPECT_EQ(box.listIndex(), 1);
    EXPECT_EQ(box.text(), "0x01");
    EXPECT_EQ(combo->currentText(), "0x01");
    combo->activated(1);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ComboBoxTest, TypingSetsTheTextOnlyAndKeepsTheCaret)
{
    box.setListIndex(0);
    clicks = 0;
    combo->setFocus();
    combo->lineEdit()->setCursorPosition(2);
    type("7");
    EXPECT_EQ(box.text(), "0x700");
    EXPECT_EQ(box.listIndex(), -1);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->currentText(), "0x700");
    EXPECT_EQ(combo->lineEdit()->cursorPosition(), 3);
    EXPECT_EQ(clicks, 0);
}

}  // namespace
}  // namespace qtview_test
