#pragma once

namespace stacklume {

// Whether a key, by virtual-key number, is down at the moment of the call.
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool IsDown(int virtualKey) const = 0;
};

} // namespace stacklume
