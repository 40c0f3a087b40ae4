#include "platform/qtview/shape_view.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

#include "platform/qtview/convert.h"

namespace platform::qtview {

using forms::ShapeType;

ShapeView::ShapeView(forms::Shape& shape, FormWindow& window, QWidget* parent)
    : QWidget(parent), ControlView(shape, window), shape_(shape)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    const QPalette system = QApplication::palette();
    p.setPen(QPen(toQColor(shape_.borderColor(), system), 1));
    p.setBrush(shape_.filled() ? QBrush(toQColor(shape_.fillColor(), system)) : QBrush(Qt::NoBrush));

    QRect r = rect().adjusted(0, 0, -1, -1);
    const ShapeType type = shape_.shape();
    if (type == ShapeType::Square || type == ShapeType::Circle || type == ShapeType::RoundedSquare) {
        const int side = std::min(r.width(), r.height());
        r = QRect(r.x() + (r.width() - side) / 2, r.y() + (r.height() - side) / 2, side, side);
    }
    const qreal radius = std::min(r.width(), r.height()) / 6.0;
    switch (type) {
    case ShapeType::Rectangle:
    case ShapeType::Square: p.drawRect(r); break;
    case ShapeType::Oval:
    case ShapeType::Circle: p.setRenderHint(QPainter::Antialiasing); p.drawEllipse(r); break;
    case ShapeType::RoundedRectangle:
    case ShapeType::RoundedSquare: p.setRenderHint(QPainter::Antialiasing); p.drawRoundedRect(r, radius, radius); break;
    }
}

}  // namespace platform::qtview
