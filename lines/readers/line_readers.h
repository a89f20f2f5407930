#pragma once

#include <string_view>

#include "line_input.h"

// One reader a format, each taking the whole text in place.
bool ReadCsvLines(std::string_view text, LineData& data, LineFault& fault);
bool ReadObjLines(std::string_view text, LineData& data, LineFault& fault);
bool ReadPointTable(std::string_view text, LineData& data, LineFault& fault);
