#include "frame_outputs.h"

#include <algorithm>
#include <cerrno>

#include "obj_writer.h"
#include "picture_file.h"
#include "segments_csv.h"
#include "svg_writer.h"

namespace {

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

// A file of one picture in a still format.
std::string StillBytes(FileFormat format, const Frame& frame, int delayMs) {
    switch (format) {
    case FileFormat::Bmp: return EncodePicture(frame.surface, "BMP");
    case FileFormat::Png: return EncodePicture(frame.surface, "PNG");
    case FileFormat::Svg: return SvgText(frame.log, frame.surface.scale);
    case FileFormat::Obj: return ObjText(frame.log);
    case FileFormat::Csv: return SegmentsCsvText(frame.log);
    case FileFormat::WebP: {
        WebPAnimation webp;
        webp.delayMs = delayMs;
        AddWebPFrame(webp, frame.surface);
        return FinishWebP(webp);
    }
    case FileFormat::Gif:
    case FileFormat::Mp4:
    case FileFormat::WebM: break;
    }
    return {};
}

// One frame's own file, in any format.
void WriteFrameFile(FrameWriting& writing, FrameOutput& output, const Frame& frame) {
    if (writing.failed) return;  // a sequence stops at its first failure
    const std::string path = FramePath(output.path, frame.index);
    OutputFile file;
    bool done = OpenOutput(file, path, writing.temporaries);
    if (done && output.format == FileFormat::Gif) {
        GifAnimation gif;
        gif.delayMs = writing.delayMs;
        int dropped = 0;
        done = StartGif(gif, file) && AddGifFrame(gif, frame.surface, &dropped) && FinishGif(gif);
        if (!done && file.error.empty()) file.error = gif.error;
        NoteReduction(writing, output, frame.index, dropped);
    } else if (done && IsVideo(output.format)) {
        VideoAnimation video;  // a video of the one frame
        StartVideo(video, file, output.format, writing.delayMs);
        done = AddVideoFrame(video, frame.surface) && FinishVideo(video);
        if (!done && file.error.empty()) file.error = video.error;
    } else if (done) {
        const std::string bytes = StillBytes(output.format, frame, writing.delayMs);
        done = bytes.empty() ? (file.error = "the picture could not be encoded", false) : WriteOutput(file, bytes);
    }
    if (!(done && CommitOutput(file))) RecordFailure(writing, output, frame.index, path, file.error);
}

void AddToSingleFile(FrameWriting& writing, FrameOutput& output, const Frame& frame) {
    if (writing.failed) return;
    if (output.format == FileFormat::WebP) {
        if (!AddWebPFrame(*output.webp, frame.surface))
            RecordFailure(writing, output, frame.index, output.path, output.webp->error);
    } else if (output.format == FileFormat::Gif) {
        int dropped = 0;
        if (!AddGifFrame(output.gif, frame.surface, &dropped))
            RecordFailure(writing, output, frame.index, output.path, output.gif.error);
        NoteReduction(writing, output, frame.index, dropped);
    } else if (IsVideo(output.format)) {
        if (!AddVideoFrame(output.video, frame.surface))
            RecordFailure(writing, output, frame.index, output.path, output.video.error);
    } else if (output.path == "-") {
        output.bytes = StillBytes(output.format, frame, writing.delayMs);
        if (output.bytes.empty())
            RecordFailure(writing, output, frame.index, output.path, "the picture could not be encoded");
    } else if (!WriteOutput(output.file, StillBytes(output.format, frame, writing.delayMs))) {
        RecordFailure(writing, output, frame.index, output.path, output.file.error);
    }
}

// Completes the animations and hands everything to its file.
bool Complete(FrameWriting& writing, FrameOutput& output) {
    if (output.perFrame) return true;
    bool done = true;
    if (output.format == FileFormat::WebP) {
        const std::string bytes = FinishWebP(*output.webp);
        done = !bytes.empty() && WriteOutput(output.file, bytes);
        if (bytes.empty()) output.file.error = output.webp->error;
    } else if (output.format == FileFormat::Gif) {
        done = FinishGif(output.gif);
        if (!done) output.file.error = output.gif.error;
    } else if (IsVideo(output.format)) {
        done = FinishVideo(output.video);
        if (!done) output.file.error = output.video.error;
    } else if (!output.bytes.empty()) {
        done = WriteOutput(output.file, output.bytes);
    }
    if (!done)
        RecordFailure(writing, output, 0, output.path == "-" ? "standard output" : output.path, output.file.error);
    return done;
}

std::string FailureLine(const FrameWriting& writing) {
    const FrameOutput* first = nullptr;
    for (const auto& output : writing.outputs)
        if (output->failedFrame >= 0 && (!first || output->failedFrame < first->failedFrame)) first = output.get();
    if (!first) return {};
    return "cannot write \"" + first->failedPath + "\": " + first->failure;
}

}  // namespace

void AddOutput(FrameWriting& writing, const std::string& path, FileFormat format) {
    auto output = std::make_unique<FrameOutput>();
    output->path = path;
    output->format = format;
    output->perFrame = IsFrameTemplate(path);
    if (!output->perFrame) output->path = FramePath(path, 0);  // %% is a percent sign in any name
    writing.outputs.push_back(std::move(output));
}

bool NeedsSegmentLog(const FrameWriting& writing) {
    for (const auto& output : writing.outputs)
        if (output->format == FileFormat::Svg || output->format == FileFormat::Obj || output->format == FileFormat::Csv)
            return true;
    return false;
}

bool OpenOutputs(FrameWriting& writing, std::string* problem) {
    for (const auto& output : writing.outputs) {
        if (output->perFrame) continue;
        bool opened = output->path == "-" ? OpenStandardOutput(output->file)
                                          : OpenOutput(output->file, output->path, writing.temporaries);
        if (opened && output->format == FileFormat::WebP) {
            output->webp = std::make_unique<WebPAnimation>();
            output->webp->delayMs = writing.delayMs;
            opened = output->webp->error.empty();
            output->file.error = output->webp->error;
        } else if (opened && output->format == FileFormat::Gif) {
            output->gif.delayMs = writing.delayMs;
            opened = StartGif(output->gif, output->file);
            if (!opened) output->file.error = output->gif.error;
        } else if (opened && IsVideo(output->format)) {
            StartVideo(output->video, output->file, output->format, writing.delayMs);
        }
        if (!opened) {
            *problem = "cannot write \"" + output->path + "\": " + output->file.error;
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
    for (const auto& output : writing.outputs) {
        if (output->reducedFrames > 0 && notes)
            notes->push_back("\"" + output->path + "\": " + std::to_string(output->reducedFrames) +
                             " frame(s) had more than 256 colours (the first: frame " +
                             std::to_string(output->firstReducedFrame) + "); each channel kept its top " +
                             std::to_string(8 - output->mostDroppedBits) + " bits or more");
        if (!writing.failed) Complete(writing, *output);
    }
    // Standard output cannot take back what it got: it is finished first, so
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
    for (const auto& output : writing.outputs) CancelOutput(output->file);
}
