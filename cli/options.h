#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "view_state.h"

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
    std::vector<int> structures;  // 1-based catalogue rows, drawn in this order
    std::string outputPath;       // empty: no picture file
    std::string outputFormat;     // "BMP" or "PNG", from the output's extension
    std::string segmentsPath;     // empty: no segment list; "-": standard output
};

struct ParsedCommandLine {
    RenderOptions options;
    std::string error;  // one line naming the problem; empty when the command line is good

    int ExitStatus() const { return error.empty() ? 0 : 2; }
};

// The command line without the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// A decimal that is finite as a 32-bit float, rounded to the nearest one.
std::optional<float> ParseDecimal(std::string_view text, std::string* problem = nullptr);

// The picture format a file name's extension names ("BMP", "PNG"), if any.
std::optional<std::string> PictureFormatFor(std::string_view path);

std::string UsageText();
std::string VersionText();  // one line: the program's name and version
