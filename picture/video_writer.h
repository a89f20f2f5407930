#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"
#include "file_format.h"
#include "output_file.h"

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct SwsContext;

// A video built frame by frame into `file`: H.264 in MP4 or VP9 in WebM,
// yuv420p, each frame lasting `delayMs`. The encoder starts with the first
// frame, at that picture's size; H.264 needs even sizes, so an odd width or
// height gets one black column or row on the right or at the bottom. Into a
// file of our own the MP4 gets its index at the front; into a pipe, a device
// or a stream, which cannot be gone back over, it is written as fragments
// that play as they arrive.
struct VideoAnimation {
    FileFormat format = FileFormat::Mp4;
    int delayMs = 100;
    OutputFile* file = nullptr;
    AVIOContext* io = nullptr;
    AVFormatContext* muxer = nullptr;
    AVCodecContext* encoder = nullptr;
    SwsContext* converter = nullptr;
    AVFrame* picture = nullptr;
    AVPacket* packet = nullptr;
    std::vector<std::uint32_t> padded;  // the picture with its black edge, when it needs one
    int width = 0, height = 0;          // the pictures' size
    int frames = 0;
    std::string error;

    VideoAnimation() = default;
    VideoAnimation(const VideoAnimation&) = delete;
    VideoAnimation& operator=(const VideoAnimation&) = delete;
    ~VideoAnimation();
};

inline bool IsVideo(FileFormat format) { return format == FileFormat::Mp4 || format == FileFormat::WebM; }

// The size of the video of a `width` x `height` picture.
int VideoSide(FileFormat format, int side);

void StartVideo(VideoAnimation& video, OutputFile& file, FileFormat format, int delayMs);
bool AddVideoFrame(VideoAnimation& video, const Canvas& surface);
// Drains the encoder and completes the file; a video without frames fails.
bool FinishVideo(VideoAnimation& video);

// The video libraries report on standard error by themselves; the renderer
// reports their failures in its own words instead. Call once at start-up.
void SilenceVideoLibraries();
