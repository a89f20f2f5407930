#include "video_io.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
}

#include <cerrno>
#include <cstdio>

namespace {

constexpr int BufferSize = 1 << 16;

// Where a reader of the file stands.
struct ReadBack {
    OutputFile* file = nullptr;
    std::int64_t position = 0;
};

int Write(void* opaque, std::uint8_t* bytes, int size) {
    return WriteOutput(*static_cast<OutputFile*>(opaque), bytes, std::size_t(size)) ? size : AVERROR(EIO);
}

std::int64_t Seek(void* opaque, std::int64_t offset, int whence) {
    OutputFile& file = *static_cast<OutputFile*>(opaque);
    if (whence & AVSEEK_SIZE) return OutputSize(file);
    const std::int64_t at = SeekOutput(file, offset, whence & ~AVSEEK_FORCE);
    return at < 0 ? AVERROR(EIO) : at;
}

int Read(void* opaque, std::uint8_t* bytes, int size) {
    ReadBack& reader = *static_cast<ReadBack*>(opaque);
    const long got = ReadBackOutput(*reader.file, reader.position, bytes, std::size_t(size));
    if (got < 0) return AVERROR(EIO);
    if (got == 0) return AVERROR_EOF;
    reader.position += got;
    return int(got);
}

std::int64_t SeekReadBack(void* opaque, std::int64_t offset, int whence) {
    ReadBack& reader = *static_cast<ReadBack*>(opaque);
    const std::int64_t size = OutputSize(*reader.file);
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE: return size;
    case SEEK_SET: break;
    case SEEK_CUR: offset += reader.position; break;
    case SEEK_END: offset += size; break;
    default: return AVERROR(EINVAL);
    }
    if (offset < 0) return AVERROR(EINVAL);
    return reader.position = offset;
}

AVIOContext* NewIo(void* opaque, bool writing, int (*read)(void*, std::uint8_t*, int),
                   std::int64_t (*seek)(void*, std::int64_t, int)) {
    auto* buffer = static_cast<unsigned char*>(av_malloc(BufferSize));
    if (!buffer) return nullptr;
    AVIOContext* io = avio_alloc_context(buffer, BufferSize, writing, opaque, read, writing ? Write : nullptr, seek);
    if (!io) av_free(buffer);
    return io;
}

int OpenReadBack(AVFormatContext* muxer, AVIOContext** io, const char*, int flags, AVDictionary**) {
    auto* file = static_cast<OutputFile*>(muxer->opaque);
    if ((flags & AVIO_FLAG_WRITE) || !CanRewrite(*file)) return AVERROR(EPERM);
    auto* reader = new ReadBack{file, 0};
    *io = NewIo(reader, false, Read, SeekReadBack);
    if (*io) return 0;
    delete reader;
    return AVERROR(ENOMEM);
}

int CloseReadBack(AVFormatContext*, AVIOContext* io) {
    delete static_cast<ReadBack*>(io->opaque);
    FreeOutputIo(io);
    return 0;
}

}  // namespace

AVIOContext* NewOutputIo(OutputFile& file) {
    AVIOContext* io = NewIo(&file, true, nullptr, CanRewrite(file) ? Seek : nullptr);
    if (io) io->seekable = CanRewrite(file) ? AVIO_SEEKABLE_NORMAL : 0;
    return io;
}

void FreeOutputIo(AVIOContext*& io) {
    if (!io) return;
    av_freep(&io->buffer);
    avio_context_free(&io);
}

void AllowReadBack(AVFormatContext* muxer, OutputFile& file) {
    muxer->opaque = &file;
    muxer->io_open = OpenReadBack;
    muxer->io_close2 = CloseReadBack;
}
