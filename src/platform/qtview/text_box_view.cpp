#include "platform/qtview/text_box_view.h"

#include <QKeyEvent>

#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"

namespace platform::qtview {

namespace {

struct Flag {
    bool& flag;
    bool old;
    explicit Flag(bool& f) : flag(f), old(f) { flag = true; }
    ~Flag() { flag = old; }
};

}  // namespace

TextBoxView::TextBoxView(forms::TextBox& box, FormWindow& window, QWidget* parent)
    : QLineEdit(parent), ControlView(box, window), box_(box)
{
    // No maxLength here: the model refuses extra typed characters and never truncates code's text.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& t) { userEdited(t); });
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { pushSelection(); });
    connect(this, &QLineEdit::selectionChanged, this, [this] { pushSelection(); });
}

int TextBoxView::keyCode(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    default: break;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return -1;
    const char32_t c = text.toUcs4().value(0);
    if (c == 8 || c == 13 || c == 27)
        return static_cast<int>(c);  // Ctrl+H, Ctrl+M, Ctrl+[
    const auto mods = event.modifiers();
    // Ctrl shortcuts (copy, paste, select all...) and Alt combinations type nothing; AltGr
    // (Ctrl+Alt) does type characters.
    const bool ctrl = mods.testFlag(Qt::ControlModifier), alt = mods.testFlag(Qt::AltModifier);
    if (ctrl != alt)
        return -1;
    if (c < 32 || c == 127)
        return -1;
    return static_cast<int>(c);
}

void TextBoxView::keyPressEvent(QKeyEvent* event)
{
    const int code = keyCode(*event);
    if (code < 0) {
        const auto mods = event->modifiers();
        if (mods.testFlag(Qt::AltModifier) && !mods.testFlag(Qt::ControlModifier)) {
            event->ignore();  // for the menu bar and access keys
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    pushSelection();
    deliver([&] { box_.userKey(code); });
    event->accept();
}

void TextBoxView::userEdited(const QString& t)
{
    // The widget already holds the edit and its caret; the model takes the text (which moves its
    // caret to the end) and then, unless a Change handler put its own text or caret, this caret.
    const int caret = toCharIndex(t, cursorPosition());
    const std::string sent = fromQString(t);
    deliver([&] { box_.userReplaceText(sent); });
    const int end = toCharIndex(t, static_cast<int>(t.size()));
    if (box_.text() == sent && box_.selStart() == end && box_.selLength() == 0 && caret != end)
        deliver([&] { box_.setSelStart(caret); });
    showModelText();
    showModelSelection();
}

void TextBoxView::pushSelection()
{
    if (quiet_ || pushing_)
        return;
    const QString t = text();
    int start = cursorPosition(), length = 0;
    if (hasSelectedText()) {
        start = selectionStart();
        length = static_cast<int>(selectedText().size());
    }
    const int s = toCharIndex(t, start), l = toCharIndex(t, start + length) - s;
    if (s == box_.selStart() && l == box_.selLength())
        return;
    Flag guard(pushing_);
    deliver([&] {
        box_.setSelStart(s);
        box_.setSelLength(l);
    });
}

void TextBoxView::syncOwn(forms::Prop what)
{
    setReadOnly(box_.locked());
    if (pushing_)
        return;
    if (what == forms::Prop::Text) {
        showModelText();
    } else if (what == forms::Prop::Selection) {
        showModelSelection();
    } else if (what == forms::Prop::Style) {
        const auto a = box_.alignment();
        setAlignment((a == forms::Alignment::Right    ? Qt::AlignRight
                      : a == forms::Alignment::Center ? Qt::AlignHCenter
                                                      : Qt::AlignLeft)
                     | Qt::AlignVCenter);
    }
}

void TextBoxView::showModelText()
{
    const QString t = toQString(box_.text());
    if (t == text())
        return;
    Flag guard(quiet_);
    setText(t);
}

void TextBoxView::showModelSelection()
{
    const QString t = text();
    const int start = toQtIndex(t, box_.selStart());
    const int end = toQtIndex(t, box_.selStart() + box_.selLength());
    Flag guard(quiet_);
    if (end > start)
        setSelection(start, end - start);
    else
        setCursorPosition(start);
}

void TextBoxView::focusInEvent(QFocusEvent* event)
{
    {
        // Qt selects everything on Tab; the model's selection stands.
        Flag guard(quiet_);
        QLineEdit::focusInEvent(event);
    }
    showModelSelection();
}

void TextBoxView::focusOutEvent(QFocusEvent* event)
{
    // Qt drops the selection when the focus leaves; the model keeps it.
    Flag guard(quiet_);
    QLineEdit::focusOutEvent(event);
}

}  // namespace platform::qtview
