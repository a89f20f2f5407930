// Every output format read back by an independent reader and held against what was drawn.
#include <gtest/gtest.h>
#include <tiny_obj_loader.h>

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <cstdio>

#include "frame_outputs.h"
#include "run_binary.h"
#include "svg_writer.h"

namespace {

// Lit pixels of `a` with no lit pixel of `b` at most one pixel away.
int LonelyPixels(const QImage& a, const QImage& b) {
    const auto lit = [](const QImage& image, int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() && (image.pixel(x, y) & 0xFFFFFFu) != 0;
    };
    int lonely = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) near = near || lit(b, x + dx, y + dy);
            lonely += lit(a, x, y) && !near;
        }
    return lonely;
}

struct FormatCase {
    std::string file;  // the output's name; its extension picks the format
    std::string structure;
    int frames;
    int delay = 100;  // ms a frame
};

void PrintTo(const FormatCase& c, std::ostream* out) { *out << c.file << " of " << c.structure; }

class RoundTrip : public testing::TestWithParam<FormatCase> {};

// "BM", the file size, width x height with rows bottom-up (positive height), 24 bits, uncompressed.
void CheckBmpHeader(const std::string& bmp, std::uint32_t width = 565, std::uint32_t height = 517) {
    ASSERT_GE(bmp.size(), 54u);
    const auto field = [&](std::size_t at) {
        return std::uint32_t(std::uint8_t(bmp[at]) | std::uint8_t(bmp[at + 1]) << 8 | std::uint8_t(bmp[at + 2]) << 16 |
                             std::uint8_t(bmp[at + 3]) << 24);
    };
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(std::vector<std::uint32_t>({field(2), field(18), field(22), field(28) & 0xFFFF, field(30)}),
              std::vector<std::uint32_t>({std::uint32_t(bmp.size()), width, height, 24, 0}));
}

void CheckObj(const std::string& path, const SegmentLog& log) {
    tinyobj::ObjReader reader;
    ASSERT_TRUE(reader.ParseFromFile(path)) << reader.Error();
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    const std::vector<tinyobj::shape_t>& shapes = reader.GetShapes();
    const auto point = [&](int i) {
        return MakeVec(attrib.vertices[3 * i], attrib.vertices[3 * i + 1], attrib.vertices[3 * i + 2]);
    };
    const auto colour = [&](int i, int c) { return int(std::lround(attrib.colors[3 * i + c] * 255)); };
    std::size_t segment = 0;
    for (const tinyobj::shape_t& shape : shapes) {
        std::size_t at = 0;
        for (int count : shape.lines.num_line_vertices) {
            for (int k = 1; k < count; ++k, ++segment) {
                ASSERT_LT(segment, log.size());
                const int p = shape.lines.indices[at + k].vertex_index,
                          q = shape.lines.indices[at + k - 1].vertex_index;
                const SegmentRecord& s = log[segment];
                for (auto [read, drawn] : {std::pair{point(p), s.p}, std::pair{point(q), s.q}})
                    ASSERT_EQ(std::memcmp(&read, &drawn, sizeof(Vec3)), 0) << "segment " << segment;
                EXPECT_EQ(std::tuple(colour(p, 0), colour(p, 1), colour(p, 2)),
                          std::tuple(int(s.colour.red), int(s.colour.green), int(s.colour.blue)));
            }
            at += std::size_t(count);
        }
    }
    EXPECT_EQ(segment, log.size());
    std::size_t runs = 0;  // a polyline is one element
    for (std::size_t i = 0; i < log.size(); ++i) runs += i == 0 || std::memcmp(&log[i].q, &log[i - 1].p, sizeof(Vec3));
    EXPECT_EQ(shapes.at(0).lines.num_line_vertices.size(), runs);
}

TEST_P(RoundTrip, ReadsBackAsDrawn) {
    const FormatCase& c = GetParam();
    const ScratchDir dir;
    const std::string path = dir.path / c.file;
    const Drawn drawn = RenderFrames(path, c.structure, c.frames, c.delay);
    const QString name = QString::fromStdString(path);
    const std::string extension = QFileInfo(name).suffix().toLower().toStdString();
    if (extension == "bmp") CheckBmpHeader(ReadWholeFile(path));
    if ((extension == "bmp" || extension == "png") && c.frames == 1) {
        EXPECT_EQ(QImage(name).convertToFormat(QImage::Format_RGB32), drawn.frames[0]);
    }
    if (extension == "svg") {
        QImage raster(PictureWidth, PictureHeight, QImage::Format_RGB32);
        raster.fill(Qt::black);
        QPainter painter(&raster);
        QSvgRenderer(name).render(&painter);
        painter.end();
        EXPECT_EQ(LonelyPixels(drawn.frames[0], raster), 0);
        EXPECT_EQ(LonelyPixels(raster, drawn.frames[0]), 0);
        const std::string svg = ReadWholeFile(path);
        std::size_t i = 0;  // one element per segment, in drawing order, in its colour
        for (std::size_t at = svg.find("stroke=\"#"); at != std::string::npos; at = svg.find("stroke=\"#", at + 1), ++i)
            ASSERT_EQ(std::stoi(svg.substr(at + 9, 6), nullptr, 16), int(PackRgb(drawn.log.at(i).colour) & 0xFFFFFF))
                << i;
        EXPECT_EQ(i, drawn.log.size());
    }
    if (extension == "obj") CheckObj(path, drawn.log);
    if (extension == "webp" || extension == "gif") {
        QImageReader reader(name);
        ASSERT_EQ(reader.imageCount(), c.frames) << reader.errorString().toStdString();
        EXPECT_EQ(reader.loopCount(), -1) << "the animation should loop forever";
        for (int k = 0; k < c.frames; ++k) {
            EXPECT_EQ(reader.read().convertToFormat(QImage::Format_RGB32), drawn.frames[std::size_t(k)])
                << "frame " << k;
            EXPECT_EQ(reader.nextImageDelay(), c.delay);
        }
    }
    for (int k = 0; c.file.find('%') != std::string::npos && k < c.frames; ++k) {
        const std::string frame = dir.path / ("frame-" + std::to_string(k) + ".png");
        EXPECT_EQ(QImage(frame.c_str()).convertToFormat(QImage::Format_RGB32), drawn.frames[std::size_t(k)]);
    }
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
            scene.tools.surface->pixels[y * PictureWidth + x] = PackRgb(ManyColours(x, y));
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

// Catches a scale not reaching a picture or the SVG's size, or changing the OBJ or CSV.
TEST(ScaledOutputs, PicturesAtTheScaleTheRestAsAtOne) {
    const ScratchDir dir;
    const auto run = [&](const std::string& scale) {
        std::vector<std::string> args = TestView;
        for (const char* name : {"a.gif", "b.webp", "p%d.png", "q%d.bmp", "s%d.svg", "o%d.obj"})
            args.insert(args.end(), {"--output", dir.path / (scale + name)});
        args.insert(args.end(),
                    {"--scale", scale, "--frames", "2", "--segments", dir.path / (scale + "c%d.csv"), "Nodes"});
        const RunResult result = RunBinary(args);
        EXPECT_EQ(result.status, 0) << result.err;
    };
    run("1"), run("1.5");
    const Drawn drawn = WindowFrames("Nodes", 2, 1.5);
    const auto file = [&](const std::string& name) { return QString::fromStdString(dir.path / name); };
    for (const char* animation : {"1.5a.gif", "1.5b.webp"}) {
        QImageReader reader(file(animation));
        for (const QImage& frame : drawn.frames) EXPECT_EQ(reader.read().convertToFormat(QImage::Format_RGB32), frame);
    }
    for (int k = 0; k < 2; ++k) {
        const std::string n = std::to_string(k);
        EXPECT_EQ(QImage(file("1.5p" + n + ".png")).convertToFormat(QImage::Format_RGB32), drawn.frames[k]);
        CheckBmpHeader(ReadWholeFile(dir.path / ("1.5q" + n + ".bmp")), 848, 776);
        for (const std::string& same : {"o" + n + ".obj", "c" + n + ".csv"})
            EXPECT_TRUE(ReadWholeFile(dir.path / ("1.5" + same)) == ReadWholeFile(dir.path / ("1" + same))) << same;
        const std::string size = "width=\"565px\" height=\"517px\"";
        std::string svg = ReadWholeFile(dir.path / ("1s" + n + ".svg"));
        svg.replace(svg.find(size), size.size(), "width=\"848px\" height=\"776px\"");
        EXPECT_TRUE(ReadWholeFile(dir.path / ("1.5s" + n + ".svg")) == svg);
    }
}

// Catches frames waiting for the encoders bounded by the cores alone, not by memory at scale 8.
TEST(FrameMemory, CopiesWaitingStayWithinTheBudget) {
    for (const int workers : {1, 16, 64}) {
        EXPECT_EQ(FramesWaiting(workers, std::size_t(565) * 517 * 4), 2 * workers + 2) << workers;
        EXPECT_EQ(FramesWaiting(workers, std::size_t(4520) * 4136 * 4), std::min(2 * workers + 2, 7)) << workers;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, RoundTrip,
                         testing::Values(FormatCase{"cube.bmp", "Cube", 1}, FormatCase{"sphere.PNG", "Sphere", 1},
                                         FormatCase{"morph.svg", "Sphere-Torus Transformation", 1},
                                         FormatCase{"nodes.svg", "Nodes", 1},  // segments of zero length
                                         FormatCase{"spring.obj", "Spring", 1}, FormatCase{"nodes.obj", "Nodes", 1},
                                         FormatCase{"morph.webp", "Sphere-Torus Transformation", 4},
                                         FormatCase{"rossler.gif", "Rossler Chaos", 3, 30},
                                         FormatCase{"slow.webp", "Spring", 2, 2500},
                                         FormatCase{"morph.GIF", "Sphere-Torus Transformation", 4},
                                         FormatCase{"frame-%d.png", "Shell", 3}));

}  // namespace
