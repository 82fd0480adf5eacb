#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace stacklume {

// The problems met while the windows are being built, held until everything is built. An error
// box runs an event loop of its own: shown half-way through the start-up, it would let the game's
// timers run a game that is not built yet.
class StartupReports {
public:
    using Reporter = std::function<void(const QString& message)>;

    explicit StartupReports(Reporter show);

    // Reports through this object: held until Release(), shown at once after it. The object
    // must outlive every copy.
    Reporter Holding();
    // Shows what was held, in the order it came; later messages are shown at once.
    void Release();

private:
    Reporter show_;
    QStringList held_;
    bool released_ = false;
};

} // namespace stacklume
