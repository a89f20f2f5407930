#include "line_input.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "number_reading.h"
#include "readers/line_readers.h"

namespace {

struct LineFormatEntry {
    LineFormat format;
    std::string_view name;
    std::string_view endings[3];
    bool (*read)(std::string_view text, LineData& data, LineFault& fault);
};

constexpr LineFormatEntry Formats[] = {{LineFormat::Csv, "csv", {".csv"}, ReadCsvLines},
                                       {LineFormat::Obj, "obj", {".obj"}, ReadObjLines},
                                       {LineFormat::Points, "points", {".txt", ".xyz", ".dat"}, ReadPointTable}};

const LineFormatEntry& Entry(LineFormat format) {
    return *std::find_if(std::begin(Formats), std::end(Formats), [&](auto& e) { return e.format == format; });
}

bool EndsWithAnyCase(std::string_view text, std::string_view ending) {
    if (ending.empty() || text.size() < ending.size()) return false;
    return std::equal(ending.begin(), ending.end(), text.end() - ending.size(),
                      [](char a, char b) { return a == (b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b); });
}

// The whole input in memory, so the readers parse it in place.
bool ReadWholeInput(const std::string& fileName, std::string& text, std::string& problem) {
    const bool standardInput = fileName == "-";
    std::FILE* file = standardInput ? stdin : std::fopen(fileName.c_str(), "rb");
    if (!file) {
        problem = std::strerror(errno);
        return false;
    }
    std::error_code error;
    const std::uintmax_t known = standardInput ? 0 : std::filesystem::file_size(fileName, error);
    text.resize(error || known == 0 ? std::size_t(1) << 16 : std::size_t(known) + 1);  // one more: the end seen at once
    std::size_t size = 0;
    while ((size += std::fread(text.data() + size, 1, text.size() - size, file)) == text.size())
        text.resize(text.size() * 2);
    const bool failed = std::ferror(file);
    if (failed) problem = std::strerror(errno);
    if (!standardInput) std::fclose(file);
    text.resize(size);
    return !failed;
}

}  // namespace

std::optional<LineFormat> LineFormatNamed(std::string_view name) {
    for (const LineFormatEntry& entry : Formats)
        if (entry.name == name) return entry.format;
    return std::nullopt;
}

std::optional<LineFormat> LineFormatOfFile(std::string_view fileName) {
    for (const LineFormatEntry& entry : Formats)
        for (std::string_view ending : entry.endings)
            if (EndsWithAnyCase(fileName, ending)) return entry.format;
    return std::nullopt;
}

std::string LineFormatNames() {
    std::vector<std::string_view> names;
    for (const LineFormatEntry& entry : Formats) names.push_back(entry.name);
    return ChoiceText(names);
}

std::string LineFormatEndings() {
    std::vector<std::string_view> endings;
    for (const LineFormatEntry& entry : Formats)
        for (std::string_view ending : entry.endings)
            if (!ending.empty()) endings.push_back(ending);
    return ChoiceText(endings);
}

std::string LineFaultText(std::string_view shownName, const LineFault& fault) {
    const std::string line = fault.line == 0 ? "" : ":" + std::to_string(fault.line);
    return std::string(shownName) + line + ": " + fault.what;
}

bool ReadLineText(std::string_view text, LineFormat format, LineData& data, LineFault& fault) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // the byte-order mark some editors write
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        fault = {1, "empty, no segment to draw"};
        return false;
    }
    if (!Entry(format).read(text, data, fault)) return false;
    KeepCompact(data);  // the room reserved by the count of lines, where blank ones or comments left it unused
    return true;
}

std::optional<LineData> ReadLineFile(const std::string& fileName, std::optional<LineFormat> format,
                                     std::string& problem) {
    const bool standardInput = fileName == "-";
    const std::string shownName = standardInput ? "standard input" : fileName;
    if (!format && !standardInput) format = LineFormatOfFile(fileName);
    if (!format) {
        problem = shownName +
                  (standardInput ? ": its format must be named (" : ": no format for this name; name one (") +
                  LineFormatNames() + ")";
        return std::nullopt;
    }
    std::string text, why;
    LineData data;
    LineFault fault;
    if (!ReadWholeInput(fileName, text, why))
        problem = shownName + ": cannot be read: " + why;
    else if (!ReadLineText(text, *format, data, fault))
        problem = LineFaultText(shownName, fault);
    else
        return data;
    return std::nullopt;
}
