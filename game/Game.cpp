#include "Game.h"

#include "PieceKinds.h"

#include <algorithm>
#include <climits>

namespace stacklume {

Game::Game(GameHost& host) : host_(host), kinds_(InitialPieceKinds()) {
    // The first piece of a run starts with its whole box inside the well; later ones enter from above.
    piece_.X = 5;
    piece_.Y = 0;
}

void Game::ClearWell() {
    for (auto& row : well_)
        row.fill(0);
    well_[FloorRow].fill(FloorImage);
}

void Game::SeedRandom(std::uint32_t seed) { random_.seed(seed); }

int Game::RandomBelow(int n) {
    if (n <= 0)
        return 0;
    return static_cast<int>(random_() % static_cast<std::uint32_t>(n));
}

void Game::ChooseNextPiece() {
    // A personalized brick drawn with no filled cell could never land, so it never comes into
    // play: the kind is drawn among the kinds in play that have cells. The standard kinds always
    // do, so there is always one to choose.
    std::array<int, KindTotal> usable{};
    int usableCount = 0;
    const int kindCount = std::clamp(options_.KindCount, 1, KindTotal);
    for (int kind = 0; kind < kindCount; ++kind)
        if (!IsEmptyShape(kinds_[kind].Shape))
            usable[usableCount++] = kind;
    const PieceKind& chosen = kinds_[usable[RandomBelow(usableCount)]];
    piece_.Shape = chosen.Shape;
    piece_.Image = chosen.Image;
}

void Game::PlaceAtTop() {
    piece_.X = 5;
    piece_.Y = -LowestFilledRow(piece_.Shape);
}

void Game::NewGame(std::uint32_t seed, double timeOfDay) {
    values_.Landing = false;
    values_.GameOverShown = false;
    ClearWell();
    values_.Score = 0;
    values_.ElapsedTime = 0;
    values_.StartTime = timeOfDay;
    SeedRandom(seed);
}

void Game::SetStartTime(double timeOfDay) {
    values_.ElapsedTime = 0;
    values_.StartTime = timeOfDay;
}

void Game::UpdateElapsedTime(double timeOfDay) {
    double elapsed = timeOfDay - values_.StartTime;
    if (elapsed < 0)
        elapsed += 1; // past midnight
    values_.ElapsedTime = elapsed;
}

void Game::ApplyPersonalizedBricks(const BrickPatternTexts& patterns) {
    for (int i = 0; i < PersonalizedKindCount; ++i)
        kinds_[FirstPersonalizedKind + i].Shape = ShapeFromPattern(patterns[i]);
}

void Game::AddToScore(std::int32_t points) {
    values_.Score = points > INT32_MAX - values_.Score ? INT32_MAX : values_.Score + points;
}

} // namespace stacklume
