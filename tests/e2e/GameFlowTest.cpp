#include "DesktopSession.h"
#include "WellPixels.h"
#include "WindowSystemTest.h"

#include <QFile>

#include <gtest/gtest.h>

namespace stacklume::e2e {
namespace {

// Holds Shift until the game ends: then either a dialog titled `title` appears or, with an empty
// title, the game simply stops.
void DropUntil(DesktopSession& session, const std::function<bool()>& ended) {
    session.Activate(session.GameWindow());
    session.KeyDown(QStringLiteral("Shift_L"));
    const bool done = WaitUntil(ended, 90s);
    session.KeyUp(QStringLiteral("Shift_L"));
    ASSERT_TRUE(done) << "the game did not end";
}

using FlowTest = WindowSystemTest;

TEST_P(FlowTest, BestScoreEntryThenGameOverCaption) {
    DesktopSession session(1280, 899, GetParam());
    session.StartGame();
    QString dialog;
    DropUntil(session, [&] {
        dialog = session.FindWindow(QStringLiteral("Your best score"));
        return !dialog.isEmpty();
    });
    session.Activate(dialog);
    session.Type(QStringLiteral("Ada"));
    session.PressKey(QStringLiteral("Return"));
    session.PressKey(QStringLiteral("Return"));
    const QString results = session.ProgramFolder() + QStringLiteral("/results.ini");
    ASSERT_TRUE(WaitUntil([&] { return session.FindWindow(QStringLiteral("Your best score")).isEmpty(); }));
    const QList<QByteArray> lines = ReadFile(results).split('\n');
    ASSERT_EQ(lines.size(), 11) << ReadFile(results).toStdString(); // ten lines, each ended by CR LF
    EXPECT_TRUE(lines.last().isEmpty());
    int records = 0;
    for (const QByteArray& line : lines.mid(0, 10)) {
        EXPECT_TRUE(line.endsWith('\r'));
        records += line.startsWith("00000000000000:Ada:");
    }
    EXPECT_EQ(records, 1);

    // A second game scoring no better no longer qualifies: the caption shows instead.
    session.Activate(session.GameWindow());
    session.PressKey(QStringLiteral("F9"));
    DropUntil(session, [&] { return session.GameStandsStill(); });
    // The caption animates over the well: its middle changes from one moment to the next.
    const QRect caption(0, 160, 288, 100);
    EXPECT_TRUE(WaitUntil([&] {
        return session.WellShot().copy(caption) != session.WellShot().copy(caption);
    })) << "no animated caption";
    EXPECT_TRUE(session.FindWindow(QStringLiteral("Your best score")).isEmpty());
    EXPECT_TRUE(session.CloseGame());
}

TEST_P(FlowTest, PauseAndTheScoreTable) {
    DesktopSession session(1280, 899, GetParam());
    session.StartGame();
    session.PressKey(QStringLiteral("F10"));
    EXPECT_TRUE(WaitUntil([&] { return session.WindowTitle(session.GameWindow()) == "Stacklume - Pause"; }));
    session.PressKey(QStringLiteral("F10"));
    EXPECT_TRUE(WaitUntil([&] { return session.WindowTitle(session.GameWindow()) == "Stacklume"; }));

    session.PressKey(QStringLiteral("F11"));
    QString table;
    ASSERT_TRUE(WaitUntil([&] {
        table = session.FindWindow(QStringLiteral("Your best scores"));
        return !table.isEmpty();
    }));
    EXPECT_EQ(session.WindowTitle(session.GameWindow()), QStringLiteral("Stacklume - Pause"));
    EXPECT_TRUE(WaitUntil([&] { return session.IsAbove(table, session.GameWindow()); }))
        << "the table is not over the game's window";
    session.Activate(table);
    session.PressKey(QStringLiteral("Return"));
    EXPECT_TRUE(WaitUntil([&] { return session.WindowTitle(session.GameWindow()) == "Stacklume"; }));
    EXPECT_TRUE(session.FindWindow(QStringLiteral("Your best scores")).isEmpty());
    EXPECT_TRUE(session.CloseGame());
}

TEST_P(FlowTest, FirstRunClosedAtOnceWritesTheDefaults) {
    DesktopSession session(1280, 899, GetParam());
    session.StartGame();
    ASSERT_TRUE(session.CloseGame());
    const QByteArray settings = ReadFile(session.ProgramFolder() + QStringLiteral("/stacklume.ini"));
    for (const char* line : {"[config]", "speed=medium", "lateral step=3", "color=multicolored",
                             "downarrow=0", "sound=1", "[bricks]", "active=no", "[Background]", "file="})
        EXPECT_TRUE(settings.contains(line)) << line << " in\n" << settings.toStdString();
}

TEST(GameFlowTest, OddSettingsAreNormalisedOnClose) {
    DesktopSession session(1280, 899);
    QFile file(session.ProgramFolder() + QStringLiteral("/stacklume.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("; kept\n[config]\nspeed=Slow\nlateral step=5\ndownarrow=7\nsound=yes\ncolor=blue\nextra=1\n");
    file.close();
    session.StartGame();
    ASSERT_TRUE(session.CloseGame());
    const QByteArray settings = ReadFile(file.fileName());
    for (const char* line : {"; kept", "speed=veryslow", "lateral step=4", "downarrow=2", "sound=0",
                             "color=multicolored", "extra=1"})
        EXPECT_TRUE(settings.contains(line)) << line << " in\n" << settings.toStdString();
}

TEST(GameFlowTest, AHugeSettingsFileIsKeptButForTheChangedValue) {
    DesktopSession session(1280, 899);
    QByteArray before = "[config]\nspeed=Slow\nlateral step=3\ncolor=multicolored\ndownarrow=0\nsound=1\n"
                        "[bricks]\nactive=no\n[Background]\nfile=dusk.jpg\n[another program]\n";
    for (int line = 0; before.size() < 5 * 1024 * 1024; ++line)
        before += "key" + QByteArray::number(line) + "=a value of another program's\n";
    QFile file(session.ProgramFolder() + QStringLiteral("/stacklume.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(before), before.size());
    file.close();
    session.StartGame();
    ASSERT_TRUE(session.CloseGame());
    EXPECT_TRUE(ReadFile(file.fileName()) == before.replace("speed=Slow", "speed=veryslow"));
}

TEST(GameFlowTest, PreferenceChosenFromTheMenuSurvivesARestart) {
    DesktopSession session(1280, 899);
    session.StartGame();
    // Preferences > Speed > Very fast, by the mouse to open the menu and the keyboard within it.
    // Each menu is a window of its own; keys are pressed only once it is open.
    const auto openMenus = [&] { return session.GameWindows(DesktopSession::WindowKind::Menu); };
    const QRect window = session.WindowGeometry(session.GameWindow());
    const QPoint preferences = window.topLeft() + QPoint(95, 8);
    session.Click(preferences);
    ASSERT_TRUE(WaitUntil([&] { return openMenus().size() == 1; })) << "the Preferences menu did not open";
    const int menuLeft = session.WindowGeometry(openMenus().value(0)).left();
    ASSERT_TRUE(menuLeft <= preferences.x() && menuLeft > window.left() + 30) << "not the Preferences menu";
    session.PressKey(QStringLiteral("Down"));
    session.PressKey(QStringLiteral("Right"));
    ASSERT_TRUE(WaitUntil([&] { return openMenus().size() == 2; })) << "the Speed menu did not open";
    for (const char* key : {"Down", "Down", "Down", "Down", "Return"})
        session.PressKey(QString::fromLatin1(key));
    ASSERT_TRUE(WaitUntil([&] { return openMenus().isEmpty(); }));
    ASSERT_TRUE(session.CloseGame());
    const QString settings = session.ProgramFolder() + QStringLiteral("/stacklume.ini");
    EXPECT_TRUE(ReadFile(settings).contains("speed=veryfast")) << ReadFile(settings).toStdString();

    session.StartGame();
    ASSERT_TRUE(session.CloseGame());
    EXPECT_TRUE(ReadFile(settings).contains("speed=veryfast")) << "read back and kept";
}

STACKLUME_ON_EVERY_WINDOW_SYSTEM(FlowTest);

} // namespace
} // namespace stacklume::e2e
