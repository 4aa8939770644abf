#pragma once

#include <cfenv>

namespace fathomer {

// Masks every floating-point exception and selects round-to-nearest for as long as it lives,
// then restores the environment it found. The entry point holds one for the whole run, before
// any window exists, so that no library can trap on a floating-point operation.
class FloatingPointGuard {
public:
    FloatingPointGuard();
    ~FloatingPointGuard();
    FloatingPointGuard(const FloatingPointGuard &) = delete;
    FloatingPointGuard &operator=(const FloatingPointGuard &) = delete;

private:
    std::fenv_t saved;
};

}  // namespace fathomer
