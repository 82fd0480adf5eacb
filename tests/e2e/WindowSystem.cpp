#include "WindowSystem.h"

#include "SwayDesktop.h"
#include "X11Desktop.h"

namespace stacklume::e2e {

std::string NameOf(WindowSystemKind kind) { return kind == WindowSystemKind::X11 ? "X11" : "Wayland"; }

std::unique_ptr<WindowSystem> StartWindowSystem(WindowSystemKind kind, int width, int height) {
    if (kind == WindowSystemKind::X11)
        return std::make_unique<X11Desktop>(width, height);
    return std::make_unique<SwayDesktop>(width, height);
}

} // namespace stacklume::e2e
