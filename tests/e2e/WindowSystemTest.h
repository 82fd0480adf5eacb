#pragma once

#include "WindowSystem.h"

#include <gtest/gtest.h>

#include <ostream>

namespace stacklume::e2e {

// A test run once on each window system: its parameter says which.
using WindowSystemTest = ::testing::TestWithParam<WindowSystemKind>;

// For GoogleTest's messages and CTest's names: the window system by name rather than its bytes.
inline void PrintTo(WindowSystemKind kind, std::ostream* out) { *out << NameOf(kind); }

} // namespace stacklume::e2e

// Runs the tests of `suite`, a WindowSystemTest, on X11 and on Wayland, named after them.
#define STACKLUME_ON_EVERY_WINDOW_SYSTEM(suite)                                                              \
    INSTANTIATE_TEST_SUITE_P(, suite,                                                                        \
                             ::testing::Values(::stacklume::e2e::WindowSystemKind::X11,                      \
                                               ::stacklume::e2e::WindowSystemKind::Wayland),                 \
                             [](const auto& info) { return ::stacklume::e2e::NameOf(info.param); })
