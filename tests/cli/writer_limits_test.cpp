// What the writers do at the edges: lines reaching far outside the picture, frames of more
// than 256 colours, frames too large for many copies to wait.
#include <gtest/gtest.h>

#include <QImageReader>
#include <cmath>
#include <cstdio>
#include <limits>

#include "frame_outputs.h"
#include "run_binary.h"
#include "segments_csv.h"
#include "svg_writer.h"

namespace {

TEST(SegmentsCsv, OneRowPerSegmentInOrderWithPointsScreenAndColour) {
    SegmentLog log;
    EXPECT_EQ(SegmentsCsvText(log), "px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b\n");
    log.push_back({MakeVec(0.5f, -0.25f, 1), MakeVec(0.1f, 0, -0.0f), 0.125f, -0.75f, 3, 4, Rgb{255, 0, 7}});
    log.push_back({MakeVec(1, 2, 3), MakeVec(4, 5, 6), 7, 8, 9, 10, Rgb{11, 12, 13}});
    EXPECT_EQ(SegmentsCsvText(log),
              "px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b\n"
              "0.5,-0.25,1,0.1,0,-0,0.125,-0.75,3,4,255,0,7\n"
              "1,2,3,4,5,6,7,8,9,10,11,12,13\n");
}

// Catches cutting far ends after scaling to pixels: every path must end on pixels the raster set.
TEST(SvgText, CutLinesEndOnThePixelsTheRasterSets) {
    const float far = 3e29f;
    const float ends[][4] = {{far, 0.3f, 0.1f, 0.2f},      {-far, far, far, -far * 0.999f}, {0.2f, -far, 0.25f, far},
                             {-far, 0.5f, far, -0.4f},     {1.5f, 0.99f, -3e3f, 0.97f},     {far, far, -far, -far},
                             {-7e4f, -1.01f, 9e4f, 1.02f}, {0.5f, 0.5f, 1e4f, 1e4f + 1}};
    for (const auto& e : ends) {
        Canvas raster;
        Line(raster, e[0], e[1], e[2], e[3], {255, 255, 255});
        const std::string svg = SvgText({SegmentRecord{{}, {}, e[0], e[1], e[2], e[3], {}}});
        int paths = 0;
        for (std::size_t at = svg.find("d=\"M"); at != std::string::npos; at = svg.find("d=\"M", at + 1), ++paths) {
            double c1, r1, c2, r2;
            ASSERT_EQ(std::sscanf(svg.c_str() + at, "d=\"M%lf %lfL%lf %lf", &c1, &r1, &c2, &r2), 4);
            EXPECT_NE(PixelAt(raster, int(c1), int(r1)), Canvas::Background) << e[0] << " " << e[1];
            EXPECT_NE(PixelAt(raster, int(c2), int(r2)), Canvas::Background) << e[2] << " " << e[3];
        }
        EXPECT_EQ(paths > 0, raster.pixels != Canvas().pixels) << e[0] << " " << e[1];
    }
}

// More than 256 colours: 5 bits a channel leave 32 x 4 x 2 of these, 6 bits 64 x 8 x 2 (too many).
Rgb ManyColours(int x, int y) {
    return {std::uint8_t(x * 255 / (PictureWidth - 1)), std::uint8_t(y % 8 * 4), std::uint8_t((x ^ y) & 1)};
}

void PaintManyColours(Scene& scene) {
    for (int y = 0; y < PictureHeight; ++y)
        for (int x = 0; x < PictureWidth; ++x)
            scene.tools.surface.canvas->pixels[y * PictureWidth + x] = PackRgb(ManyColours(x, y));
}

// Catches a GIF of too many colours cut harder than needed, garbled, or cut without a word.
TEST(GifFrame, OfMoreThan256ColoursDropsLowBitsAndSaysSo) {
    const ScratchDir dir;
    RenderOptions options;
    options.frames = 2;
    options.outputs = {dir.path / "many.gif"};
    EXPECT_EQ(RenderInProcess(options, PaintManyColours),
              std::pair(0, "orbiza-render: \"" + (dir.path / "many.gif").string() +
                               "\": 2 frame(s) had more than 256 colours (the first: frame 0); each channel kept its "
                               "top 5 bits or more\n"));
    QImageReader reader(QString::fromStdString(dir.path / "many.gif"));
    ASSERT_EQ(reader.imageCount(), 2);
    const QImage read = reader.read().convertToFormat(QImage::Format_RGB32);  // each channel's top 5 bits
    for (int y = 0; y < PictureHeight; ++y)
        for (int x = 0; x < PictureWidth; ++x)
            ASSERT_EQ(read.pixel(x, y) & 0xFFFFFF, PackRgb(ManyColours(x, y)) & 0xF8F8F8) << x << "," << y;
}

// Catches frames waiting for the encoders bounded by the cores alone, not by memory at scale 8.
TEST(FrameMemory, CopiesWaitingStayWithinTheBudget) {
    for (const int workers : {1, 16, 64}) {
        EXPECT_EQ(FramesWaiting(workers, std::size_t(565) * 517 * 4), 2 * workers + 2) << workers;
        EXPECT_EQ(FramesWaiting(workers, std::size_t(4520) * 4136 * 4), std::min(2 * workers + 2, 7)) << workers;
    }
}

}  // namespace
