#pragma once

#include "GameHost.h"
#include "GameTypes.h"
#include "KeyState.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>

namespace stacklume {

// The values of the running game.
struct GameValues {
    std::int32_t Score = 0;
    double StartTime = 0;   // time of day as a fraction of a day, taken at the start of the game
    double ElapsedTime = 0; // fraction of a day played
    bool Landing = false;
    std::uint32_t LandingTick = 0;
    int LandingColumn = 0;
    bool GameOverShown = false;
};

// Kept from tick to tick; a new game does not reset it.
struct TickState {
    stacklume::Command Command = stacklume::Command::None;
    int FallCounter = 0;
    int RotateCounter = 0;
    int LateralHeld = 0;
    bool SoftDrop = false;
    bool Collision = false;
};

inline constexpr int BaseTickInterval = 45;
inline constexpr int SoftDropTickInterval = 20;
inline constexpr std::uint32_t LandingGraceMilliseconds = 700;

using BrickPatternTexts = std::array<std::string, PersonalizedKindCount>;

// Everything that decides play. One instance lives for the whole run and is reset in place by
// a new game. It reaches the world only through the host, the key state and the tick count it
// is given.
class Game {
public:
    explicit Game(GameHost& host);

    GameOptions& Options() { return options_; }
    const GameOptions& Options() const { return options_; }
    // The board is open to the shell and to tests that set up a position.
    const Well& CurrentWell() const { return well_; }
    Well& CurrentWell() { return well_; }
    const Piece& CurrentPiece() const { return piece_; }
    Piece& CurrentPiece() { return piece_; }
    const PieceKinds& Kinds() const { return kinds_; }
    const GameValues& Values() const { return values_; }
    const TickState& Ticks() const { return tick_; }

    void ClearWell();
    void SeedRandom(std::uint32_t seed);
    int RandomBelow(int n);
    void ChooseNextPiece();
    void PlaceAtTop();

    // One game tick up to and including the lock; returns whether the piece locked, in which
    // case the falling piece is not to be drawn in this frame.
    bool Tick(const KeyState& keys, std::uint32_t tickCount);
    void LockPiece();

    // Empties the well and restarts score and clock; the falling piece and the tick state stay.
    void NewGame(std::uint32_t seed, double timeOfDay);
    // Sets the game clock from the current time of day; a game that runs past midnight keeps counting.
    void UpdateElapsedTime(double timeOfDay);
    void SetStartTime(double timeOfDay);

    // Kinds 8 to 11 take the four pattern texts. The falling piece keeps its shape.
    void ApplyPersonalizedBricks(const BrickPatternTexts& patterns);

private:
    // Sets the command and returns whether a slow drop is wanted.
    bool ReadKeys(const KeyState& keys);
    void UpdateSoftDrop(bool wanted);
    void FallStep();
    void CarryOutCommand();
    void DetectLanding(std::uint32_t tickCount);
    void AddToScore(std::int32_t points);

    GameHost& host_;
    GameOptions options_;
    Well well_{};
    PieceKinds kinds_;
    Piece piece_;
    GameValues values_;
    TickState tick_;
    std::mt19937 random_;
};

// Ticks between fall steps at a speed level: a step happens when the fall counter exceeds it.
int FallThreshold(int fallInterval);

} // namespace stacklume
