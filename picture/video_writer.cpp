#include "video_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>

#include "video_io.h"

namespace {

struct VideoAnimation {
    AVIOContext* io = nullptr;
    AVFormatContext* muxer = nullptr;
    AVCodecContext* codec = nullptr;
    SwsContext* converter = nullptr;
    AVFrame* source = nullptr;  // the canvas's pixels, with room the converter may read past a row's end
    AVFrame* picture = nullptr;
    AVPacket* packet = nullptr;

    VideoAnimation() = default;
    VideoAnimation(const VideoAnimation&) = delete;
    VideoAnimation& operator=(const VideoAnimation&) = delete;
    ~VideoAnimation() {
        sws_freeContext(converter);
        av_frame_free(&source);
        av_frame_free(&picture);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_free_context(muxer);
        FreeOutputIo(io);
    }
};

// Settings that keep thin coloured lines on black within 35 dB PSNR of the
// picture after 4:2:0 (Rosset, the hardest, at about 36.5 dB, where 4:2:0
// alone allows 37.5), at an encoding speed close to that of the PNG files.
// H.264 gets a fixed quantiser: its constant-quality mode spends fewer bits
// as the frame rate rises and would fall below 35 dB at short delays. The
// chroma gets a finer quantiser than the luma: the coloured lines need it.
// A picture drawn smaller packs its lines closer, and 4:2:0 alone takes more
// from it (Rosset at scale 0.5 allows 36.2 dB, at 0.25 below 35): there the
// quantisers are finer still, which costs little at that size.
struct Settings {
    const char* encoder;
    const char* muxer;
    const char* options;  // the encoder's, as "key=value;key=value"
};

Settings SettingsFor(FileFormat format, bool smallerThanPicture = false) {
    if (format == FileFormat::WebM)
        return {"libvpx-vp9", "webm",
                smallerThanPicture ? "crf=4;deadline=realtime;cpu-used=6;row-mt=1"
                                   : "crf=10;deadline=realtime;cpu-used=6;row-mt=1"};
    return {"libx264", "mp4",
            smallerThanPicture ? "preset=veryfast;qp=12;x264-params=chroma-qp-offset=-4"
                               : "preset=veryfast;qp=18;x264-params=chroma-qp-offset=-4"};
}

bool Fail(Encoder& encoder, const std::string& what, int code = 0) {
    if (!encoder.error.empty()) return false;
    char reason[AV_ERROR_MAX_STRING_SIZE] = {};
    if (code < 0) av_strerror(code, reason, sizeof reason);
    encoder.error = what + (code < 0 ? std::string(" (") + reason + ")" : "");
    return false;
}

FileFormat FormatOf(const Encoder& encoder) { return encoder.kind->format; }

// The size of the video of a picture's side.
int VideoSide(const Encoder& encoder, int side) {
    return FormatOf(encoder) == FileFormat::Mp4 ? (side + 1) / 2 * 2 : side;
}

bool OpenMuxer(Encoder& encoder, VideoAnimation& video) {
    if (avformat_alloc_output_context2(&video.muxer, nullptr, SettingsFor(FormatOf(encoder)).muxer, nullptr) < 0 ||
        !(video.io = NewOutputIo(*encoder.file)))
        return Fail(encoder, "the video container could not be set up");
    video.muxer->pb = video.io;
    video.muxer->flags |= AVFMT_FLAG_CUSTOM_IO;
    AllowReadBack(video.muxer, *encoder.file);
    return true;
}

bool OpenCodec(Encoder& encoder, VideoAnimation& video, bool smallerThanPicture) {
    const Settings settings = SettingsFor(FormatOf(encoder), smallerThanPicture);
    const AVCodec* found = avcodec_find_encoder_by_name(settings.encoder);
    if (!found) return Fail(encoder, std::string("libavcodec has no encoder ") + settings.encoder);
    if (!(video.codec = avcodec_alloc_context3(found))) return Fail(encoder, "out of memory");
    AVCodecContext& codec = *video.codec;
    codec.width = VideoSide(encoder, encoder.width);
    codec.height = VideoSide(encoder, encoder.height);
    codec.pix_fmt = AV_PIX_FMT_YUV420P;
    codec.time_base = {encoder.delayMs, 1000};  // one tick a frame
    codec.framerate = {1000, encoder.delayMs};
    codec.sample_aspect_ratio = {1, 1};
    // The converter's matrix and range, and the picture's own primaries and curve (sRGB).
    codec.colorspace = AVCOL_SPC_SMPTE170M;
    codec.color_range = AVCOL_RANGE_MPEG;
    codec.color_primaries = AVCOL_PRI_BT709;
    codec.color_trc = AVCOL_TRC_IEC61966_2_1;
    codec.bit_rate = 0;  // quality alone decides the size
    if (video.muxer->oformat->flags & AVFMT_GLOBALHEADER) codec.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    av_dict_parse_string(&options, settings.options, "=", ";", 0);
    const int code = avcodec_open2(&codec, found, &options);
    av_dict_free(&options);
    if (code < 0) return Fail(encoder, std::string("the encoder ") + settings.encoder + " could not be started", code);
    return true;
}

AVFrame* NewFrame(const AVCodecContext& codec, AVPixelFormat format) {
    AVFrame* frame = av_frame_alloc();
    if (!frame) return nullptr;
    frame->format = format;
    frame->width = codec.width;
    frame->height = codec.height;
    frame->colorspace = codec.colorspace;
    frame->color_range = codec.color_range;
    if (av_frame_get_buffer(frame, 0) < 0) av_frame_free(&frame);
    return frame;
}

// The converter reads its source a few bytes past the end of a row, so the
// canvas is copied into a frame made with that room, black where it is
// larger than the canvas.
bool OpenConverter(Encoder& encoder, VideoAnimation& video) {
    const AVCodecContext& codec = *video.codec;
    // Equal sizes: the filter only decides how four pixels share one chroma sample.
    video.converter = sws_getContext(codec.width, codec.height, AV_PIX_FMT_RGB32, codec.width, codec.height,
                                     codec.pix_fmt, SWS_AREA | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    video.source = NewFrame(codec, AV_PIX_FMT_RGB32);
    video.picture = NewFrame(codec, codec.pix_fmt);
    video.packet = av_packet_alloc();
    if (!video.converter || !video.source || !video.picture || !video.packet)
        return Fail(encoder, "the colour conversion failed to start");
    std::memset(video.source->buf[0]->data, 0, video.source->buf[0]->size);  // what it reads past a row, too
    for (int row = 0; row < codec.height; ++row) {
        auto* line =
            reinterpret_cast<std::uint32_t*>(video.source->data[0] + std::ptrdiff_t(row) * video.source->linesize[0]);
        std::fill(line, line + codec.width, Canvas::Background);
    }
    return true;
}

bool WriteHeader(Encoder& encoder, VideoAnimation& video) {
    AVStream* stream = avformat_new_stream(video.muxer, nullptr);
    if (!stream) return Fail(encoder, "out of memory");
    int code = avcodec_parameters_from_context(stream->codecpar, video.codec);
    stream->time_base = video.codec->time_base;
    stream->avg_frame_rate = video.codec->framerate;
    AVDictionary* options = nullptr;
    if (FormatOf(encoder) == FileFormat::Mp4 && CanRewrite(*encoder.file)) {
        av_dict_set(&options, "movflags", "+faststart", 0);  // the index at the front: it plays at once
    } else if (FormatOf(encoder) == FileFormat::Mp4) {
        // Nothing can be gone back over: fragments of at most a second, each with its own index.
        av_dict_set(&options, "movflags", "+frag_keyframe+empty_moov+default_base_moof", 0);
        av_dict_set(&options, "frag_duration", "1000000", 0);
    }
    if (code >= 0) code = avformat_write_header(video.muxer, &options);
    av_dict_free(&options);
    return code >= 0 || Fail(encoder, "the video could not be started", code);
}

// Every packet the encoder has ready, into the file.
bool Drain(Encoder& encoder, VideoAnimation& video) {
    for (;;) {
        int code = avcodec_receive_packet(video.codec, video.packet);
        if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return true;
        if (code < 0) return Fail(encoder, "the encoder failed", code);
        if (video.packet->duration == 0) video.packet->duration = 1;  // the last frame lasts its tick too
        av_packet_rescale_ts(video.packet, video.codec->time_base, video.muxer->streams[0]->time_base);
        video.packet->stream_index = 0;
        code = av_interleaved_write_frame(video.muxer, video.packet);
        if (code < 0) return Fail(encoder, "the video could not be written", code);
    }
}

bool Convert(Encoder& encoder, VideoAnimation& video, const Canvas& surface) {
    const std::size_t rowBytes = std::size_t(encoder.width) * sizeof(std::uint32_t);
    for (int row = 0; row < encoder.height; ++row)
        std::memcpy(video.source->data[0] + std::ptrdiff_t(row) * video.source->linesize[0],
                    surface.pixels.data() + std::size_t(row) * std::size_t(encoder.width), rowBytes);
    const int code = av_frame_make_writable(video.picture);  // the encoder may still hold the last one
    if (code < 0) return Fail(encoder, "out of memory", code);
    sws_scale(video.converter, video.source->data, video.source->linesize, 0, video.codec->height, video.picture->data,
              video.picture->linesize);
    return true;
}

}  // namespace

bool BeginVideo(Encoder& encoder, const Canvas& surface) {
    VideoAnimation& video = NewEncoderState<VideoAnimation>(encoder);
    return OpenMuxer(encoder, video) && OpenCodec(encoder, video, surface.scale < 1) && OpenConverter(encoder, video) &&
           WriteHeader(encoder, video);
}

bool AddVideoFrame(Encoder& encoder, const Canvas& surface, const SegmentLog&) {
    VideoAnimation& video = EncoderState<VideoAnimation>(encoder);
    if (!Convert(encoder, video, surface)) return false;
    video.picture->pts = encoder.frames;
    const int code = avcodec_send_frame(video.codec, video.picture);
    if (code < 0) return Fail(encoder, "the encoder failed", code);
    return Drain(encoder, video);
}

bool FinishVideo(Encoder& encoder) {
    VideoAnimation& video = EncoderState<VideoAnimation>(encoder);
    int code = avcodec_send_frame(video.codec, nullptr);
    if (code < 0) return Fail(encoder, "the encoder failed", code);
    if (!Drain(encoder, video)) return false;
    code = av_write_trailer(video.muxer);
    return code >= 0 || Fail(encoder, "the video could not be completed", code);
}

void SilenceVideoLibraries() { av_log_set_level(AV_LOG_QUIET); }
