#pragma once
// Plain conversions between the control model's values and Qt's: colours, fonts, twips, text.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>
#include <string>

#include "platform/forms/types.h"

namespace platform::qtview {

// A BGR colour, or a system colour taken from `system` (the application palette).
QColor toQColor(forms::Color color, const QPalette& system);
// The classic sans faces come condensed to this stretch (percent of the substitute's widths): at
// 8.25 pt it brings the substitute's mean letter width from 6.4 px to the classic face's 6 px.
inline constexpr int ClassicSansStretch = 92;
QFont toQFont(const forms::Font& font);

int toPixels(int twips);
// Edges are rounded, not sizes, so that controls that touch in twips touch on screen.
QRect toPixelRect(int left, int top, int width, int height);

QString toQString(const std::string& text);
std::string fromQString(const QString& text);
// The model counts characters; QString counts UTF-16 units (two for a character beyond U+FFFF).
int toQtIndex(const QString& text, int chars);
int toCharIndex(const QString& text, int units);

}  // namespace platform::qtview
