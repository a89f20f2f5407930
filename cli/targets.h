#pragma once

#include <string>

#include "options.h"

// What stops a run before anything is drawn: two outputs that reach one
// place (a usage error, status 2), or an existing file whose owner has no
// write bit, which is kept as it is whoever runs the program (status 1).
// Every frame file of a name with a frame number is an output of its own.
struct TargetCheck {
    int status = 0;
    std::string problem;  // one line; empty when the run may go on
};

TargetCheck CheckTargets(const RenderOptions& options);
