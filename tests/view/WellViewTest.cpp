#include "WellView.h"
#include "DevicePixels.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace stacklume::testing {
namespace {

const QColor ButtonFace(240, 240, 240);

class WellViewTest : public ::testing::Test, public GameFixture {
protected:
    WellViewTest() {
        game.Options().CellPitch = 24;
        game.Options().ActiveImageList = ImageListId::List1;
        view.Resize({288, 480}, 1, ButtonFace);
    }

    // The brick drawn at a cell, or a null image when the cell shows only background.
    QImage BrickAt(int row, int column) const {
        return view.BackBuffer().copy(column * 24, row * 24, 22, 22);
    }

    bool ShowsBackground(int row, int column) const {
        const QImage cell = view.BackBuffer().copy(column * 24, row * 24, 24, 24);
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                if (cell.pixelColor(x, y) != ButtonFace)
                    return false;
        return true;
    }

    // The gap of two pixels right of and below every brick shows the background.
    bool GapShowsBackground(int row, int column) const {
        for (int i = 0; i < 24; ++i)
            if (view.BackBuffer().pixelColor(column * 24 + 22, row * 24 + i) != ButtonFace ||
                view.BackBuffer().pixelColor(column * 24 + i, row * 24 + 23) != ButtonFace)
                return false;
        return true;
    }

    void PlayAndCompare(WellView& view, const BrickImageLists& images);

    const BrickImageLists images = MakeBrickImages();
    WellView view{images};
};

TEST_F(WellViewTest, EmptyWellShowsTheBackgroundAndTheFloor) {
    view.RenderSettled(game.CurrentWell(), game.Options());
    for (int row = 0; row < FloorRow; ++row)
        for (int column = 0; column < WellColumns; ++column)
            ASSERT_TRUE(ShowsBackground(row, column)) << row << "," << column;
    for (int column = 0; column < WellColumns; ++column) {
        EXPECT_EQ(BrickAt(FloorRow, column), images.List1[1]) << column;
        EXPECT_TRUE(GapShowsBackground(FloorRow, column));
    }
    EXPECT_EQ(view.WellRect(), QRect(0, 0, 288, 480));
}

TEST_F(WellViewTest, PieceAboveTheWellShowsOnlyItsRowsInside) {
    UsePiece(Upright, 5, -2, 8);
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    EXPECT_EQ(BrickAt(0, 6), images.List1[8]);
    EXPECT_EQ(BrickAt(1, 6), images.List1[8]);
    EXPECT_TRUE(ShowsBackground(2, 6));
    EXPECT_TRUE(GapShowsBackground(0, 6));
}

TEST_F(WellViewTest, SettledBricksCoverThePiece) {
    game.CurrentWell()[10][6] = 3;
    UsePiece(Upright, 5, 8, 8);
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    EXPECT_EQ(BrickAt(9, 6), images.List1[8]);
    EXPECT_EQ(BrickAt(10, 6), images.List1[3]);
}

TEST_F(WellViewTest, ColourSchemeChangesEveryBrickAtTheNextFrame) {
    game.CurrentWell()[18][0] = 4;
    UsePiece(Upright, 5, 2, 7);
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    EXPECT_EQ(BrickAt(18, 0), images.List1[4]);

    const Well cells = game.CurrentWell();
    game.Options().ActiveImageList = SelectImageList(0, true);
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    EXPECT_EQ(BrickAt(18, 0), images.ImageList4[4]);
    EXPECT_EQ(BrickAt(3, 6), images.ImageList4[7]);
    EXPECT_EQ(BrickAt(FloorRow, 0), images.ImageList4[1]);
    EXPECT_EQ(game.CurrentWell(), cells);
}

TEST_F(WellViewTest, LockingTickShowsThePieceSettledAndNoNextPiece) {
    UsePiece(Square, 4, 16, 5);
    game.CurrentWell()[17][0] = 2; // keeps the next piece from clearing anything
    bool locked = false;
    for (int i = 0; i < 100 && !locked; ++i)
        locked = Tick();
    ASSERT_TRUE(locked);
    view.RenderFrame(nullptr, game.CurrentWell(), game.Options());
    EXPECT_EQ(BrickAt(17, 5), images.List1[5]);
    EXPECT_EQ(BrickAt(18, 6), images.List1[5]);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < WellColumns; ++column)
            EXPECT_TRUE(ShowsBackground(row, column)) << "next piece drawn at " << row << "," << column;
}

// Most ticks redraw nothing; whatever the frame is drawn from still shows at the next one.
TEST_F(WellViewTest, AFrameIsDrawnAgainOnlyWhenWhatItShowsChanged) {
    UsePiece(Upright, 5, 2, 7);
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    const qint64 drawn = view.BackBuffer().cacheKey();
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    EXPECT_EQ(view.BackBuffer().cacheKey(), drawn) << "an unchanged tick drew again";

    const QColor red(200, 0, 0);
    view.BackgroundBuffer().fill(red);
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    EXPECT_EQ(view.BackBuffer().pixelColor(0, 0), red) << "a new background picture";

    game.CurrentPiece().Y = 3;
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    EXPECT_EQ(BrickAt(5, 6), images.List1[7]) << "the piece a row lower";
    EXPECT_EQ(view.BackBuffer().pixelColor(6 * 24, 2 * 24), red) << "and not where it was";

    game.CurrentWell()[18][0] = 4;
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    EXPECT_EQ(BrickAt(18, 0), images.List1[4]) << "a brick settled";

    view.RenderFrame(nullptr, game.CurrentWell(), game.Options());
    EXPECT_EQ(view.BackBuffer().pixelColor(6 * 24, 5 * 24), red) << "the piece gone in a locking tick";

    view.Resize({288, 480}, 1, ButtonFace);
    view.RenderFrame(nullptr, game.CurrentWell(), game.Options());
    EXPECT_EQ(BrickAt(18, 0), images.List1[4]) << "a resized view draws again";
}

TEST_F(WellViewTest, OnlyTheCellsWhoseBrickChangedAreDrawnAgain) {
    UsePiece(Upright, 5, 2, 7);
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    EXPECT_EQ(view.ChangedArea(), QRegion(0, 0, 288, 480)) << "the first frame";
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    EXPECT_TRUE(view.ChangedArea().isEmpty()) << "nothing moved";

    game.CurrentPiece().Y = 3;
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    EXPECT_EQ(view.ChangedArea(), QRegion(6 * 24, 2 * 24, 24, 24) + QRegion(6 * 24, 6 * 24, 24, 24))
        << "the cell the piece left and the one it entered";

    for (int row = 3; row <= 6; ++row)
        game.CurrentWell()[row][6] = 7;
    view.RenderFrame(nullptr, game.CurrentWell(), game.Options());
    EXPECT_TRUE(view.ChangedArea().isEmpty()) << "a piece locked where it was shown";

    game.Options().ActiveImageList = SelectImageList(0, true);
    view.RenderFrame(nullptr, game.CurrentWell(), game.Options());
    EXPECT_EQ(view.ChangedArea(), QRegion(0, 0, 288, 480)) << "a colour scheme";
    view.BackgroundBuffer().fill(Qt::red);
    view.RenderFrame(nullptr, game.CurrentWell(), game.Options());
    EXPECT_EQ(view.ChangedArea(), QRegion(0, 0, 288, 480)) << "a background";
}

// Whatever happens in play, a frame drawn cell by cell over the previous ones is the frame drawn
// whole: pieces moving, turning, locking, rows vanishing and new games; at a fractional ratio
// too, where cells are a device pixel wider or narrower from one to the next.
TEST_F(WellViewTest, FramesDrawnCellByCellMatchFramesDrawnWhole) {
    for (const double ratio : {1.0, 1.5}) {
        SCOPED_TRACE(ratio);
        const BrickImageLists scaled = MakeBrickImages(0, ratio);
        WellView view(scaled);
        view.Resize({288, 480}, ratio, ButtonFace);
        PlayAndCompare(view, scaled);
    }
}

void WellViewTest::PlayAndCompare(WellView& view, const BrickImageLists& images) {
    view.BackgroundBuffer().fill(Qt::darkCyan);
    game.NewGame(7, 0.5);
    for (int row = 12; row < FloorRow; ++row)
        FillRow(row, row % WellColumns, 2 + row % 5);
    std::mt19937 player(7);
    for (int tick = 0; tick < 3000; ++tick) {
        keys.ReleaseAll();
        // A full bottom row, cleared at the next lock, now and then.
        if (tick % 97 == 0 && game.CurrentPiece().Y + BoxSize < FloorRow - 1)
            FillRow(FloorRow - 1);
        for (const int key : {VirtualKey::Left, VirtualKey::Right, VirtualKey::Up, VirtualKey::Space})
            if (player() % 8 == 0)
                keys.Hold({key});
        const bool locked = Tick();
        if (!host.gameOvers.empty()) {
            game.NewGame(player(), 0.5);
            host.gameOvers.clear();
        }
        const Piece* piece = locked ? nullptr : &game.CurrentPiece();
        view.RenderFrame(piece, game.CurrentWell(), game.Options());
        if (tick % 10 != 0)
            continue;
        WellView whole(images);
        whole.Resize({288, 480}, view.Ratio(), ButtonFace);
        whole.BackgroundBuffer() = view.BackgroundBuffer();
        whole.RenderFrame(piece, game.CurrentWell(), game.Options());
        ASSERT_EQ(view.BackBuffer(), whole.BackBuffer()) << "tick " << tick;
    }
}

TEST_F(WellViewTest, LargerSizesUseTheirPitch) {
    game.Options().CellPitch = 31;
    game.Options().ActiveImageList = SelectImageList(2, false);
    view.Resize({372, 620}, 1, ButtonFace);
    view.RenderSettled(game.CurrentWell(), game.Options());
    EXPECT_EQ(view.BackBuffer().copy(11 * 31, 19 * 31, 29, 29), images.ImageList5[1]);
    EXPECT_EQ(view.BackBuffer().pixelColor(11 * 31 + 29, 19 * 31), ButtonFace);
}

// At any ratio, a cell begins at its rounded logical edge and shows the brick of that ratio in its
// top-left corner; the design's one-pixel outline is a whole number of device pixels, the same
// on every side.
TEST_F(WellViewTest, AtEveryRatioCellsAreRoundedAndOutlinesEven) {
    for (const auto& [ratio, outline] : {std::pair{1.25, 1}, {1.5, 1}, {1.75, 2}, {2.5, 2}, {3.0, 3}}) {
        SCOPED_TRACE(ratio);
        const BrickImageLists scaled = MakeBrickImages(0, ratio);
        const QImage& floor = scaled.List1[1];
        const int middle = floor.width() / 2;
        const auto dark = [&](int x, int y) { return qGray(floor.pixel(x, y)) < 80; };
        for (int i = 0; i < floor.width(); ++i) {
            const bool inOutline = i < outline || i >= floor.width() - outline;
            ASSERT_EQ(dark(i, middle), inOutline) << "across, pixel " << i;
            ASSERT_EQ(dark(middle, i), inOutline) << "down, pixel " << i;
        }
        WellView view(scaled);
        view.Resize({288, 480}, ratio, ButtonFace);
        view.RenderSettled(game.CurrentWell(), game.Options());
        const auto edge = [ratio](int cell) { return static_cast<int>(std::lround(cell * 24 * ratio)); };
        for (int column = 0; column < WellColumns; ++column) {
            EXPECT_EQ(DevicePixels(view.BackBuffer())
                          .copy(QRect(QPoint(edge(column), edge(FloorRow)), floor.size())),
                      floor)
                << column;
            EXPECT_EQ(view.BackBuffer().pixelColor(edge(column + 1) - 1, edge(FloorRow)), ButtonFace)
                << column;
        }
    }
}

// The same frame at 200 %, shrunk by half, is the frame at 100 %: the bricks are drawn at each
// ratio from the same design, and the cells cover the same part of the well.
TEST_F(WellViewTest, AFrameAtTwiceTheRatioShrunkByHalfIsTheFrameAtOne) {
    for (int row = 10; row < FloorRow; ++row)
        FillRow(row, row % WellColumns, 1 + row % 13);
    UsePiece(Upright, 5, 2, 7);
    for (const int sizeClass : {0, 2}) {
        SCOPED_TRACE(sizeClass);
        const int pitch = CellPitchForSizeClass(sizeClass);
        game.Options().CellPitch = pitch;
        game.Options().ActiveImageList = SelectImageList(sizeClass, false);
        std::array<QImage, 2> frames;
        for (const int ratio : {1, 2}) {
            const BrickImageLists scaled = MakeBrickImages(sizeClass, ratio);
            WellView view(scaled);
            view.Resize({12 * pitch, 20 * pitch}, ratio, ButtonFace);
            view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
            frames[ratio - 1] = view.BackBuffer().scaled(12 * pitch, 20 * pitch, Qt::IgnoreAspectRatio,
                                                         Qt::SmoothTransformation);
        }
        double difference = 0;
        for (int y = 0; y < frames[0].height(); ++y)
            for (int x = 0; x < frames[0].width(); ++x) {
                const QRgb one = frames[0].pixel(x, y);
                const QRgb two = frames[1].pixel(x, y);
                difference += std::abs(qRed(one) - qRed(two)) + std::abs(qGreen(one) - qGreen(two)) +
                              std::abs(qBlue(one) - qBlue(two));
            }
        EXPECT_LT(difference / (3.0 * frames[0].width() * frames[0].height()), 1.0);
    }
}

// On a screen of another scale, the background stays as it was, scaled, until a picture is drawn
// into it again, and the last frame is drawn whole from the bricks of the new ratio.
TEST_F(WellViewTest, AChangeOfRatioDrawsTheLastFrameAgainAtTheNewPixels) {
    BrickImageLists lists = MakeBrickImages(0, 1);
    WellView view(lists);
    view.Resize({288, 480}, 1, ButtonFace);
    view.BackgroundBuffer().fill(Qt::darkCyan);
    UsePiece(Upright, 5, 2, 7);
    view.RenderFrame(&game.CurrentPiece(), game.CurrentWell(), game.Options());
    lists = MakeBrickImages(0, 2);
    view.ChangeRatio(2);
    view.RenderAgain(game.Options());
    EXPECT_EQ(view.BackBuffer().size(), QSize(576, 960));
    EXPECT_EQ(view.BackBuffer().devicePixelRatio(), 2);
    EXPECT_EQ(view.WellRect(), QRect(0, 0, 288, 480));
    EXPECT_EQ(view.ChangedArea(), QRegion(0, 0, 576, 960));
    EXPECT_EQ(view.BackBuffer().pixelColor(0, 0), QColor(Qt::darkCyan));
    EXPECT_EQ(DevicePixels(view.BackBuffer()).copy(6 * 48, 3 * 48, 44, 44), lists.List1[7]) << "the piece";
}

} // namespace
} // namespace stacklume::testing
