#include "webp_writer.h"

#include <webp/encode.h>
#include <webp/mux.h>

namespace {

// Lossless effort: the fastest level. Higher levels shrink the line pictures
// by a few per cent and take many times as long.
constexpr int LosslessLevel = 0;

constexpr const char* Mismatch = "the WebP library does not match its headers";

// The encoder, made for the size of the first frame.
bool Start(WebPAnimation& animation, const Canvas& surface) {
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) {
        animation.error = Mismatch;
        return false;
    }
    options.anim_params.loop_count = 0;  // forever
    options.anim_params.bgcolor = 0xFF000000u;
    animation.encoder = WebPAnimEncoderNew(surface.width, surface.height, &options);
    animation.width = surface.width, animation.height = surface.height;
    if (!animation.encoder) animation.error = "the WebP encoder could not be started";
    return animation.encoder != nullptr;
}

}  // namespace

WebPAnimation::WebPAnimation() {
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) error = Mismatch;
}

WebPAnimation::~WebPAnimation() {
    if (encoder) WebPAnimEncoderDelete(encoder);
}

bool AddWebPFrame(WebPAnimation& animation, const Canvas& surface) {
    if (!animation.error.empty() || (!animation.encoder && !Start(animation, surface))) return false;
    if (surface.width != animation.width || surface.height != animation.height) {
        animation.error = "the frames differ in size";
        return false;
    }
    WebPConfig config;
    WebPPicture picture;
    if (!WebPConfigInit(&config) || !WebPConfigLosslessPreset(&config, LosslessLevel) || !WebPPictureInit(&picture)) {
        animation.error = Mismatch;
        return false;
    }
    config.exact = 1;
    picture.width = surface.width;
    picture.height = surface.height;
    picture.use_argb = 1;
    // The surface's pixels are already 0xAARRGGBB words; the encoder copies them.
    picture.argb = const_cast<std::uint32_t*>(surface.pixels.data());
    picture.argb_stride = surface.width;
    const bool added =
        WebPAnimEncoderAdd(animation.encoder, &picture, animation.frames * animation.delayMs, &config) != 0;
    if (!added) animation.error = WebPAnimEncoderGetError(animation.encoder);
    animation.frames += added;
    return added;
}

std::string FinishWebP(WebPAnimation& animation) {
    if (!animation.encoder) {
        if (animation.error.empty()) animation.error = "there is no frame to write";
        return {};
    }
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
