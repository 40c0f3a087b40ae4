#include "platform/qtview/deliver.h"

#include <QtGlobal>

namespace platform::qtview {

void reportEscapedException(const char* what) noexcept
{
    qCritical("an event handler failed: %s", what);
}

}  // namespace platform::qtview
