#include "Game.h"
#include "Moves.h"

#include <climits>
#include <cstdlib>

namespace stacklume {

namespace {

void CountUp(int& counter) {
    if (counter < INT_MAX)
        ++counter;
}

} // namespace

int FallThreshold(int fallInterval) {
    switch (fallInterval) {
    case FallIntervalVerySlow:
        return 8;
    case FallIntervalSlow:
        return 5;
    case FallIntervalFast:
        return 2;
    case FallIntervalVeryFast:
        return 1;
    default:
        return 3;
    }
}

bool Game::ReadKeys(const KeyState& keys) {
    // Read in this order; a later match replaces an earlier one.
    Command command = Command::None;
    if (keys.IsDown(VirtualKey::Left))
        command = Command::MoveLeft;
    if (keys.IsDown(VirtualKey::Right))
        command = Command::MoveRight;
    if (keys.IsDown(VirtualKey::Up))
        command = Command::RotateClockwise;
    if (keys.IsDown(VirtualKey::Space) || keys.IsDown(VirtualKey::Delete))
        command = Command::HardDrop;
    const bool down = keys.IsDown(VirtualKey::Down);
    if (down && options_.DownArrowMode == DownArrowRotation)
        command = Command::RotateCounterClockwise;
    if (down && options_.DownArrowMode == DownArrowFastDrop)
        command = Command::HardDrop;
    tick_.Command = command;
    return (down && options_.DownArrowMode == DownArrowDrop) || keys.IsDown(VirtualKey::Control) ||
           keys.IsDown(VirtualKey::Shift) || keys.IsDown(VirtualKey::End);
}

void Game::UpdateSoftDrop(bool wanted) {
    if (wanted && !tick_.SoftDrop) {
        host_.SetTickInterval(SoftDropTickInterval);
        tick_.SoftDrop = true;
    } else if (!wanted && tick_.SoftDrop) {
        host_.SetTickInterval(BaseTickInterval);
        tick_.SoftDrop = false;
    }
}

void Game::FallStep() {
    // Taken without a test: the collision test below finds out whether the piece now overlaps.
    if (tick_.SoftDrop || tick_.FallCounter > FallThreshold(options_.FallInterval)) {
        ++piece_.Y;
        tick_.FallCounter = 0;
    }
}

void Game::CarryOutCommand() {
    switch (tick_.Command) {
    case Command::RotateClockwise:
    case Command::RotateCounterClockwise:
        if (tick_.RotateCounter > 4) {
            ApplyCommand(well_, piece_, tick_.Command);
            tick_.RotateCounter = 0;
        }
        break;
    case Command::MoveLeft:
    case Command::MoveRight:
        if (tick_.LateralHeld == 0 || tick_.LateralHeld > options_.LateralLatency)
            ApplyCommand(well_, piece_, tick_.Command);
        CountUp(tick_.LateralHeld);
        break;
    case Command::None:
    case Command::HardDrop:
        tick_.LateralHeld = 0;
        ApplyCommand(well_, piece_, tick_.Command);
        break;
    }
}

void Game::DetectLanding(std::uint32_t tickCount) {
    if (!tick_.Collision)
        return;
    if (!values_.Landing) {
        // First contact: the piece goes back to where it rested and may still slide for a while.
        if (options_.SoundOn)
            host_.PlaySound(Sound::Knock);
        values_.LandingTick = tickCount;
        values_.LandingColumn = piece_.X;
        tick_.Collision = false;
        values_.Landing = true;
        --piece_.Y;
        return;
    }
    const std::uint32_t sinceContact = tickCount - values_.LandingTick; // wraps with the tick count
    if (sinceContact >= LandingGraceMilliseconds || std::abs(values_.LandingColumn - piece_.X) >= 2) {
        values_.Landing = false;
        return;
    }
    tick_.Collision = false;
    --piece_.Y;
}

bool Game::Tick(const KeyState& keys, std::uint32_t tickCount) {
    // A piece that can never land would leave the game without pieces for good, through any new
    // game: the next one comes in its place.
    if (!CanLand(piece_)) {
        ChooseNextPiece();
        PlaceAtTop();
    }
    UpdateSoftDrop(ReadKeys(keys));
    FallStep();
    CarryOutCommand();
    CountUp(tick_.FallCounter);
    CountUp(tick_.RotateCounter);
    tick_.Command = Command::None;
    tick_.Collision = Collides(well_, piece_.Shape, piece_.X, piece_.Y);
    DetectLanding(tickCount);
    if (!tick_.Collision)
        return false;
    LockPiece();
    return true;
}

} // namespace stacklume
