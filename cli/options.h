#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_format.h"
#include "line_input.h"
#include "simd_level.h"
#include "view_address.h"

// What one run of the renderer is asked to do.
struct RenderOptions {
    bool help = false;
    bool version = false;
    bool list = false;
    bool showAxis = false;
    float angleX = 0, angleY = 0, angleZ = 0;
    float time = 0;
    int ticks = 0;
    Speeds speeds;
    int frames = 1;                         // pictures, each after one more timer tick
    int delay = DefaultFrameMilliseconds;   // ms each frame of an animation lasts
    int seed = 0;                           // K: the random source starts from the key -K; 0: the fixed start
    bool quiet = false;                     // no progress line
    bool progress = false;                  // standard error is a terminal: show the progress of long runs
    std::vector<int> structures;            // 1-based catalogue rows, drawn in this order
    std::vector<std::string> outputs;       // picture files; the extension picks the format, or else `format`
    std::optional<FileFormat> format;       // for outputs whose names name no format
    std::vector<std::string> segments;      // segment lists, each written in full; "-": standard output
    std::optional<ViewAddress> view;        // --view: the whole state, in place of the options above that set it
    std::string input;                      // --input: line data drawn in place of a structure ("-": standard input)
    std::optional<LineFormat> inputFormat;  // its format, where its name does not say it
    bool fitInput = true;                   // placed as the catalogue is; --no-fit: drawn as given
    double scale = 1;                       // the pictures' scale, Canvas::MinScale .. Canvas::MaxScale
    SimdLevel simd = SimdLevel::Scalar;     // the kernels' level, chosen at the program's start-up
};

struct ParsedCommandLine {
    RenderOptions options;
    std::string error;  // one line naming the problem; empty when the command line is good

    int ExitStatus() const { return error.empty() ? 0 : 2; }
};

// The format `path` is written in: the one its extension names, or else --format's.
std::optional<FileFormat> OutputFormat(const RenderOptions& options, std::string_view path);

// The command line without the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText();
std::string VersionText(SimdLevel level);  // the program's name, version and level, then its licence
