#pragma once

#include "KeyState.h"

#include <initializer_list>
#include <vector>

namespace stacklume {

// Several sources of the same keys, such as the keyboard and the pads: a key is down when any
// of them holds it.
class CombinedKeyState : public KeyState {
public:
    // Null sources are left out, so an absent one can be passed as it is.
    CombinedKeyState(std::initializer_list<const KeyState*> sources);

    bool IsDown(int virtualKey) const override;

private:
    std::vector<const KeyState*> sources_;
};

} // namespace stacklume
