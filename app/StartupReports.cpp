#include "StartupReports.h"

namespace stacklume {

StartupReports::StartupReports(Reporter show) : show_(std::move(show)) {}

StartupReports::Reporter StartupReports::Holding() {
    return [this](const QString& message) {
        if (released_)
            show_(message);
        else
            held_.append(message);
    };
}

void StartupReports::Release() {
    released_ = true;
    // Taken first: a box's event loop may bring another report, which is then shown at once.
    const QStringList held = std::exchange(held_, {});
    for (const QString& message : held)
        show_(message);
}

} // namespace stacklume
