#include "platform/qtview/combo_box_view.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"

namespace platform::qtview {

ComboBoxView::ComboBoxView(forms::ComboBox& box, FormWindow& window, QWidget* parent)
    : QComboBox(parent), ControlView(box, window), box_(box)
{
    setEditable(true);
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    setFocusPolicy(Qt::StrongFocus);
    // activated comes only from the user (also for the item already chosen).
    connect(this, &QComboBox::activated, this, [this](int i) { deliver([&] { box_.userChoose(i); }); });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) {
        {
            typing_ = true;
            deliver([&] { box_.userSetText(fromQString(t)); });
            typing_ = false;
        }
        showModelChoice();
    });
}

void ComboBoxView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::List)
        showModelList();
    else if ((what == forms::Prop::ListIndex || what == forms::Prop::Text) && !typing_)
        showModelChoice();
}

void ComboBoxView::showModelList()
{
    const QSignalBlocker quiet(this);
    clear();
    for (int i = 0; i < box_.listCount(); ++i)
        addItem(toQString(box_.list(i)));
    // Adding to an empty box selects its first item; the model's index stands.
    setCurrentIndex(-1);
    showModelChoice();
}

void ComboBoxView::showModelChoice()
{
    const QSignalBlocker quiet(this);
    QLineEdit* edit = lineEdit();
    const QString text = toQString(box_.text());
    if (currentIndex() != box_.listIndex()) {
        // Changing the index rewrites the edit text: keep the user's caret.
        const int caret = edit->cursorPosition();
        setCurrentIndex(box_.listIndex());
        if (edit->text() != text) {
            edit->setText(text);
            edit->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
        }
    } else if (edit->text() != text) {
        edit->setText(text);
    }
}

}  // namespace platform::qtview
