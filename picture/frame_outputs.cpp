#include "frame_outputs.h"

#include <QThread>
#include <algorithm>
#include <cerrno>

namespace {

// Qt takes the first thread that asks for its thread data for its main
// thread, and hands the image plugins it loads to that thread. An encoder
// thread asking first would end before the plugins go and leave them its freed
// data (a heap corrupted at exit); so the thread that owns the encoders asks
// before any of them starts.
int ClaimQtBeforeWorkers(int workers) {
    QThread::currentThread();
    return workers;
}

void RecordFailure(FrameWriting& writing, FrameOutput& output, int frame, const std::string& path,
                   const std::string& reason) {
    const std::lock_guard lock(writing.pool.mutex);
    if (output.failedFrame < 0 || frame < output.failedFrame)
        output.failedFrame = frame, output.failedPath = path == "-" ? "standard output" : path, output.failure = reason;
    writing.failed = true;
}

void NoteReduction(FrameWriting& writing, FrameOutput& output, int frame, int droppedBits) {
    if (droppedBits == 0) return;
    const std::lock_guard lock(writing.pool.mutex);
    ++output.reducedFrames;
    if (output.firstReducedFrame < 0 || frame < output.firstReducedFrame) output.firstReducedFrame = frame;
    output.mostDroppedBits = std::max(output.mostDroppedBits, droppedBits);
}

// One frame's own file.
void WriteFrameFile(FrameWriting& writing, FrameOutput& output, const Frame& frame) {
    if (writing.failed) return;  // a sequence stops at its first failure
    const std::string path = FramePath(output.path, frame.index);
    OutputFile file;
    Encoder encoder;
    const bool done = OpenOutput(file, path, writing.temporaries) &&
                      BeginEncoder(encoder, *output.kind, frame.surface, file, writing.delayMs) &&
                      AddEncoderFrame(encoder, frame.surface, frame.log) && FinishEncoder(encoder) &&
                      CommitOutput(file);
    NoteReduction(writing, output, frame.index, encoder.droppedBits);
    if (!done) RecordFailure(writing, output, frame.index, path, EncoderFailure(file, encoder));
}

void AddToSingleFile(FrameWriting& writing, FrameOutput& output, const Frame& frame) {
    if (writing.failed) return;
    if (!AddEncoderFrame(output.encoder, frame.surface, frame.log))
        RecordFailure(writing, output, frame.index, output.path, EncoderFailure(output.file, output.encoder));
    NoteReduction(writing, output, frame.index, output.encoder.droppedBits);
}

// Standard output's encoders last.
void FinishEncoders(FrameWriting& writing) {
    for (const bool toStandardOutput : {false, true})
        for (const auto& output : writing.outputs)
            if (!writing.failed && !output->perFrame && (output->path == "-") == toStandardOutput &&
                !FinishEncoder(output->encoder))
                RecordFailure(writing, *output, 0, output->path, EncoderFailure(output->file, output->encoder));
}

std::string FailureLine(const FrameWriting& writing) {
    const FrameOutput* first = nullptr;
    for (const auto& output : writing.outputs)
        if (output->failedFrame >= 0 && (!first || output->failedFrame < first->failedFrame)) first = output.get();
    if (!first) return {};
    return "cannot write \"" + first->failedPath + "\": " + first->failure;
}

}  // namespace

FrameWriting::FrameWriting(TemporaryFiles& files, int workers)
    : temporaries(files), pool(ClaimQtBeforeWorkers(workers)) {}

void AddOutput(FrameWriting& writing, const std::string& path, FileFormat format) {
    auto output = std::make_unique<FrameOutput>();
    output->path = path;
    output->kind = &EncoderFor(format);
    output->perFrame = IsFrameTemplate(path);
    if (!output->perFrame) output->path = FramePath(path, 0);  // %% is a percent sign in any name
    writing.outputs.push_back(std::move(output));
}

bool NeedsSegmentLog(const FrameWriting& writing) {
    for (const auto& output : writing.outputs)
        if (output->kind->usesSegments) return true;
    return false;
}

bool OpenOutputs(FrameWriting& writing, const Canvas& surface, std::string* problem) {
    for (const auto& output : writing.outputs) {
        if (output->perFrame) continue;
        const bool opened = (output->path == "-" ? OpenStandardOutput(output->file)
                                                 : OpenOutput(output->file, output->path, writing.temporaries)) &&
                            BeginEncoder(output->encoder, *output->kind, surface, output->file, writing.delayMs);
        if (!opened) {
            *problem = "cannot write \"" + output->path + "\": " + EncoderFailure(output->file, output->encoder);
            AbandonOutputs(writing);
            return false;
        }
    }
    return true;
}

int FramesWaiting(int workers, std::size_t frameBytes) {
    const std::size_t byMemory = FrameMemory / std::max<std::size_t>(frameBytes, 1);
    return int(std::clamp<std::size_t>(byMemory, 2, std::size_t(2 * workers + 2)));
}

void PostFrame(FrameWriting& writing, int index, const Canvas& surface, const SegmentLog& log) {
    WorkerPool& pool = writing.pool;
    const bool logged = NeedsSegmentLog(writing);
    const std::size_t bytes =
        surface.pixels.size() * sizeof(std::uint32_t) + (logged ? log.size() * sizeof(SegmentRecord) : 0);
    AcquireFrameSlot(pool, FramesWaiting(int(pool.threads.size()), bytes));
    auto* copy = new Frame{index, surface, logged ? log : SegmentLog{}};
    const std::shared_ptr<const Frame> frame(copy, [&pool](const Frame* f) {
        delete f;
        ReleaseFrameSlot(pool);
    });
    for (const auto& entry : writing.outputs) {
        FrameOutput& output = *entry;
        if (output.perFrame)
            Submit(pool, [&writing, &output, frame] { WriteFrameFile(writing, output, *frame); });
        else
            SubmitInOrder(pool, output.lane, [&writing, &output, frame] { AddToSingleFile(writing, output, *frame); });
    }
}

bool FinishOutputs(FrameWriting& writing, std::string* problem, std::vector<std::string>* notes) {
    WaitIdle(writing.pool);
    for (const auto& output : writing.outputs)
        if (output->reducedFrames > 0 && notes)
            notes->push_back("\"" + output->path + "\": " + std::to_string(output->reducedFrames) +
                             " frame(s) had more than 256 colours (the first: frame " +
                             std::to_string(output->firstReducedFrame) + "); each channel kept its top " +
                             std::to_string(8 - output->mostDroppedBits) + " bits or more");
    FinishEncoders(writing);
    // Standard output cannot take back what it got: it is completed first, so
    // that its failure still leaves every file as it was.
    std::vector<OutputFile*> files;
    for (const auto& output : writing.outputs) {
        if (writing.failed || output->perFrame) continue;
        if (output->path != "-")
            files.push_back(&output->file);
        else if (!CommitOutput(output->file))
            RecordFailure(writing, *output, 0, output->path, output->file.error);
    }
    if (!writing.failed && !CommitOutputs(files))
        for (const auto& output : writing.outputs)
            if (!output->perFrame && !output->file.error.empty())
                RecordFailure(writing, *output, 0, output->path, output->file.error);
    if (!writing.failed) return true;
    for (const auto& output : writing.outputs)
        if (output->path == "-" && output->file.errorNumber == EPIPE) writing.readerGone = true;
    AbandonOutputs(writing);
    *problem = FailureLine(writing);
    return false;
}

void AbandonOutputs(FrameWriting& writing) {
    WaitIdle(writing.pool);
    for (const auto& output : writing.outputs) {
        output->encoder.state.reset();  // nothing more reaches the file
        CancelOutput(output->file);
    }
}
