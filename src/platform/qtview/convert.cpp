#include "platform/qtview/convert.h"

#include <algorithm>
#include <cmath>

namespace platform::qtview {

namespace {

QColor systemColor(int index, const QPalette& p)
{
    switch (index) {
    case 0: return p.color(QPalette::Button);          // scroll bars
    case 1: return p.color(QPalette::Dark);            // desktop
    case 2: return p.color(QPalette::Highlight);       // active caption
    case 3: return p.color(QPalette::Mid);             // inactive caption
    case 4: return p.color(QPalette::Button);          // menu bar
    case 5: return p.color(QPalette::Base);            // window background
    case 6: return p.color(QPalette::Shadow);          // window frame
    case 7: return p.color(QPalette::ButtonText);      // menu text
    case 8: return p.color(QPalette::Text);            // window text
    case 9: return QColor(Qt::white);                  // caption text
    case 10:
    case 11: return p.color(QPalette::Button);         // borders
    case 12: return p.color(QPalette::Dark);           // application workspace
    case 13: return p.color(QPalette::Highlight);
    case 14: return p.color(QPalette::HighlightedText);
    case 15: return p.color(QPalette::Button);         // button face
    case 16: return p.color(QPalette::Dark);           // button shadow
    case 17: return p.color(QPalette::Disabled, QPalette::Text);  // grey text
    case 18: return p.color(QPalette::ButtonText);
    case 19: return p.color(QPalette::Disabled, QPalette::WindowText);  // inactive caption text
    case 20: return p.color(QPalette::Light);          // button highlight
    case 21: return p.color(QPalette::Shadow);         // 3D dark shadow
    case 22: return p.color(QPalette::Midlight);       // 3D light
    case 23: return p.color(QPalette::ToolTipText);
    case 24: return p.color(QPalette::ToolTipBase);
    default: return p.color(QPalette::Window);
    }
}

}  // namespace

QColor toQColor(forms::Color color, const QPalette& system)
{
    if (forms::isSystemColor(color))
        return systemColor(static_cast<int>(color & 0xFFu), system);
    return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
                  static_cast<int>((color >> 16) & 0xFFu));
}

QFont toQFont(const forms::Font& font)
{
    const QString name = toQString(font.name);
    QFont f(name);
    // The forms' widths were made for the classic sans face, which is narrower than its
    // substitute: condensed to the classic advance widths, captions wrap where they always did.
    if (name.compare("MS Sans Serif", Qt::CaseInsensitive) == 0 ||
        name.compare("Microsoft Sans Serif", Qt::CaseInsensitive) == 0)
        f.setStretch(ClassicSansStretch);
    else
        f.setStretch(QFont::AnyStretch);  // its own widths, not the condensed ones a parent has
    f.setPointSizeF(font.size > 0 ? font.size : forms::Font{}.size);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

int toPixels(int twips)
{
    return static_cast<int>(std::lround(twips / static_cast<double>(forms::TwipsPerPixel)));
}

QRect toPixelRect(int left, int top, int width, int height)
{
    const int x0 = toPixels(left), y0 = toPixels(top);
    const int x1 = toPixels(left + std::max(width, 0)), y1 = toPixels(top + std::max(height, 0));
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

QString toQString(const std::string& text) { return QString::fromStdString(text); }
std::string fromQString(const QString& text) { return text.toStdString(); }

int toQtIndex(const QString& text, int chars)
{
    int units = 0;
    for (; units < text.size() && chars > 0; --chars)
        units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    return units;
}

int toCharIndex(const QString& text, int units)
{
    int chars = 0;
    for (int i = 0; i < units && i < text.size(); ++chars)
        i += text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    return chars;
}

}  // namespace platform::qtview
