#pragma once

#include <optional>
#include <string>
#include <string_view>

enum class FileFormat { Bmp, Png, Svg, Pdf, Eps, Obj, WebP, Gif, Mp4, WebM, Csv };

// The picture format a name stands for ("png", "webm", ...), in any letter case.
std::optional<FileFormat> PictureFormatNamed(std::string_view name);
// The picture format a file name's extension names, in any letter case.
std::optional<FileFormat> PictureFormatFor(std::string_view path);
// The image or video format a file name's extension names ("JPEG" for .jpg)
// when it is one this program does not write, or empty: such a name is
// refused rather than given another format's bytes.
std::string_view RefusedExtension(std::string_view path);
// The names PictureFormatNamed knows, for messages: "png, bmp, ... or webm".
std::string PictureFormatNames();

// How long an animation's frame lasts unless told: the window's timer interval.
inline constexpr int DefaultFrameMilliseconds = 100;

// Whether a file of this format holds many frames.
inline bool IsAnimation(FileFormat format) {
    return format == FileFormat::WebP || format == FileFormat::Gif || format == FileFormat::Mp4 ||
           format == FileFormat::WebM;
}

// A file name with one printf-style number (%d, %5d, %05d; %% is a percent
// sign) names one file per frame.
bool IsFrameTemplate(std::string_view path);
// Why a name with a '%' is not a usable template; empty when it is one (or has no '%').
std::string TemplateProblem(std::string_view path);
// The template with the frame number put in and each %% made one %; a name
// without a frame number only loses the doubled percent signs.
std::string FramePath(std::string_view pathTemplate, int frame);
