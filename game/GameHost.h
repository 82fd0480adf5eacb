#pragma once

#include <cstdint>

namespace stacklume {

enum class Sound { FourRows, Rows, Knock };

// What the engine asks of the world around it. The window implements it.
class GameHost {
public:
    virtual ~GameHost() = default;
    virtual void PlaySound(Sound sound) = 0;
    virtual void SetTickInterval(int milliseconds) = 0;
    // Ends the game with the score it had before the last lock. alreadyShown is true when this
    // game has already made its end-of-game display. May throw (the best-scores file can fail
    // to read); the engine then leaves the lock undone.
    virtual void GameOver(std::int32_t score, bool alreadyShown) = 0;
};

} // namespace stacklume
