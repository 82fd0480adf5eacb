#pragma once

#include <functional>

class QWidget;

namespace stacklume {

// Runs `work` once, right after the window's first paint on screen: what the window does not need
// in order to appear waits until it has. A window that is not exposed within a second (started
// minimised, say) runs it then all the same. Call it after the window's show().
void RunOnceOnScreen(QWidget& window, std::function<void()> work);

} // namespace stacklume
