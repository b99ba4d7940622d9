#pragma once
// Plays user events on a fresh main window and judges each one.

#include "EventPlayer.h"

#include <optional>
#include <string>
#include <vector>

struct Failure {
    size_t eventIndex;
    std::string what;
};

struct RunResult {
    std::optional<Failure> failure;
    long warmKb = 0;  // resident memory after `warmAfter` events, fields shortened
    long endKb = 0;   // and at the end
};

RunResult Play(const std::vector<UserEvent>& events, bool measure = false, size_t warmAfter = 0);
