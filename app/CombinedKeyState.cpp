#include "CombinedKeyState.h"

#include <algorithm>
#include <iterator>

namespace stacklume {

CombinedKeyState::CombinedKeyState(std::initializer_list<const KeyState*> sources) {
    std::copy_if(sources.begin(), sources.end(), std::back_inserter(sources_),
                 [](const KeyState* source) { return source != nullptr; });
}

bool CombinedKeyState::IsDown(int virtualKey) const {
    return std::any_of(sources_.begin(), sources_.end(),
                       [virtualKey](const KeyState* source) { return source->IsDown(virtualKey); });
}

} // namespace stacklume
