#pragma once

#include <ostream>

#include "catalogue.h"
#include "options.h"

// Runs a parsed command line: lists, or applies the ticks, draws every named
// structure in turn on one scene and writes the requested files. Returns the
// exit status: 0 done, 1 a drawing or writing failure (reported on `err`).
// `redraw` is the window's redraw; only tests put another in its place.
int RunRender(const RenderOptions& options, std::ostream& out, std::ostream& err, void (*redraw)(Scene&) = RedrawScene);
