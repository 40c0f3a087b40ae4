#include "platform/forms/text_box.h"

#include <algorithm>

namespace platform::forms {

// Text is UTF-8; caret, selection and MaxLength count characters, as the toolkit's edit does.
namespace {

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

int charCount(const std::string& s)
{
    return static_cast<int>(std::count_if(s.begin(), s.end(), [](char c) { return !isContinuation(c); }));
}

std::size_t byteOffset(const std::string& s, int chars)
{
    std::size_t i = 0;
    for (; i < s.size() && chars > 0; --chars)
        for (++i; i < s.size() && isContinuation(s[i]); ++i) {
        }
    return i;
}

std::string encode(int code)
{
    auto u = static_cast<unsigned>(code);
    std::string out;
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
    return out;
}

bool insertable(int code)
{
    return code >= 32 && code != 127 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

}  // namespace

TextBox::TextBox(Form& form, std::string name, int index, Control* container)
    : Control(form, Kind::TextBox, std::move(name), index, container)
{
}

void TextBox::setText(std::string v)
{
    if (v == text_)
        return;
    text_ = std::move(v);
    selStart_ = charCount(text_);
    selLength_ = 0;
    changed(Prop::Text);
    changed(Prop::Selection);
    if (onChange)
        onChange();
}

void TextBox::setSelStart(int v)
{
    selStart_ = std::clamp(v, 0, charCount(text_));
    selLength_ = 0;
    changed(Prop::Selection);
}

void TextBox::setSelLength(int v)
{
    selLength_ = std::clamp(v, 0, charCount(text_) - selStart_);
    changed(Prop::Selection);
}

std::string TextBox::selText() const
{
    std::size_t from = byteOffset(text_, selStart_);
    std::size_t to = byteOffset(text_, selStart_ + selLength_);
    return text_.substr(from, to - from);
}

void TextBox::userKey(int keyAscii)
{
    if (!effectivelyVisible() || !effectivelyEnabled())
        return;
    if (!hasFocus())
        setFocus();
    if (!hasFocus())
        return;
    int key = keyAscii;
    if (onKeyPress)
        onKeyPress(key);
    if (key == 0 || locked_)
        return;

    // The handler may have changed the text: keep the selection inside it.
    const int length = charCount(text_);
    int start = std::clamp(selStart_, 0, length);
    int count = std::clamp(selLength_, 0, length - start);
    std::string insert;
    if (key == 8) {
        if (count == 0) {
            if (start == 0)
                return;
            --start;
            count = 1;
        }
    } else if (insertable(key)) {
        if (maxLength_ > 0 && length - count + 1 > maxLength_)
            return;
        insert = encode(key);
    } else {
        return;  // Enter, Esc and other control codes put nothing in the text
    }
    std::size_t from = byteOffset(text_, start);
    std::size_t to = byteOffset(text_, start + count);
    text_.replace(from, to - from, insert);
    selStart_ = start + (insert.empty() ? 0 : 1);
    selLength_ = 0;
    changed(Prop::Text);
    changed(Prop::Selection);
    if (onChange)
        onChange();
}

void TextBox::userReplaceText(std::string v)
{
    if (!effectivelyVisible() || !effectivelyEnabled())
        return;
    if (!hasFocus())
        setFocus();
    if (!hasFocus() || locked_)
        return;
    // A new string, not a cut one (nor one assigned into it): that would keep the whole paste's
    // buffer for as long as the text.
    if (maxLength_ > 0 && charCount(v) > maxLength_)
        setText(std::string(v, 0, byteOffset(v, maxLength_)));
    else
        setText(std::move(v));
}

}  // namespace platform::forms
