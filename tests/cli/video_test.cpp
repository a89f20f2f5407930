// Videos read back by ffprobe and ffmpeg, readers not ours, and held against the pictures drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "file_format.h"
#include "run_binary.h"

namespace {

std::string CommandOutput(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return text;
    char buffer[1 << 16];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, got);
    pclose(pipe);
    return text;
}

std::string Decoded(const std::string& path) {
    return CommandOutput("ffmpeg -v error -i '" + path + "' -f rawvideo -pix_fmt rgb24 -");
}

// The lowest PSNR of a decoded frame against its picture, an extra column and row against black.
double LowestPsnr(const std::string& path, const std::vector<QImage>& pictures, int width, int height) {
    const std::string raw = Decoded(path);
    const std::size_t frameBytes = std::size_t(width) * std::size_t(height) * 3;
    EXPECT_EQ(raw.size(), frameBytes * pictures.size()) << path;
    double lowest = INFINITY;
    for (std::size_t k = 0; k < pictures.size() && (k + 1) * frameBytes <= raw.size(); ++k) {
        double squares = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const QRgb want = x < PictureWidth && y < PictureHeight ? pictures[k].pixel(x, y) : qRgb(0, 0, 0);
                const auto* got = reinterpret_cast<const unsigned char*>(&raw[k * frameBytes]) + (y * width + x) * 3;
                for (int d : {qRed(want) - got[0], qGreen(want) - got[1], qBlue(want) - got[2]}) squares += d * d;
            }
        lowest = std::min(lowest, 10 * std::log10(255.0 * 255.0 * double(frameBytes) / squares));
    }
    return lowest;
}

struct VideoCase {
    std::string file;  // a frame number in it: one video of one frame each
    std::string structure;
    int frames, delay;
    std::string codec, frameRate;
    int width, height;
};

void PrintTo(const VideoCase& c, std::ostream* out) { *out << c.file << " of " << c.structure; }

class VideoRoundTrip : public testing::TestWithParam<VideoCase> {};

TEST_P(VideoRoundTrip, ReadsBackAsDrawn) {
    const VideoCase& c = GetParam();
    const ScratchDir dir;
    const std::string path = dir.path / c.file;
    const Drawn drawn = RenderFrames(path, c.structure, c.frames, c.delay);
    std::vector<std::pair<std::string, std::vector<QImage>>> files;  // a template: a video for each frame
    for (int k = 0; IsFrameTemplate(path) && k < c.frames; ++k)
        files.push_back({FramePath(path, k), {drawn.frames[k]}});
    if (files.empty()) files.push_back({path, drawn.frames});
    for (const auto& [file, pictures] : files) {
        char duration[32];
        std::snprintf(duration, sizeof duration, "%.6f", double(pictures.size()) * c.delay / 1000);
        EXPECT_EQ(CommandOutput("ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=codec_name,"
                                "pix_fmt,width,height,r_frame_rate,nb_read_frames:format=duration -of "
                                "default=noprint_wrappers=1 '" +
                                file + "'"),
                  "codec_name=" + c.codec + "\nwidth=" + std::to_string(c.width) +
                      "\nheight=" + std::to_string(c.height) + "\npix_fmt=yuv420p\nr_frame_rate=" + c.frameRate +
                      "\nnb_read_frames=" + std::to_string(pictures.size()) + "\nduration=" + duration + "\n");
        EXPECT_GE(LowestPsnr(file, pictures, c.width, c.height), 35.0) << file;
        const std::string bytes = ReadWholeFile(file);  // the index first, so that playing can start early
        EXPECT_TRUE(c.codec != "h264" || bytes.find("moov") < bytes.find("mdat")) << "the index should come first";
    }
}

// Rosset's thin orange spines at 10 ms a frame starve a constant-quality H.264 of bits.
INSTANTIATE_TEST_SUITE_P(Table, VideoRoundTrip,
                         testing::Values(VideoCase{"morph.mp4", "Sphere-Torus Transformation", 4, 100, "h264", "10/1",
                                                   566, 518},
                                         VideoCase{"rosset.MP4", "Rosset", 3, 10, "h264", "100/1", 566, 518},
                                         VideoCase{"rosset.webm", "Rosset", 3, 250, "vp9", "4/1", 565, 517},
                                         VideoCase{"clip-%d.webm", "Shell", 2, 100, "vp9", "10/1", 565, 517}));

// Catches standard output getting other bytes than the file, or an MP4 that needs seeking back.
TEST(FormatOption, WritesToStandardOutputWhatTheFileWouldHold) {
    for (const std::string format : {"png", "gif", "mp4", "webm"}) {
        const ScratchDir dir;
        const std::string file = dir.path / ("file." + format), streamed = dir.path / "streamed";
        const std::string run = "--speeds 0,5,0,9 Sphere --frames " + std::string(format == "png" ? "1" : "3");
        ASSERT_EQ(RunBinary(Words(run + " --output " + file)).status, 0) << format;
        const RunResult result = RunBinary(Words(run + " --format " + format + " --output -"));
        ASSERT_EQ(result.status, 0) << result.err;
        WriteWholeFile(streamed, result.out);
        const bool video = format == "mp4" || format == "webm";
        EXPECT_TRUE(video ? !Decoded(file).empty() && Decoded(streamed) == Decoded(file)
                          : result.out == ReadWholeFile(file))
            << format;
        EXPECT_EQ(result.out.find("moof") != std::string::npos, format == "mp4") << format << ": fragments";
    }
}

}  // namespace
