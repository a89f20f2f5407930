// Picture and segment files: their contents, and what a failed write leaves behind.
#include <gtest/gtest.h>

#include <QImage>

#include "catalogue.h"
#include "numbers.h"
#include "picture_file.h"
#include "render_job.h"
#include "run_binary.h"

namespace {

constexpr int RowBytes = (Canvas::Width * 3 + 3) / 4 * 4;

// The picture the renderer should produce for one selection of `row`.
Canvas ExpectedPicture(int row, bool axes, float ax, float ay, float az) {
    Scene scene;
    Canvas surface;
    scene.tools.surface = &surface;
    scene.showAxis = axes;
    scene.view = {ax, ay, az, 0, std::int16_t(row)};
    RedrawScene(scene);
    return surface;
}

std::uint32_t LittleEndian(const std::string& bytes, size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | std::uint8_t(bytes[at + i]);
    return value;
}

TEST(PictureOutput, BmpIsA24BitPictureOfTheSurface) {
    const ScratchDir dir;
    const std::string path = dir.path / "cube.bmp";
    const RunResult run = RunBinary({"--axes", "--angles", "0.4,0.6,0.2", "--output", path, "Cube"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string bmp = ReadWholeFile(path);
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(LittleEndian(bmp, 2, 4), bmp.size());
    const std::uint32_t dataStart = LittleEndian(bmp, 10, 4);
    EXPECT_EQ(LittleEndian(bmp, 18, 4), 565u);
    EXPECT_EQ(LittleEndian(bmp, 22, 4), 517u);  // positive: rows run bottom-up
    EXPECT_EQ(LittleEndian(bmp, 28, 2), 24u);
    EXPECT_EQ(LittleEndian(bmp, 30, 4), 0u);  // uncompressed
    ASSERT_EQ(bmp.size(), dataStart + size_t(RowBytes) * Canvas::Height);

    const Canvas expected = ExpectedPicture(1, true, 0.4f, 0.6f, 0.2f);
    int lit = 0;
    for (int row = 0; row < Canvas::Height; ++row)
        for (int column = 0; column < Canvas::Width; ++column) {
            const size_t at = dataStart + size_t(Canvas::Height - 1 - row) * RowBytes + size_t(column) * 3;
            const Rgb want = UnpackRgb(PixelAt(expected, column, row));
            ASSERT_EQ(std::uint8_t(bmp[at + 2]), want.red) << column << "," << row;
            ASSERT_EQ(std::uint8_t(bmp[at + 1]), want.green) << column << "," << row;
            ASSERT_EQ(std::uint8_t(bmp[at]), want.blue) << column << "," << row;
            lit += want.red + want.green + want.blue > 0;
        }
    EXPECT_GT(lit, 500) << "the comparison should cover a drawn picture";
}

TEST(PictureOutput, PngHoldsTheSamePicture) {
    const ScratchDir dir;
    const std::string path = dir.path / "sphere.PNG";
    const RunResult run = RunBinary({"--angles", "1,0,0.5", "--output", path, "4"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadWholeFile(path).substr(0, 8), "\x89PNG\r\n\x1a\n");
    const QImage image(QString::fromStdString(path));
    ASSERT_EQ(image.width(), Canvas::Width);
    ASSERT_EQ(image.height(), Canvas::Height);
    const Canvas expected = ExpectedPicture(4, false, 1, 0, 0.5f);
    for (int row = 0; row < Canvas::Height; ++row)
        for (int column = 0; column < Canvas::Width; ++column)
            ASSERT_EQ(image.pixel(column, row), PixelAt(expected, column, row)) << column << "," << row;
}

TEST(PictureOutput, SurfaceImageSharesThePixels) {
    Canvas surface;
    surface.pixels[3 * Canvas::Width + 7] = 0xFF123456u;
    const QImage image = SurfaceImage(surface);
    EXPECT_EQ(image.size(), QSize(Canvas::Width, Canvas::Height));
    EXPECT_EQ(image.pixel(7, 3), 0xFF123456u);
    EXPECT_EQ(image.pixel(8, 3), Canvas::Background);
}

TEST(PictureOutput, UnwritablePathFailsWithStatusOneAndLeavesNothing) {
    const ScratchDir dir;
    WriteWholeFile(dir.path / "plain", "a file, not a directory");
    const std::string path = dir.path / "plain" / "cube.bmp";
    const RunResult run = RunBinary({"--output", path, "Cube"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"plain"});
    EXPECT_EQ(RunBinary({"--segments", path, "Cube"}).status, 1);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"plain"});
}

// With files cut at 1 KB every write below fails: the BMP in one large write,
// the PNG and the small CSV only when the buffered data is flushed at the end.
TEST(PictureOutput, AFailedWriteKeepsTheExistingFileAndLeavesNoPartOfTheNewOne) {
    const ScratchDir dir;
    const std::string earlier = "the earlier picture";
    for (const char* name : {"old.bmp", "old.png", "old.csv"}) {
        WriteWholeFile(dir.path / name, earlier);
        const bool csv = std::string(name).ends_with(".csv");
        const RunResult run =
            RunBinary({csv ? "--segments" : "--output", dir.path / name, "--axes", csv ? "Cube" : "Sphere"}, 1024);
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_NE(run.err.find(name), std::string::npos) << run.err;
        const std::string kept = ReadWholeFile(dir.path / name);
        EXPECT_TRUE(kept == earlier) << name << " now holds " << kept.size() << " bytes";
    }
    EXPECT_EQ(dir.Names().size(), 3u) << "a temporary file was left behind";
}

TEST(PictureOutput, UnknownExtensionWritesNothing) {
    const ScratchDir dir;
    const RunResult run = RunBinary({"--output", dir.path / "cube.jpg", "Cube"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(dir.Names().empty());
}

void FailAfterOneSegment(Scene& scene) {
    DrawSegment(scene.tools, MakeVec(0, 0, 0), MakeVec(1, 0, 0), ViewAngles(scene));
    RaiseFloatingPointError();
}

TEST(PictureOutput, ARunTimeErrorWhileDrawingIsReportedAndNothingIsWritten) {
    const ScratchDir dir;
    RenderOptions options;
    options.structures = {1, 4};
    options.outputPath = dir.path / "cube.png";
    options.outputFormat = "PNG";
    std::ostringstream out, err;
    EXPECT_EQ(RunRender(options, out, err, FailAfterOneSegment), 1);
    EXPECT_NE(err.str().find("run-time error while drawing \"Cube\""), std::string::npos) << err.str();
    EXPECT_EQ(Lines(err.str()).size(), 1u);
    EXPECT_TRUE(dir.Names().empty());
}

}  // namespace
