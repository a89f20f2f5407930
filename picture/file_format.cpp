#include "file_format.h"

#include <array>
#include <cctype>
#include <utility>
#include <vector>

#include "number_reading.h"

namespace {

constexpr std::array<std::pair<std::string_view, FileFormat>, 10> Names{{{"png", FileFormat::Png},
                                                                         {"bmp", FileFormat::Bmp},
                                                                         {"svg", FileFormat::Svg},
                                                                         {"pdf", FileFormat::Pdf},
                                                                         {"eps", FileFormat::Eps},
                                                                         {"obj", FileFormat::Obj},
                                                                         {"webp", FileFormat::WebP},
                                                                         {"gif", FileFormat::Gif},
                                                                         {"mp4", FileFormat::Mp4},
                                                                         {"webm", FileFormat::WebM}}};

constexpr std::array<std::pair<std::string_view, std::string_view>, 7> Refused{{{"jpg", "JPEG"},
                                                                                {"jpeg", "JPEG"},
                                                                                {"tif", "TIFF"},
                                                                                {"tiff", "TIFF"},
                                                                                {"avi", "AVI"},
                                                                                {"mov", "QuickTime"},
                                                                                {"mkv", "Matroska"}}};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// What follows the last '.' of the file name, or nothing.
std::optional<std::string_view> Extension(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return std::nullopt;
    return path.substr(dot + 1);
}

struct Conversion {
    std::size_t start = 0, end = 0;  // the "%...d" text
    bool zeroPad = false;
    int width = 0;
};

// Scans for conversions; fills `found` with the first and counts them all.
std::string Scan(std::string_view path, Conversion* found, int* count) {
    *count = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '%') continue;
        if (i + 1 < path.size() && path[i + 1] == '%') {
            ++i;
            continue;
        }
        Conversion c{i, i + 1};
        if (c.end < path.size() && path[c.end] == '0') c.zeroPad = true, ++c.end;
        while (c.end < path.size() && std::isdigit(static_cast<unsigned char>(path[c.end])) && c.width < 100)
            c.width = c.width * 10 + (path[c.end++] - '0');
        if (c.end == path.size()) return "a '%' at the end is not a frame number (write %% for a percent sign)";
        if (path[c.end] != 'd' || c.width >= 100)
            return "only %d, %Nd or %0Nd may stand for the frame number (write %% for a percent sign)";
        if (++*count == 1) *found = c;
        i = c.end;
    }
    if (*count > 1) return "the name holds more than one frame number";
    return {};
}

}  // namespace

std::optional<FileFormat> PictureFormatNamed(std::string_view name) {
    const std::string lower = Lower(name);
    for (const auto& [text, format] : Names)
        if (lower == text) return format;
    return std::nullopt;
}

std::optional<FileFormat> PictureFormatFor(std::string_view path) {
    const std::optional<std::string_view> extension = Extension(path);
    return extension ? PictureFormatNamed(*extension) : std::nullopt;
}

std::string_view RefusedExtension(std::string_view path) {
    const std::string lower = Lower(Extension(path).value_or(""));
    for (const auto& [text, format] : Refused)
        if (lower == text) return format;
    return {};
}

std::string PictureFormatNames() {
    std::vector<std::string_view> names;
    for (const auto& [name, format] : Names) names.push_back(name);
    return ChoiceText(names);
}

std::string TemplateProblem(std::string_view path) {
    Conversion c;
    int count = 0;
    return Scan(path, &c, &count);
}

bool IsFrameTemplate(std::string_view path) {
    Conversion c;
    int count = 0;
    return Scan(path, &c, &count).empty() && count == 1;
}

std::string FramePath(std::string_view pathTemplate, int frame) {
    Conversion c;
    int count = 0;
    Scan(pathTemplate, &c, &count);
    std::string number = std::to_string(frame);
    if (int(number.size()) < c.width) number.insert(0, std::size_t(c.width) - number.size(), c.zeroPad ? '0' : ' ');
    std::string path;
    for (std::size_t i = 0; i < pathTemplate.size(); ++i) {
        if (count == 1 && i == c.start) {
            path += number;
            i = c.end;
        } else {
            path += pathTemplate[i];
            if (pathTemplate[i] == '%' && i + 1 < pathTemplate.size() && pathTemplate[i + 1] == '%') ++i;
        }
    }
    return path;
}
