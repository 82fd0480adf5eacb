#include "SdlLibrary.h"

#include <dlfcn.h>

#include <stdexcept>
#include <string>

namespace stacklume {

namespace {

// The library's name for programs built against SDL 2, whatever its minor version.
constexpr const char* LibraryName = "libSDL2-2.0.so.0";

std::string LoadError() {
    const char* reason = dlerror();
    return std::string("SDL 2 cannot be loaded: ") + (reason != nullptr ? reason : "unknown reason");
}

SdlLibrary Load() {
    // Never closed: SDL keeps threads and handlers of its own until the program ends.
    void* library = dlopen(LibraryName, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        throw std::runtime_error(LoadError());
    SdlLibrary functions;
#define STACKLUME_SDL_LOOKUP(name)                                                                           \
    functions.name = reinterpret_cast<decltype(functions.name)>(dlsym(library, "SDL_" #name));               \
    if (functions.name == nullptr)                                                                           \
        throw std::runtime_error(LoadError());
    STACKLUME_SDL_FUNCTIONS(STACKLUME_SDL_LOOKUP)
#undef STACKLUME_SDL_LOOKUP
    return functions;
}

} // namespace

const SdlLibrary& Sdl() {
    static const SdlLibrary functions = Load();
    return functions;
}

const SdlLibrary* SdlIfLoadable() noexcept {
    try {
        return &Sdl();
    } catch (const std::exception&) {
        return nullptr;
    }
}

} // namespace stacklume
