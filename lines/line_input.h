#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "line_data.h"

// The line-data formats: the segment table the renderer writes (csv), OBJ
// line and face elements (obj), and a plain point table, x y z a line with a
// blank line between polylines (points).
enum class LineFormat { Csv, Obj, Points };

// The format named "csv", "obj" or "points".
std::optional<LineFormat> LineFormatNamed(std::string_view name);
// The format a file name's ending stands for, in any case: .csv; .obj; .txt,
// .xyz or .dat for a point table.
std::optional<LineFormat> LineFormatOfFile(std::string_view fileName);
// "csv, obj or points", for messages.
std::string LineFormatNames();
// ".csv, .obj, .txt, .xyz or .dat", for messages.
std::string LineFormatEndings();

// What is wrong with an input, on which line (from 1; 0 for the input as a whole).
struct LineFault {
    std::size_t line = 0;
    std::string what;
};

// "FILE:LINE: what", or "FILE: what" for the input as a whole.
std::string LineFaultText(std::string_view shownName, const LineFault& fault);

// Text in that format as line data, with at least one segment.
bool ReadLineText(std::string_view text, LineFormat format, LineData& data, LineFault& fault);

// The file ("-": standard input, whose format must then be given) read whole
// and as line data, in the format given or else the one its name stands for.
// On failure nothing, and `problem` says "FILE:LINE: what is wrong" with the
// file's name as given ("standard input" for "-").
std::optional<LineData> ReadLineFile(const std::string& fileName, std::optional<LineFormat> format,
                                     std::string& problem);
