#include "Lock.h"

#include "Game.h"

#include <algorithm>

namespace stacklume {

void WritePiece(Well& well, const Piece& piece) {
    for (int r = 0; r < BoxSize; ++r) {
        const int row = piece.Y - 1 + r;
        if (row < 0 || row >= WellRows)
            continue;
        for (int c = 0; c < BoxSize; ++c) {
            const int column = piece.X + c;
            if (piece.Shape[r][c] == 1 && column >= 0 && column < WellColumns)
                well[row][column] = piece.Image;
        }
    }
}

RowRemoval RemoveFullRows(Well& well) {
    RowRemoval removal;
    // Removing a row only moves rows already examined, so the scan simply goes on below it and
    // every row is scored by the index it had when the piece locked.
    for (int row = 0; row < FloorRow; ++row) {
        const bool full = std::all_of(well[row].begin(), well[row].end(), [](auto cell) { return cell > 0; });
        if (!full)
            continue;
        for (int above = row; above > 0; --above)
            well[above] = well[above - 1];
        well[0].fill(0);
        ++removal.Rows;
        removal.Points += 10 * (FloorRow - row);
    }
    return removal;
}

int LockPoints(const RowRemoval& removal) { return removal.Rows == 4 ? removal.Points * 2 : removal.Points; }

void Game::LockPiece() {
    values_.Landing = false;
    tick_.Collision = false;
    if (piece_.Y <= 0) {
        // May throw; the piece is then left unwritten and the lock undone.
        host_.GameOver(values_.Score, values_.GameOverShown);
        values_.GameOverShown = true;
    }
    WritePiece(well_, piece_);
    const RowRemoval removal = RemoveFullRows(well_);
    if (options_.SoundOn && removal.Rows == 4)
        host_.PlaySound(Sound::FourRows);
    else if (options_.SoundOn && removal.Rows > 0)
        host_.PlaySound(Sound::Rows);
    AddToScore(LockPoints(removal));
    ChooseNextPiece();
    PlaceAtTop();
}

} // namespace stacklume
