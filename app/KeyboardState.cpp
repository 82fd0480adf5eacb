#include "KeyboardState.h"

#include "GameTypes.h"

#include <QKeyEvent>

#include <algorithm>

namespace stacklume {

KeyboardState::KeyboardState(QObject* parent) : QObject(parent) {}

int KeyboardState::VirtualKeyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Left:
        return VirtualKey::Left;
    case Qt::Key_Right:
        return VirtualKey::Right;
    case Qt::Key_Up:
        return VirtualKey::Up;
    case Qt::Key_Down:
        return VirtualKey::Down;
    case Qt::Key_Space:
        return VirtualKey::Space;
    case Qt::Key_Delete:
        return VirtualKey::Delete;
    case Qt::Key_End:
        return VirtualKey::End;
    case Qt::Key_Shift:
        return VirtualKey::Shift;
    case Qt::Key_Control:
    case Qt::Key_AltGr: // reaches the game as Control, as it does on keyboards that send Ctrl+Alt
        return VirtualKey::Control;
    default:
        return 0;
    }
}

bool KeyboardState::IsDown(int virtualKey) const {
    return std::any_of(held_.begin(), held_.end(),
                       [virtualKey](const auto& key) { return key.second == virtualKey; });
}

void KeyboardState::ReleaseAll() { held_.clear(); }

namespace {

// The physical key of an event: its scan code, or for events without one (synthesized by tests
// or tools) the key symbol itself, kept apart from real scan codes.
quint32 PhysicalKey(const QKeyEvent& event) {
    if (event.nativeScanCode() != 0)
        return event.nativeScanCode();
    return 0x80000000u | static_cast<quint32>(event.key() & 0x7fffffff);
}

} // namespace

void KeyboardState::Press(const QKeyEvent& event) {
    const int virtualKey = VirtualKeyOf(event.key());
    if (virtualKey != 0 && !event.isAutoRepeat())
        held_[PhysicalKey(event)] = virtualKey;
}

void KeyboardState::Release(const QKeyEvent& event) {
    if (event.isAutoRepeat())
        return;
    // Released by its physical key: a key may report another symbol on release (Shift+End).
    if (held_.erase(PhysicalKey(event)) == 0) {
        const int virtualKey = VirtualKeyOf(event.key());
        std::erase_if(held_, [virtualKey](const auto& key) { return key.second == virtualKey; });
    }
}

bool KeyboardState::eventFilter(QObject* watched, QEvent* event) {
    // The keys released in another application never reach us: let go of everything.
    if (event->type() == QEvent::ApplicationDeactivate)
        ReleaseAll();
    // Qt hands a key event first to the window, then to widgets inside it: count it at the window.
    if (watched->isWindowType()) {
        if (event->type() == QEvent::KeyPress)
            Press(static_cast<const QKeyEvent&>(*event));
        else if (event->type() == QEvent::KeyRelease)
            Release(static_cast<const QKeyEvent&>(*event));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace stacklume
