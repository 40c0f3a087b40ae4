#pragma once
#include <QWidget>

#include "platform/forms/control.h"

namespace platform::qtview {

class ControlView;
class FormWindow;

// The widget for one control, owned by `parent`; nullptr for kinds without one (timers, menus).
ControlView* createView(forms::Control& control, FormWindow& window, QWidget* parent);

}  // namespace platform::qtview
