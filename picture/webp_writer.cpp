#include "webp_writer.h"

#include <webp/encode.h>
#include <webp/mux.h>

namespace {

// Lossless effort: the fastest level. Higher levels shrink the line pictures
// by a few per cent and take many times as long.
constexpr int LosslessLevel = 0;

constexpr const char* Mismatch = "the WebP library does not match its headers";

struct WebPAnimation {
    WebPAnimEncoder* encoder = nullptr;

    WebPAnimation() = default;
    WebPAnimation(const WebPAnimation&) = delete;
    WebPAnimation& operator=(const WebPAnimation&) = delete;
    ~WebPAnimation() {
        if (encoder) WebPAnimEncoderDelete(encoder);
    }
};

bool Failed(Encoder& encoder, const char* reason) {
    if (encoder.error.empty()) encoder.error = reason ? reason : "the WebP encoder failed";
    return false;
}

// Each frame's start, in ms from the first.
int Timestamp(const Encoder& encoder) { return encoder.frames * encoder.delayMs; }

}  // namespace

bool BeginWebP(Encoder& encoder, const Canvas&) {
    WebPAnimation& animation = NewEncoderState<WebPAnimation>(encoder);
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) return Failed(encoder, Mismatch);
    options.anim_params.loop_count = 0;  // forever
    options.anim_params.bgcolor = 0xFF000000u;
    animation.encoder = WebPAnimEncoderNew(encoder.width, encoder.height, &options);
    return animation.encoder || Failed(encoder, "the WebP encoder could not be started");
}

bool AddWebPFrame(Encoder& encoder, const Canvas& surface, const SegmentLog&) {
    WebPAnimation& animation = EncoderState<WebPAnimation>(encoder);
    WebPConfig config;
    WebPPicture picture;
    if (!WebPConfigInit(&config) || !WebPConfigLosslessPreset(&config, LosslessLevel) || !WebPPictureInit(&picture))
        return Failed(encoder, Mismatch);
    config.exact = 1;
    picture.width = encoder.width;
    picture.height = encoder.height;
    picture.use_argb = 1;
    // The surface's pixels are already 0xAARRGGBB words; the encoder copies them.
    picture.argb = const_cast<std::uint32_t*>(surface.pixels.data());
    picture.argb_stride = encoder.width;
    return WebPAnimEncoderAdd(animation.encoder, &picture, Timestamp(encoder), &config) ||
           Failed(encoder, WebPAnimEncoderGetError(animation.encoder));
}

bool FinishWebP(Encoder& encoder) {
    WebPAnimation& animation = EncoderState<WebPAnimation>(encoder);
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAdd(animation.encoder, nullptr, Timestamp(encoder), nullptr) ||
        !WebPAnimEncoderAssemble(animation.encoder, &data))
        return Failed(encoder, WebPAnimEncoderGetError(animation.encoder));
    const bool written = WriteOutput(*encoder.file, data.bytes, data.size);
    WebPDataClear(&data);
    return written;
}
