// The program started in its own process, beside the point-of-sale stand-in.
#pragma once

#include <memory>

#include "test_support.h"

// The stand-in (unless left out) and the program, started in that order so
// that the program's window is the active one, and both ended with the session.
struct Session {
    std::unique_ptr<ScopedStandIn> standIn;
    Process program = {};
    HWND display = NULL;
    HWND window = NULL;
    HWND checkBox = NULL;

    explicit Session(bool withStandIn = true, const std::string& standInArguments = "");
    ~Session();

    bool Ticked() const;
    // The window that has the keyboard focus in the program.
    HWND Focus() const;
    // Waits until the box is ticked (or cleared) and the stand-in hidden (or
    // shown) to match.
    bool WaitForTicked(bool ticked) const;
};
