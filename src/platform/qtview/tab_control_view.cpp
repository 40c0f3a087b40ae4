#include "platform/qtview/tab_control_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <algorithm>

#include "platform/qtview/convert.h"
#include "platform/qtview/deliver.h"
#include "platform/qtview/form_window.h"

namespace platform::qtview {

// Tabs share the control's width evenly, TabsPerRow of them to a row, TabHeight high.
class TabControlView::Bar : public QTabBar {
public:
    Bar(forms::TabControl& tabs, QWidget* parent) : QTabBar(parent), tabs_(tabs) {}

protected:
    QSize tabSizeHint(int /*index*/) const override
    {
        const int perRow = std::max({1, tabs_.tabsPerRow(), count()});
        return QSize(std::max(1, width() / perRow), toPixels(tabs_.tabHeight()));
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

private:
    forms::TabControl& tabs_;
};

TabControlView::TabControlView(forms::TabControl& tabs, FormWindow& window, QWidget* parent)
    : QWidget(parent), ControlView(tabs, window), tabs_(tabs), bar_(new Bar(tabs, this))
{
    setFocusPolicy(Qt::StrongFocus);
    bar_->setFocusPolicy(Qt::NoFocus);
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    bar_->setUsesScrollButtons(false);
    connect(bar_, &QTabBar::currentChanged, this, [this](int i) {
        if (quiet_ || i == tabs_.tab())
            return;
        deliver([&] { tabs_.userSelectTab(i); });
        showCurrentTab();  // the model may have refused
    });
}

void TabControlView::syncOwn(forms::Prop what)
{
    if (what == forms::Prop::List)
        showModelTabs();
    else if (what == forms::Prop::CurrentTab)
        showCurrentTab();
    else if (what == forms::Prop::Geometry)
        layoutBar();
}

void TabControlView::layoutBar()
{
    bar_->setGeometry(0, 0, width(), toPixels(tabs_.tabHeight()));
}

void TabControlView::showModelTabs()
{
    quiet_ = true;
    while (bar_->count() > 0)
        bar_->removeTab(bar_->count() - 1);
    for (int i = 0; i < tabs_.tabCount(); ++i)
        bar_->addTab(toQString(tabs_.tabCaption(i)));
    quiet_ = false;
    layoutBar();
    showCurrentTab();
}

void TabControlView::showCurrentTab()
{
    quiet_ = true;
    bar_->setCurrentIndex(tabs_.tab());
    quiet_ = false;
    for (forms::Control* child : tabs_.children())
        if (ControlView* view = formWindow().viewOf(*child))
            view->sync(forms::Prop::Visible);
    update();
}

void TabControlView::paintEvent(QPaintEvent* /*event*/)
{
    QPainter p(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, bar_->height() - 1, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = bar_->size();
    frame.tabBarRect = bar_->geometry();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &p, this);
}

void TabControlView::keyPressEvent(QKeyEvent* event)
{
    int step = 0;
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Up)
        step = -1;
    else if (event->key() == Qt::Key_Right || event->key() == Qt::Key_Down)
        step = 1;
    if (step == 0 || tabs_.tabCount() == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int next = (tabs_.tab() + step + tabs_.tabCount()) % tabs_.tabCount();
    deliver([&] { tabs_.userSelectTab(next); });
}

}  // namespace platform::qtview
