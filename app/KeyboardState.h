#pragma once

#include "KeyState.h"

#include <QObject>

#include <map>

class QKeyEvent;

namespace stacklume {

// Tracks which of the game's keys are held, for the tick to poll. Installed on the application,
// it sees every key event once, at the window that receives it. A key is down from its press to
// its release; auto-repeat is ignored, and when the application loses the keyboard every key
// counts as released, so none can stick.
class KeyboardState : public QObject, public KeyState {
    Q_OBJECT
public:
    explicit KeyboardState(QObject* parent = nullptr);

    bool IsDown(int virtualKey) const override;
    void ReleaseAll();

    // The virtual-key number of a Qt key, or 0 for keys the game does not read.
    static int VirtualKeyOf(int qtKey);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Press(const QKeyEvent& event);
    void Release(const QKeyEvent& event);

    // Physical key (scan code) to virtual key, so that either Shift or either Control holds
    // its key until both are released.
    std::map<quint32, int> held_;
};

} // namespace stacklume
