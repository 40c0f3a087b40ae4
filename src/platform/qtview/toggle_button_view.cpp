#include "platform/qtview/toggle_button_view.h"

#include <QPainter>
#include <QPixmapCache>
#include <QStyleOptionButton>
#include <type_traits>

#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"

namespace platform::qtview {

namespace {

void showValue(QCheckBox& w, const forms::CheckBox& box)
{
    w.setCheckState(box.value() == 1 ? Qt::Checked : box.value() == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

void showValue(QRadioButton& w, const forms::OptionButton& button)
{
    w.setChecked(button.value());
}

}  // namespace

template <class Button, class Model>
ToggleButtonView<Button, Model>::ToggleButtonView(Model& model, FormWindow& window, QWidget* parent)
    : Button(parent), ControlView(model, window), model_(model)
{
    this->setAutoExclusive(false);  // the model clears the others of a group
    this->setFocusPolicy(Qt::StrongFocus);
    // Buttons fill with the Button role; these fill with the back colour put in Window.
    this->setBackgroundRole(QPalette::Window);
    QObject::connect(this, &QAbstractButton::clicked, this, [this] { deliver([this] { model_.userClick(); }); });
}

template <class Button, class Model>
void ToggleButtonView<Button, Model>::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::Caption)
        this->setText(toQString(model_.caption()));
    else if (what == forms::Prop::Value)
        showValue(*this, model_);
}

template <class Button, class Model>
void ToggleButtonView<Button, Model>::initStyleOption(QStyleOptionButton* option) const
{
    Button::initStyleOption(option);
    if (this->hasFocus())
        option->state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
}

// The style lays out and shapes the caption anew at every paint, which makes a page of named bit
// boxes slow to repaint when a read flips them all; each look of a box is drawn once and kept.
template <class Button, class Model>
void ToggleButtonView<Button, Model>::paintEvent(QPaintEvent* /*event*/)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const qreal ratio = this->devicePixelRatioF();
    const QString key = QStringLiteral("toggle/%1/%2/%3x%4@%5/%6/%7/%8")
                            .arg(std::is_same_v<Button, QCheckBox> ? 'c' : 'o')
                            .arg(static_cast<int>(option.state))
                            .arg(this->width())
                            .arg(this->height())
                            .arg(ratio)
                            .arg(this->palette().cacheKey())
                            .arg(this->font().key(), option.text);
    QPixmap look;
    if (!QPixmapCache::find(key, &look)) {
        look = QPixmap(this->size() * ratio);
        look.setDevicePixelRatio(ratio);
        // The view fills its own background, so the kept picture may be opaque.
        look.fill(this->palette().color(this->backgroundRole()));
        QPainter painter(&look);
        this->style()->drawControl(std::is_same_v<Button, QCheckBox> ? QStyle::CE_CheckBox : QStyle::CE_RadioButton,
                                   &option, &painter, this);
        painter.end();
        QPixmapCache::insert(key, look);
    }
    QPainter(this).drawPixmap(0, 0, look);
}

template class ToggleButtonView<QCheckBox, forms::CheckBox>;
template class ToggleButtonView<QRadioButton, forms::OptionButton>;

}  // namespace platform::qtview
