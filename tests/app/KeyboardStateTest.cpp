#include "KeyboardState.h"
#include "GameTypes.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace stacklume {
namespace {

class KeyboardStateTest : public ::testing::Test {
protected:
    KeyboardStateTest() {
        window.show();
        qApp->installEventFilter(&keys);
    }
    ~KeyboardStateTest() override { qApp->removeEventFilter(&keys); }

    void Send(QObject* receiver, QEvent::Type type, int key, quint32 scanCode, bool autoRepeat = false) {
        QKeyEvent event(type, key, Qt::NoModifier, scanCode, 0, 0, QString(), autoRepeat);
        QCoreApplication::sendEvent(receiver, &event);
    }
    void Press(int key, quint32 scanCode, bool autoRepeat = false) {
        Send(window.windowHandle(), QEvent::KeyPress, key, scanCode, autoRepeat);
    }
    void Release(int key, quint32 scanCode, bool autoRepeat = false) {
        Send(window.windowHandle(), QEvent::KeyRelease, key, scanCode, autoRepeat);
    }

    QWidget window;
    KeyboardState keys;
};

TEST_F(KeyboardStateTest, KeyIsDownFromPressToReleaseAndAutoRepeatChangesNothing) {
    EXPECT_FALSE(keys.IsDown(VirtualKey::Left));
    Press(Qt::Key_Left, 113);
    EXPECT_TRUE(keys.IsDown(VirtualKey::Left));
    // X11 repeats a held key as release and press pairs marked as repeats.
    Release(Qt::Key_Left, 113, true);
    Press(Qt::Key_Left, 113, true);
    EXPECT_TRUE(keys.IsDown(VirtualKey::Left));
    Release(Qt::Key_Left, 113);
    EXPECT_FALSE(keys.IsDown(VirtualKey::Left));
    Press(Qt::Key_Right, 114, true);
    EXPECT_FALSE(keys.IsDown(VirtualKey::Right)) << "a repeat alone is no press";
}

TEST_F(KeyboardStateTest, EventsPassedOnToWidgetsCountOnce) {
    QWidget child(&window);
    Send(&child, QEvent::KeyPress, Qt::Key_Up, 111);
    EXPECT_FALSE(keys.IsDown(VirtualKey::Up)) << "only the window's copy of an event counts";
    Press(Qt::Key_Up, 111);
    Send(&child, QEvent::KeyRelease, Qt::Key_Up, 111);
    EXPECT_TRUE(keys.IsDown(VirtualKey::Up));
}

TEST_F(KeyboardStateTest, EitherShiftHoldsUntilBothAreReleased) {
    Press(Qt::Key_Shift, 50);
    Press(Qt::Key_Shift, 62);
    Release(Qt::Key_Shift, 50);
    EXPECT_TRUE(keys.IsDown(VirtualKey::Shift));
    Release(Qt::Key_Shift, 62);
    EXPECT_FALSE(keys.IsDown(VirtualKey::Shift));
}

TEST_F(KeyboardStateTest, MapsTheGameKeysAndAltGrAsControl) {
    const std::vector<std::pair<int, int>> keyMap{
        {Qt::Key_Left, VirtualKey::Left},       {Qt::Key_Right, VirtualKey::Right},
        {Qt::Key_Up, VirtualKey::Up},           {Qt::Key_Down, VirtualKey::Down},
        {Qt::Key_Space, VirtualKey::Space},     {Qt::Key_Delete, VirtualKey::Delete},
        {Qt::Key_End, VirtualKey::End},         {Qt::Key_Shift, VirtualKey::Shift},
        {Qt::Key_Control, VirtualKey::Control}, {Qt::Key_AltGr, VirtualKey::Control}};
    for (auto [qtKey, virtualKey] : keyMap)
        EXPECT_EQ(KeyboardState::VirtualKeyOf(qtKey), virtualKey) << qtKey;
    EXPECT_EQ(KeyboardState::VirtualKeyOf(Qt::Key_A), 0);

    Press(Qt::Key_AltGr, 108);
    EXPECT_TRUE(keys.IsDown(VirtualKey::Control));
    Press(Qt::Key_A, 38);
    EXPECT_FALSE(keys.IsDown(0));
}

TEST_F(KeyboardStateTest, LosingTheKeyboardReleasesEveryKey) {
    Press(Qt::Key_Left, 113);
    Press(Qt::Key_Space, 65);
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QCoreApplication::sendEvent(qApp, &deactivate);
    EXPECT_FALSE(keys.IsDown(VirtualKey::Left));
    EXPECT_FALSE(keys.IsDown(VirtualKey::Space));
}

TEST_F(KeyboardStateTest, SynthesizedEventsWithoutScanCodesStayApart) {
    Press(Qt::Key_Left, 0);
    Press(Qt::Key_Right, 0);
    Release(Qt::Key_Left, 0);
    EXPECT_FALSE(keys.IsDown(VirtualKey::Left));
    EXPECT_TRUE(keys.IsDown(VirtualKey::Right));
}

} // namespace
} // namespace stacklume
