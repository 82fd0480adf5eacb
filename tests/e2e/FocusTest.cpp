#include "DesktopSession.h"
#include "WellPixels.h"
#include "WindowSystemTest.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace stacklume::e2e {
namespace {

constexpr int EntryColumn = 5; // where every piece enters
// Only one piece settles during the test, in rows 15 to 18: above them, every brick is the falling
// piece's.
constexpr int LowestSearchRow = 14;

// Where the falling piece is: its leftmost column and its top row, as the player sees it.
struct Spot {
    int left = 0;
    int top = 0;
};

// The coloured bricks in rows 0 to LowestSearchRow, or nothing when there are none.
std::optional<Spot> FallingPiece(const DesktopSession& session) {
    const WellPixels well(session.WellShot());
    std::optional<Spot> spot;
    for (int row = 0; row <= LowestSearchRow; ++row)
        for (int column = 0; column < 12; ++column)
            if (well.HasColouredBrick(row, column)) {
                if (!spot)
                    spot = Spot{column, row};
                spot->left = std::min(spot->left, column);
            }
    return spot;
}

// The piece keeps column `column` until it has fallen `rows` rows below `top` (or as far as it
// is looked for); fails when it moves sideways or stops being seen.
::testing::AssertionResult KeepsItsColumnWhileFalling(const DesktopSession& session, int column, int top,
                                                      int rows) {
    const int lowestTop = std::min(top + rows, LowestSearchRow);
    std::optional<Spot> spot;
    bool keptColumn = true;
    const bool fell = WaitUntil([&] {
        spot = FallingPiece(session);
        keptColumn = keptColumn && spot && spot->left == column;
        return !keptColumn || spot->top >= lowestTop;
    });
    if (fell && keptColumn)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the piece left column " << column << " for "
                                         << (spot ? QString::number(spot->left).toStdString() : "nowhere")
                                         << " before falling " << rows << " rows";
}

// Left is held in the game and let go in another window, which the game never hears of: the
// game lets go of every key when it loses the keyboard, so no piece goes on moving left.
using FocusTest = WindowSystemTest;

TEST_P(FocusTest, AKeyReleasedInAnotherWindowDoesNotStickInTheGame) {
    DesktopSession session(1280, 899, GetParam());
    // A plain well, where bricks cannot be mistaken for a picture's light and shade.
    ASSERT_TRUE(QDir(session.ProgramFolder() + QStringLiteral("/background")).removeRecursively());
    // Very slow, so that a piece takes long to fall and is seen at every row.
    QFile settings(session.ProgramFolder() + QStringLiteral("/stacklume.ini"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[config]\nspeed=veryslow\n");
    settings.close();
    const QString other =
        session.StartWindow(QStringLiteral(STACKLUME_FOCUS_TAKER), {QStringLiteral("Another window")},
                            QStringLiteral("Another window"));
    // Out of the way of the well in the middle of the screen.
    session.Move(other, {0, 0});
    session.StartGame();

    // A piece enters row by row; once nothing of it is left in row 0 it is in full view, as
    // pieces are all of one block.
    std::optional<Spot> first;
    ASSERT_TRUE(WaitUntil([&] {
        first = FallingPiece(session);
        return first && first->top >= 1;
    })) << "no piece came";
    session.KeyDown(QStringLiteral("Left"));
    std::optional<Spot> moved;
    const bool movedLeft = WaitUntil([&] {
        moved = FallingPiece(session);
        return moved && moved->left < first->left;
    });
    session.Activate(other);
    session.KeyUp(QStringLiteral("Left"));
    ASSERT_TRUE(movedLeft) << "the game did not take the held key";

    // The game hears of the lost keyboard a moment later; from then on the piece keeps its column,
    // wherever that is.
    std::optional<Spot> previous;
    std::optional<Spot> settled;
    ASSERT_TRUE(WaitUntil([&] {
        previous = std::exchange(settled, FallingPiece(session));
        return previous && settled && settled->left == previous->left;
    }));
    EXPECT_TRUE(KeepsItsColumnWhileFalling(session, settled->left, settled->top, 2));

    // And the next piece, still without the keyboard, enters and falls straight.
    ASSERT_TRUE(WaitUntil([&] { return !FallingPiece(session); }, 60s)) << "the piece did not come down";
    std::optional<Spot> next;
    ASSERT_TRUE(WaitUntil(
        [&] {
            next = FallingPiece(session);
            return next && next->top >= 1;
        },
        60s))
        << "the next piece did not come";
    EXPECT_GE(next->left, EntryColumn) << "the next piece slid left";
    EXPECT_TRUE(KeepsItsColumnWhileFalling(session, next->left, next->top, 3));
    EXPECT_TRUE(session.CloseGame());
}

STACKLUME_ON_EVERY_WINDOW_SYSTEM(FocusTest);

} // namespace
} // namespace stacklume::e2e
