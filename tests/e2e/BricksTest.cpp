#include "DesktopSession.h"
#include "WellPixels.h"

#include <QFile>

#include <gtest/gtest.h>

namespace stacklume::e2e {
namespace {

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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

    session.StartGame();
    EXPECT_TRUE(ReadFile(settings).contains("b1=0000010000000000")) << ReadFile(settings).toStdString();
    EXPECT_TRUE(ReadFile(settings).contains("b3=1100110000000000")) << "never shown, so written as read";

    session.KeyDown(QStringLiteral("shift"));
    // A game may end before either of the two kinds told by their colour comes: then play another.
    auto nextGame = std::chrono::steady_clock::now() + 15s;
    const bool seen = WaitUntil(
        [&] {
            const QRect window = session.WindowGeometry(session.GameWindow());
            const WellPixels well(session.Screenshot(),
                                  window.topLeft() + QPoint(78, window.height() - 563 + 46));
            for (int row = 0; row < 19; ++row)
                for (int column = 0; column < 12; ++column)
                    if (well.HasBrick(row, column) && IsPersonalizedColour(well.CellColour(row, column)))
                        return true;
            if (std::chrono::steady_clock::now() > nextGame) {
                session.KeyUp(QStringLiteral("shift"));
                session.PressKey(QStringLiteral("F9"));
                session.KeyDown(QStringLiteral("shift"));
                nextGame = std::chrono::steady_clock::now() + 15s;
            }
            return false;
        },
        90s);
    session.KeyUp(QStringLiteral("shift"));
    EXPECT_TRUE(seen) << "no personalized piece came into play";
    EXPECT_TRUE(session.CloseGame());
    EXPECT_TRUE(ReadFile(settings).contains("active=yes"));
}

} // namespace
} // namespace stacklume::e2e
