#include "webp_writer.h"

#include <webp/encode.h>
#include <webp/mux.h>

namespace {

// Lossless effort: the fastest level. Higher levels shrink the line pictures
// by a few per cent and take many times as long.
constexpr int LosslessLevel = 0;

}  // namespace

WebPAnimation::WebPAnimation() {
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) {
        error = "the WebP library does not match its headers";
        return;
    }
    options.anim_params.loop_count = 0;  // forever
    options.anim_params.bgcolor = 0xFF000000u;
    encoder = WebPAnimEncoderNew(Canvas::Width, Canvas::Height, &options);
    if (!encoder) error = "the WebP encoder could not be started";
}

WebPAnimation::~WebPAnimation() {
    if (encoder) WebPAnimEncoderDelete(encoder);
}

bool AddWebPFrame(WebPAnimation& animation, const Canvas& surface) {
    if (!animation.encoder) return false;
    WebPConfig config;
    WebPPicture picture;
    if (!WebPConfigInit(&config) || !WebPConfigLosslessPreset(&config, LosslessLevel) || !WebPPictureInit(&picture)) {
        animation.error = "the WebP library does not match its headers";
        return false;
    }
    config.exact = 1;
    picture.width = Canvas::Width;
    picture.height = Canvas::Height;
    picture.use_argb = 1;
    // The surface's pixels are already 0xAARRGGBB words; the encoder copies them.
    picture.argb = const_cast<std::uint32_t*>(surface.pixels.data());
    picture.argb_stride = Canvas::Width;
    const bool added =
        WebPAnimEncoderAdd(animation.encoder, &picture, animation.frames * animation.delayMs, &config) != 0;
    if (!added) animation.error = WebPAnimEncoderGetError(animation.encoder);
    animation.frames += added;
    return added;
}

std::string FinishWebP(WebPAnimation& animation) {
    if (!animation.encoder) return {};
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAdd(animation.encoder, nullptr, animation.frames * animation.delayMs, nullptr) ||
        !WebPAnimEncoderAssemble(animation.encoder, &data)) {
        animation.error = WebPAnimEncoderGetError(animation.encoder);
        return {};
    }
    std::string bytes(reinterpret_cast<const char*>(data.bytes), data.size);
    WebPDataClear(&data);
    return bytes;
}
