#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "canvas.h"
#include "encoder.h"
#include "file_format.h"
#include "output_file.h"
#include "segment_log.h"
#include "worker_pool.h"

// One picture as drawn, copied for the encoders.
struct Frame {
    int index = 0;
    Canvas surface;
    SegmentLog log;
};

// One file (or frame-numbered series of files) to write. A series is the
// same encoder begun, fed one frame and finished for each file.
struct FrameOutput {
    std::string path;  // a file name (each %% made one %), a frame template, or "-" for standard output
    const EncoderKind* kind = nullptr;
    bool perFrame = false;  // `path` is a template: one file per frame

    OutputFile file;  // the single file (or standard output), committed only when every output succeeded
    Encoder encoder;  // the single file's, which takes the frames in order
    Lane lane;

    int failedFrame = -1;
    std::string failedPath, failure;
    int reducedFrames = 0, firstReducedFrame = -1, mostDroppedBits = 0;
};

// The outputs of one run and the workers that encode their frames.
struct FrameWriting {
    std::vector<std::unique_ptr<FrameOutput>> outputs;
    int delayMs = DefaultFrameMilliseconds;  // an animation frame's time
    std::atomic<bool> failed = false;
    bool readerGone = false;  // the reader of standard output went away
    TemporaryFiles& temporaries;
    WorkerPool pool;  // last: it finishes its jobs, which use the outputs, before they go

    explicit FrameWriting(TemporaryFiles& files, int workers = DefaultWorkerCount());
};

void AddOutput(FrameWriting& writing, const std::string& path, FileFormat format);

// Whether any output needs the segments drawn, not only the pixels.
bool NeedsSegmentLog(const FrameWriting& writing);

// Opens every single file and begins its encoder at the size of `surface`,
// the canvas every frame will be drawn on; false with one line naming the
// file and the reason. "-" is standard output.
bool OpenOutputs(FrameWriting& writing, const Canvas& surface, std::string* problem);

// How many copies of frames may wait for the encoders together: two for each
// worker and two more, so that none waits for work, but no more than fit in
// FrameMemory, and at least two, so that the drawing goes on while one is encoded.
inline constexpr std::size_t FrameMemory = std::size_t(512) << 20;
int FramesWaiting(int workers, std::size_t frameBytes);

// Hands a copy of the picture to the encoders; blocks while FramesWaiting
// frames wait for them. Check `failed` before drawing the next one.
void PostFrame(FrameWriting& writing, int index, const Canvas& surface, const SegmentLog& log);

// Waits for the encoders and finishes them, standard output's last: a format
// that writes when finished (a still picture, a WebP) so gives standard output
// nothing while another output can still fail. Then completes standard output
// and commits every file together, or, after any failure, none of them.
// `notes` gets remarks for the user (colours reduced for a GIF).
bool FinishOutputs(FrameWriting& writing, std::string* problem, std::vector<std::string>* notes);

// Drops every single file written so far; the old files stay as they were.
void AbandonOutputs(FrameWriting& writing);
