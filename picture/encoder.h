#pragma once

#include <memory>
#include <string>

#include "canvas.h"
#include "file_format.h"
#include "output_file.h"
#include "segment_log.h"

struct Encoder;

// What every format does, in the same three steps: begin with the size of the
// canvas it is given, take frames of that size (their pixels and the segments
// drawn), finish into its file. The code that writes files holds these and
// never asks which format it has: a new format is a new row of EncoderKinds.
// Where the bytes go (a file, standard output, a device) is the OutputFile's
// business, never the format's.
struct EncoderKind {
    FileFormat format;
    bool usesSegments;  // reads the frames' segment logs, which are then kept for it
    bool (*Begin)(Encoder& encoder, const Canvas& surface);
    bool (*AddFrame)(Encoder& encoder, const Canvas& surface, const SegmentLog& log);
    bool (*Finish)(Encoder& encoder);
};

// The row for a format.
const EncoderKind& EncoderFor(FileFormat format);

// One file being encoded. Its size is the canvas's it began with, never the
// picture's own at scale 1, and every frame must have it.
struct Encoder {
    const EncoderKind* kind = nullptr;
    OutputFile* file = nullptr;
    int width = 0, height = 0;
    int delayMs = DefaultFrameMilliseconds;  // each frame's time
    int frames = 0;                          // taken so far
    int droppedBits = 0;                     // low bits each channel lost to fit the last frame's colours in (0: exact)
    std::string error;                       // why the format failed, when it did
    std::unique_ptr<void, void (*)(void*)> state{nullptr, [](void*) {}};  // the format's own
};

bool BeginEncoder(Encoder& encoder, const EncoderKind& kind, const Canvas& surface, OutputFile& file, int delayMs);
bool AddEncoderFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log);
bool FinishEncoder(Encoder& encoder);

// Why writing `file` through `encoder` failed: the file's own reason, which
// says more than a library's, or else the format's.
std::string EncoderFailure(const OutputFile& file, const Encoder& encoder);

// A format's state, made by its Begin and gone with the encoder.
template <typename State>
State& NewEncoderState(Encoder& encoder) {
    encoder.state = {new State(), [](void* state) { delete static_cast<State*>(state); }};
    return *static_cast<State*>(encoder.state.get());
}

template <typename State>
State& EncoderState(Encoder& encoder) {
    return *static_cast<State*>(encoder.state.get());
}
