#include "gif_writer.h"

#include <gif_lib.h>

#include <array>

namespace {

constexpr std::size_t FlushSize = 1 << 16;

struct GifAnimation {
    GifFileType* gif = nullptr;
    OutputFile* file = nullptr;          // none once the animation is given up: what giflib still hands over is dropped
    std::string pending;                 // encoded bytes not yet handed to the file
    std::vector<std::uint8_t> indices;   // the frame as colour-table indices
    std::vector<std::uint32_t> colours;  // the frame's colour table

    GifAnimation() = default;
    GifAnimation(const GifAnimation&) = delete;
    GifAnimation& operator=(const GifAnimation&) = delete;
    ~GifAnimation() {
        file = nullptr;
        if (gif) EGifCloseFile(gif, nullptr);
    }
};

bool Flush(GifAnimation& animation) {
    const bool written = animation.file && WriteOutput(*animation.file, animation.pending);
    animation.pending.clear();
    return written;
}

// giflib hands over a few hundred bytes at a time; they are gathered first.
int Collect(GifFileType* gif, const GifByteType* bytes, int size) {
    GifAnimation& animation = *static_cast<GifAnimation*>(gif->UserData);
    animation.pending.append(reinterpret_cast<const char*>(bytes), std::size_t(size));
    if (animation.pending.size() >= FlushSize && !Flush(animation)) return 0;
    return size;
}

bool Failed(Encoder& encoder, int code) {
    const char* text = GifErrorString(code);
    if (encoder.error.empty()) encoder.error = text ? text : "the GIF encoder failed";
    return false;
}

bool PutLoopForever(GifFileType* gif) {
    static constexpr GifByteType Loop[3] = {1, 0, 0};  // sub-block 1: repeat count 0, forever
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK && EGifPutExtensionBlock(gif, 3, Loop) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutFrameDelay(GifFileType* gif, int delayMs) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.DelayTime = delayMs / GifDelayStep;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType block[4];
    EGifGCBToExtension(&control, block);
    return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, block) == GIF_OK;
}

}  // namespace

bool IndexColours(const std::uint32_t* pixels, int count, std::uint32_t mask, int limit,
                  std::vector<std::uint32_t>& colours, std::vector<std::uint8_t>& indices) {
    constexpr int Slots = 1024;  // open addressing, at most a quarter full
    std::array<std::uint32_t, Slots> keys;
    std::array<std::int16_t, Slots> slotIndex;
    slotIndex.fill(-1);
    colours.clear();
    indices.resize(std::size_t(count));
    std::uint32_t last = 0;
    int lastIndex = -1;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t colour = pixels[i] & mask;
        if (colour != last || lastIndex < 0) {  // most neighbours share a colour, the background above all
            std::uint32_t slot = (colour * 0x9E3779B1u) >> 22;
            while (slotIndex[slot] >= 0 && keys[slot] != colour) slot = (slot + 1) % Slots;
            if (slotIndex[slot] < 0) {
                if (int(colours.size()) == limit) return false;
                keys[slot] = colour;
                slotIndex[slot] = std::int16_t(colours.size());
                colours.push_back(colour);
            }
            last = colour;
            lastIndex = slotIndex[slot];
        }
        indices[std::size_t(i)] = std::uint8_t(lastIndex);
    }
    return true;
}

bool BeginGif(Encoder& encoder, const Canvas&) {
    GifAnimation& animation = NewEncoderState<GifAnimation>(encoder);
    int code = 0;
    animation.file = encoder.file;
    animation.gif = EGifOpen(&animation, Collect, &code);
    if (!animation.gif) return Failed(encoder, code);
    EGifSetGifVersion(animation.gif, true);
    return (EGifPutScreenDesc(animation.gif, encoder.width, encoder.height, 8, 0, nullptr) == GIF_OK &&
            PutLoopForever(animation.gif)) ||
           Failed(encoder, animation.gif->Error);
}

bool AddGifFrame(Encoder& encoder, const Canvas& surface, const SegmentLog&) {
    GifAnimation& animation = EncoderState<GifAnimation>(encoder);
    int dropped = 0;
    const int count = encoder.width * encoder.height;
    while (!IndexColours(surface.pixels.data(), count, 0xFFFFFFFFu & ~(0x010101u * ((1u << dropped) - 1)), 256,
                         animation.colours, animation.indices))
        ++dropped;
    encoder.droppedBits = dropped;
    int size = 2;  // a colour table holds a power of two entries, at least two
    while (size < int(animation.colours.size())) size *= 2;
    std::vector<GifColorType> table(std::size_t(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < animation.colours.size(); ++i) {
        const Rgb c = UnpackRgb(animation.colours[i]);
        table[i] = {c.red, c.green, c.blue};
    }
    ColorMapObject* map = GifMakeMapObject(size, table.data());
    GifFileType* gif = animation.gif;
    const bool put = map && PutFrameDelay(gif, encoder.delayMs) &&
                     EGifPutImageDesc(gif, 0, 0, encoder.width, encoder.height, false, map) == GIF_OK &&
                     EGifPutLine(gif, animation.indices.data(), count) == GIF_OK;
    GifFreeMapObject(map);
    return put || Failed(encoder, gif->Error);
}

bool FinishGif(Encoder& encoder) {
    GifAnimation& animation = EncoderState<GifAnimation>(encoder);
    int code = 0;
    const bool closed = EGifCloseFile(animation.gif, &code) == GIF_OK;
    animation.gif = nullptr;
    if (!closed) return Failed(encoder, code);
    return Flush(animation) || Failed(encoder, 0);
}
