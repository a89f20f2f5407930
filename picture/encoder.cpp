#include "encoder.h"

#include <array>
#include <stdexcept>

#include "gif_writer.h"
#include "still_encoders.h"
#include "video_writer.h"
#include "webp_writer.h"

namespace {

constexpr std::array<EncoderKind, 11> Kinds{{
    {FileFormat::Png, false, BeginStill, AddPngFrame, FinishStill},
    {FileFormat::Bmp, false, BeginStill, AddBmpFrame, FinishStill},
    {FileFormat::Svg, true, BeginStill, AddSvgFrame, FinishStill},
    {FileFormat::Pdf, true, BeginStill, AddPdfFrame, FinishStill},
    {FileFormat::Eps, true, BeginStill, AddEpsFrame, FinishStill},
    {FileFormat::Obj, true, BeginStill, AddObjFrame, FinishStill},
    {FileFormat::Csv, true, BeginStill, AddCsvFrame, FinishStill},
    {FileFormat::WebP, false, BeginWebP, AddWebPFrame, FinishWebP},
    {FileFormat::Gif, false, BeginGif, AddGifFrame, FinishGif},
    {FileFormat::Mp4, false, BeginVideo, AddVideoFrame, FinishVideo},
    {FileFormat::WebM, false, BeginVideo, AddVideoFrame, FinishVideo},
}};

bool Failed(Encoder& encoder, const char* reason) {
    if (encoder.error.empty()) encoder.error = reason;
    return false;
}

}  // namespace

const EncoderKind& EncoderFor(FileFormat format) {
    for (const EncoderKind& kind : Kinds)
        if (kind.format == format) return kind;
    throw std::logic_error("a format without an encoder");
}

bool BeginEncoder(Encoder& encoder, const EncoderKind& kind, const Canvas& surface, OutputFile& file, int delayMs) {
    encoder.kind = &kind;
    encoder.file = &file;
    encoder.width = surface.width;
    encoder.height = surface.height;
    encoder.delayMs = delayMs;
    return kind.Begin(encoder, surface) || Failed(encoder, "the encoder could not be started");
}

bool AddEncoderFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log) {
    if (!encoder.error.empty() || !encoder.state) return false;
    if (surface.width != encoder.width || surface.height != encoder.height)
        return Failed(encoder, "the frames differ in size");
    encoder.droppedBits = 0;
    if (!encoder.kind->AddFrame(encoder, surface, log)) return Failed(encoder, "the picture could not be encoded");
    ++encoder.frames;
    return true;
}

bool FinishEncoder(Encoder& encoder) {
    if (!encoder.error.empty() || !encoder.state) return false;
    if (encoder.frames == 0) return Failed(encoder, "there is no frame to write");
    return encoder.kind->Finish(encoder) || Failed(encoder, "the file could not be completed");
}

std::string EncoderFailure(const OutputFile& file, const Encoder& encoder) {
    return file.error.empty() ? encoder.error : file.error;
}
