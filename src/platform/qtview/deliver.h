#pragma once
// User input enters the model through here. An exception must not unwind through Qt's event loop:
// it is reported and the program keeps running.
#include <exception>
#include <utility>

namespace platform::qtview {

void reportEscapedException(const char* what) noexcept;

template <class F>
void deliver(F&& toModel) noexcept
{
    try {
        std::forward<F>(toModel)();
    } catch (const std::exception& e) {
        reportEscapedException(e.what());
    } catch (...) {
        reportEscapedException("unknown exception");
    }
}

}  // namespace platform::qtview
