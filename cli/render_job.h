#pragma once

#include <ostream>

#include "catalogue.h"
#include "line_data.h"
#include "options.h"
#include "temporary_files.h"

// The status when the reader of standard output went away: what a shell
// reports for a program that SIGPIPE ended (128 + 13).
inline constexpr int ReaderGoneStatus = 141;

// Whether a run keeps a progress line on standard error.
inline bool ShowsProgress(const RenderOptions& options) {
    return options.progress && !options.quiet && options.frames > 1;
}

// What a redraw of the --input lines draws, as a redraw of a structure does:
// the axes when asked, then the lines in the structure's place.
void RedrawLines(Scene& scene, const LineData& lines);

// Runs a parsed command line: answers on standard output, or applies the
// ticks, draws every named structure in turn on one scene (or the lines of
// --input, read and placed before any file is opened) and writes the
// requested files, making its temporaries through `temporaries`. Returns the
// exit status: 0 done, 1 a drawing or writing failure (reported on `err`),
// 2 line data that cannot be read (reported, nothing written),
// ReaderGoneStatus (nothing reported, nothing replaced).
// `redraw` is the window's redraw; only tests put another in its place.
int RunRender(const RenderOptions& options, TemporaryFiles& temporaries, std::ostream& err,
              void (*redraw)(Scene&) = RedrawScene);
