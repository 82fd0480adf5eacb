#include "DesktopSession.h"
#include "WellPixels.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <gtest/gtest.h>

namespace stacklume::e2e {
namespace {

// Green (brick no. 09) or teal (brick no. 11): colours no standard piece has.
bool IsPersonalizedColour(QColor c) {
    const bool green = c.green() > c.red() + 40 && c.green() > c.blue() + 60;
    const bool teal = c.green() > c.red() + 80 && std::abs(c.green() - c.blue()) < 25;
    return green || teal;
}

TEST(BricksTest, EnabledBricksAreCentredAtStartUpAndComeIntoPlay) {
    DesktopSession session(1280, 899);
    const QString settings = session.ProgramFolder() + QStringLiteral("/stacklume.ini");
    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[bricks]\nactive=yes\nb1=1000000000000000\nb3=1100110000000000\n");
    file.close();
    // A full table of high scores: games end with the caption alone, no dialog to answer.
    QFile results(session.ProgramFolder() + QStringLiteral("/results.ini"));
    ASSERT_TRUE(results.open(QIODevice::WriteOnly));
    for (int i = 0; i < 10; ++i)
        results.write("00000000099999:Ada:01/12/2026\r\n");
    results.close();

    session.StartGame();
    // Written by the bricks dialog, which is made once the window is on screen.
    EXPECT_TRUE(WaitUntil([&] { return ReadFile(settings).contains("b1=0000010000000000"); }))
        << ReadFile(settings).toStdString();
    EXPECT_TRUE(ReadFile(settings).contains("b3=1100110000000000")) << "never shown, so written as read";

    // Drop pieces until one of the personalized ones shows; whenever a game ends, start another.
    session.KeyDown(QStringLiteral("shift"));
    QImage lastShot;
    const bool seen = WaitUntil(
        [&] {
            lastShot = session.WellShot();
            const WellPixels well(lastShot);
            for (int row = 0; row < 19; ++row)
                for (int column = 0; column < 12; ++column)
                    if (well.HasBrick(row, column) && IsPersonalizedColour(well.CellColour(row, column)))
                        return true;
            if (session.GameStandsStill()) {
                // Shift held would make it Shift+F9.
                session.KeyUp(QStringLiteral("shift"));
                session.PressKey(QStringLiteral("F9"));
                session.KeyDown(QStringLiteral("shift"));
            }
            return false;
        },
        120s);
    session.KeyUp(QStringLiteral("shift"));
    if (!seen) {
        // Kept for a look at what the well showed, under a name of its own.
        QTemporaryFile kept(QDir::tempPath() + QStringLiteral("/bricks-e2e-failure-XXXXXX.png"));
        kept.setAutoRemove(false);
        const bool saved = kept.open() && lastShot.save(&kept, "PNG");
        ADD_FAILURE() << "no personalized piece came into play; the last shot of the well: "
                      << (saved ? kept.fileName().toStdString() : "not saved");
    }
    EXPECT_TRUE(session.CloseGame());
    EXPECT_TRUE(ReadFile(settings).contains("active=yes"));
}

} // namespace
} // namespace stacklume::e2e
