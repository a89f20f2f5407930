#include "video_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

#include <cstring>

#include "video_io.h"

namespace {

// Settings that keep thin coloured lines on black within 35 dB PSNR of the
// picture after 4:2:0 (Rosset, the hardest, at about 36.5 dB, where 4:2:0
// alone allows 37.5), at an encoding speed close to that of the PNG files.
// H.264 gets a fixed quantiser: its constant-quality mode spends fewer bits
// as the frame rate rises and would fall below 35 dB at short delays. The
// chroma gets a finer quantiser than the luma: the coloured lines need it.
struct Settings {
    const char* encoder;
    const char* muxer;
    const char* options;  // the encoder's, as "key=value;key=value"
};

Settings SettingsFor(FileFormat format) {
    if (format == FileFormat::WebM) return {"libvpx-vp9", "webm", "crf=10;deadline=realtime;cpu-used=6;row-mt=1"};
    return {"libx264", "mp4", "preset=veryfast;qp=18;x264-params=chroma-qp-offset=-4"};
}

bool Fail(VideoAnimation& video, const std::string& what, int code = 0) {
    if (!video.error.empty()) return false;
    if (video.file && !video.file->error.empty()) {
        video.error = video.file->error;  // the file's own reason says more than the library's
    } else {
        char reason[AV_ERROR_MAX_STRING_SIZE] = {};
        if (code < 0) av_strerror(code, reason, sizeof reason);
        video.error = what + (code < 0 ? std::string(" (") + reason + ")" : "");
    }
    return false;
}

bool OpenMuxer(VideoAnimation& video) {
    if (avformat_alloc_output_context2(&video.muxer, nullptr, SettingsFor(video.format).muxer, nullptr) < 0 ||
        !(video.io = NewOutputIo(*video.file)))
        return Fail(video, "the video container could not be set up");
    video.muxer->pb = video.io;
    video.muxer->flags |= AVFMT_FLAG_CUSTOM_IO;
    AllowReadBack(video.muxer, *video.file);
    return true;
}

bool OpenEncoder(VideoAnimation& video) {
    const Settings settings = SettingsFor(video.format);
    const AVCodec* codec = avcodec_find_encoder_by_name(settings.encoder);
    if (!codec) return Fail(video, std::string("libavcodec has no encoder ") + settings.encoder);
    if (!(video.encoder = avcodec_alloc_context3(codec))) return Fail(video, "out of memory");
    AVCodecContext& encoder = *video.encoder;
    encoder.width = VideoSide(video.format, video.width);
    encoder.height = VideoSide(video.format, video.height);
    encoder.pix_fmt = AV_PIX_FMT_YUV420P;
    encoder.time_base = {video.delayMs, 1000};  // one tick a frame
    encoder.framerate = {1000, video.delayMs};
    encoder.sample_aspect_ratio = {1, 1};
    // The converter's matrix and range, and the picture's own primaries and curve (sRGB).
    encoder.colorspace = AVCOL_SPC_SMPTE170M;
    encoder.color_range = AVCOL_RANGE_MPEG;
    encoder.color_primaries = AVCOL_PRI_BT709;
    encoder.color_trc = AVCOL_TRC_IEC61966_2_1;
    encoder.bit_rate = 0;  // quality alone decides the size
    if (video.muxer->oformat->flags & AVFMT_GLOBALHEADER) encoder.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    av_dict_parse_string(&options, settings.options, "=", ";", 0);
    const int code = avcodec_open2(&encoder, codec, &options);
    av_dict_free(&options);
    if (code < 0) return Fail(video, std::string("the encoder ") + settings.encoder + " could not be started", code);
    return true;
}

bool OpenConverter(VideoAnimation& video) {
    const AVCodecContext& encoder = *video.encoder;
    if (encoder.width != video.width || encoder.height != video.height)
        video.padded.assign(std::size_t(encoder.width) * std::size_t(encoder.height), Canvas::Background);
    // Equal sizes: the filter only decides how four pixels share one chroma sample.
    video.converter = sws_getContext(encoder.width, encoder.height, AV_PIX_FMT_RGB32, encoder.width, encoder.height,
                                     encoder.pix_fmt, SWS_AREA | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    video.picture = av_frame_alloc();
    video.packet = av_packet_alloc();
    if (!video.converter || !video.picture || !video.packet)
        return Fail(video, "the colour conversion failed to start");
    video.picture->format = encoder.pix_fmt;
    video.picture->width = encoder.width;
    video.picture->height = encoder.height;
    video.picture->colorspace = encoder.colorspace;
    video.picture->color_range = encoder.color_range;
    const int code = av_frame_get_buffer(video.picture, 0);
    return code >= 0 || Fail(video, "out of memory", code);
}

bool WriteHeader(VideoAnimation& video) {
    AVStream* stream = avformat_new_stream(video.muxer, nullptr);
    if (!stream) return Fail(video, "out of memory");
    int code = avcodec_parameters_from_context(stream->codecpar, video.encoder);
    stream->time_base = video.encoder->time_base;
    stream->avg_frame_rate = video.encoder->framerate;
    AVDictionary* options = nullptr;
    if (video.format == FileFormat::Mp4 && CanRewrite(*video.file)) {
        av_dict_set(&options, "movflags", "+faststart", 0);  // the index at the front: it plays at once
    } else if (video.format == FileFormat::Mp4) {
        // Nothing can be gone back over: fragments of at most a second, each with its own index.
        av_dict_set(&options, "movflags", "+frag_keyframe+empty_moov+default_base_moof", 0);
        av_dict_set(&options, "frag_duration", "1000000", 0);
    }
    if (code >= 0) code = avformat_write_header(video.muxer, &options);
    av_dict_free(&options);
    return code >= 0 || Fail(video, "the video could not be started", code);
}

bool Begin(VideoAnimation& video, const Canvas& surface) {
    video.width = surface.width;
    video.height = surface.height;
    return OpenMuxer(video) && OpenEncoder(video) && OpenConverter(video) && WriteHeader(video);
}

// Every packet the encoder has ready, into the file.
bool Drain(VideoAnimation& video) {
    for (;;) {
        int code = avcodec_receive_packet(video.encoder, video.packet);
        if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return true;
        if (code < 0) return Fail(video, "the encoder failed", code);
        if (video.packet->duration == 0) video.packet->duration = 1;  // the last frame lasts its tick too
        av_packet_rescale_ts(video.packet, video.encoder->time_base, video.muxer->streams[0]->time_base);
        video.packet->stream_index = 0;
        code = av_interleaved_write_frame(video.muxer, video.packet);
        if (code < 0) return Fail(video, "the video could not be written", code);
    }
}

bool Convert(VideoAnimation& video, const Canvas& surface) {
    const std::uint32_t* pixels = surface.pixels.data();
    int stride = video.width;
    if (!video.padded.empty()) {
        stride = video.encoder->width;
        for (int row = 0; row < video.height; ++row)
            std::memcpy(&video.padded[std::size_t(row) * std::size_t(stride)], pixels + std::size_t(row) * video.width,
                        std::size_t(video.width) * sizeof(std::uint32_t));
        pixels = video.padded.data();
    }
    const int code = av_frame_make_writable(video.picture);  // the encoder may still hold the last one
    if (code < 0) return Fail(video, "out of memory", code);
    const std::uint8_t* planes[1] = {reinterpret_cast<const std::uint8_t*>(pixels)};
    const int strides[1] = {stride * int(sizeof(std::uint32_t))};
    sws_scale(video.converter, planes, strides, 0, video.encoder->height, video.picture->data, video.picture->linesize);
    return true;
}

}  // namespace

VideoAnimation::~VideoAnimation() {
    sws_freeContext(converter);
    av_frame_free(&picture);
    av_packet_free(&packet);
    avcodec_free_context(&encoder);
    avformat_free_context(muxer);
    FreeOutputIo(io);
}

int VideoSide(FileFormat format, int side) { return format == FileFormat::Mp4 ? (side + 1) / 2 * 2 : side; }

void StartVideo(VideoAnimation& video, OutputFile& file, FileFormat format, int delayMs) {
    video.file = &file;
    video.format = format;
    video.delayMs = delayMs;
}

bool AddVideoFrame(VideoAnimation& video, const Canvas& surface) {
    if (!video.error.empty() || !video.file) return false;
    if (!video.encoder && !Begin(video, surface)) return false;
    if (surface.width != video.width || surface.height != video.height)
        return Fail(video, "the pictures of one video must all have one size");
    if (!Convert(video, surface)) return false;
    video.picture->pts = video.frames;
    const int code = avcodec_send_frame(video.encoder, video.picture);
    if (code < 0) return Fail(video, "the encoder failed", code);
    ++video.frames;
    return Drain(video);
}

bool FinishVideo(VideoAnimation& video) {
    if (!video.error.empty() || !video.file) return false;
    if (!video.encoder) return Fail(video, "a video needs at least one frame");
    int code = avcodec_send_frame(video.encoder, nullptr);
    if (code < 0) return Fail(video, "the encoder failed", code);
    if (!Drain(video)) return false;
    code = av_write_trailer(video.muxer);
    if (code < 0) return Fail(video, "the video could not be completed", code);
    return true;
}

void SilenceVideoLibraries() { av_log_set_level(AV_LOG_QUIET); }
