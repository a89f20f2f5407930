// Every output format, at every scale, alone, as a frame sequence, beside every other format and on standard
// output, read back by a reader not ours and held against the canvas drawn here through the renderer's own code.
#include <gtest/gtest.h>
#include <tiny_obj_loader.h>

#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <cstdio>
#include <set>

#include "file_format.h"
#include "line_fit.h"
#include "run_binary.h"
#include "segments_csv.h"

namespace {

// What one file must hold: the pictures drawn at the run's scale, and the segments drawn at scale 1.
struct Expected {
    std::vector<QImage> frames;
    std::vector<SegmentLog> logs;
    int delay;      // ms a frame
    bool streamed;  // came through standard output
};

// ffmpeg's decoding of a file, as 8-bit RGB, frame after frame.
std::string Decoded(const std::string& path, const std::string& filter = "format=rgb24") {
    return RunProgram({"ffmpeg", "-v", "error", "-i", path, "-vf", filter, "-f", "rawvideo", "-pix_fmt", "rgb24", "-"})
        .out;
}

// The PSNR of a decoded frame against its picture, the rest of a larger frame against black.
double Psnr(const char* rgb, int width, int height, const QImage& picture) {
    double squares = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb want = x < picture.width() && y < picture.height() ? picture.pixel(x, y) : qRgb(0, 0, 0);
            const auto* got = reinterpret_cast<const unsigned char*>(rgb) + (std::size_t(y) * width + x) * 3;
            for (int d : {qRed(want) - got[0], qGreen(want) - got[1], qBlue(want) - got[2]}) squares += d * d;
        }
    return squares == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 * 3 * width * height / squares);
}

// What 4:2:0 alone leaves of a picture: at scale 0.25 its thin lines lose more than 35 dB allows in any video.
double ChromaBound(const QImage& picture, const std::string& scratch) {
    picture.save(QString::fromStdString(scratch), "PNG");
    return Psnr(Decoded(scratch, "format=yuv420p,format=rgb24").data(), picture.width(), picture.height(), picture);
}

void CheckPicture(const std::string& path, const Expected& e) {
    EXPECT_EQ(QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32), e.frames.at(0));
}

// Also 24 bits, rows bottom-up (a positive height), uncompressed, the file's own size in its header.
void CheckBmp(const std::string& path, const Expected& e) {
    CheckPicture(path, e);
    const std::string bmp = ReadWholeFile(path);
    ASSERT_GE(bmp.size(), 54u);
    const auto field = [&](std::size_t at) {  // little-endian, as the machine
        std::uint32_t value = 0;
        return std::memcpy(&value, &bmp[at], 4), value;
    };
    EXPECT_EQ(std::vector<std::uint32_t>({field(2), field(18), field(22), field(28) & 0xFFFF, field(30)}),
              std::vector<std::uint32_t>({std::uint32_t(bmp.size()), std::uint32_t(e.frames[0].width()),
                                          std::uint32_t(e.frames[0].height()), 24, 0}));
}

void CheckAnimation(const std::string& path, const Expected& e) {
    QImageReader reader(QString::fromStdString(path));
    ASSERT_EQ(reader.imageCount(), int(e.frames.size())) << reader.errorString().toStdString();
    const bool moving = e.frames.size() > 1;  // a WebP of one frame is a still picture
    EXPECT_TRUE(!moving || reader.loopCount() == -1) << "the animation should loop forever";
    for (const QImage& frame : e.frames) {
        EXPECT_EQ(reader.read().convertToFormat(QImage::Format_RGB32), frame);
        EXPECT_TRUE(!moving || reader.nextImageDelay() == e.delay) << reader.nextImageDelay();
    }
}

void CheckVideo(const std::string& path, const Expected& e) {
    const bool mp4 = path.ends_with(".mp4");
    const int width = e.frames[0].width() + (mp4 && e.frames[0].width() % 2),  // H.264 wants even sides
        height = e.frames[0].height() + (mp4 && e.frames[0].height() % 2);
    char duration[32] = "N/A";  // a WebM through a pipe cannot go back to write it
    if (mp4 || !e.streamed) std::snprintf(duration, sizeof duration, "%.6f", double(e.frames.size()) * e.delay / 1000);
    std::vector<std::string> probe = Words(
        "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
        "stream=codec_name,pix_fmt,width,height,nb_read_frames:format=duration -of default=noprint_wrappers=1");
    probe.push_back(path);
    EXPECT_EQ(RunProgram(probe).out, "codec_name=" + std::string(mp4 ? "h264" : "vp9") +
                                         "\nwidth=" + std::to_string(width) + "\nheight=" + std::to_string(height) +
                                         "\npix_fmt=yuv420p\nnb_read_frames=" + std::to_string(e.frames.size()) +
                                         "\nduration=" + duration + "\n");
    const std::string raw = Decoded(path);
    const std::size_t frameBytes = std::size_t(width) * std::size_t(height) * 3;
    ASSERT_EQ(raw.size(), frameBytes * e.frames.size());
    for (std::size_t k = 0; k < e.frames.size(); ++k) {
        const double psnr = Psnr(&raw[k * frameBytes], width, height, e.frames[k]);
        if (psnr < 35) {  // or, where 4:2:0 alone allows less, within a decibel of that
            EXPECT_GE(psnr, ChromaBound(e.frames[k], path + ".png") - 1) << "frame " << k;
        }
    }
    // An MP4 file has its index first, so that playing starts early; through a pipe it comes as fragments.
    const std::string bytes = ReadWholeFile(path);
    EXPECT_TRUE(!mp4 || e.streamed || bytes.find("moov") < bytes.find("mdat")) << "the index should come first";
    EXPECT_TRUE(!mp4 || !e.streamed || bytes.find("moof") != std::string::npos) << "no fragments";
}

// Lit pixels of `a` with no lit pixel of `b` at most `reach` pixels away.
int LonelyPixels(const QImage& a, const QImage& b, int reach) {
    const auto lit = [](const QImage& image, int x, int y) {
        return image.rect().contains(x, y) && (image.pixel(x, y) & 0xFFFFFFu) != 0;
    };
    int lonely = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            bool near = !lit(a, x, y);
            for (int dy = -reach; dy <= reach && !near; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) near = near || lit(b, x + dx, y + dy);
            lonely += !near;
        }
    return lonely;
}

// Each lit pixel of the picture drawn has one of the rendering near it and the other way round, however the renderer
// widens or smooths the lines (two pixels' reach above scale 1, for the pen's offset).
void ExpectSameLines(const QImage& drawn, const QImage& rendered) {
    ASSERT_EQ(rendered.size(), drawn.size());
    const int reach = drawn.width() > PictureWidth ? 2 : 1;
    EXPECT_EQ(LonelyPixels(drawn, rendered, reach), 0);
    EXPECT_EQ(LonelyPixels(rendered, drawn, reach), 0);
}

// A vector file rendered at the picture's size: an SVG by QtSvg, a page at 72 dpi (a pixel a point, unsmoothed) by
// poppler or, for EPS, Ghostscript.
QImage Rendered(const std::string& path, QSize size) {
    QImage rendered(size, QImage::Format_RGB32);
    rendered.fill(Qt::black);
    if (path.ends_with(".svg")) {
        QPainter painter(&rendered);
        QSvgRenderer(QString::fromStdString(path)).render(&painter);
        return painter.end(), rendered;
    }
    const RunResult run = RunProgram(
        path.ends_with(".eps")
            ? Words("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -dEPSCrop -o " + path + ".png " + path)
            : Words("pdftoppm -r 72 -aa no -aaVector no -png -singlefile " + path + " " + path));
    EXPECT_EQ(run.status, 0) << run.err;
    return QImage(QString::fromStdString(path + ".png")).convertToFormat(QImage::Format_RGB32);
}

// As large as the raster, the picture's own view box, its rendering the raster's lines, the paths in the segments'
// colours in drawing order.
void CheckSvg(const std::string& path, const Expected& e) {
    const QImage& drawn = e.frames[0];
    const std::string svg = ReadWholeFile(path);
    EXPECT_NE(svg.find("width=\"" + std::to_string(drawn.width()) + "px\" height=\"" + std::to_string(drawn.height()) +
                       "px\" viewBox=\"0 0 565 517\""),
              std::string::npos);
    ExpectSameLines(drawn, Rendered(path, drawn.size()));
    std::vector<QRgb> paths, segments;  // each run of one colour once
    const auto add = [](std::vector<QRgb>& runs, QRgb c) {
        runs.empty() || runs.back() != c ? runs.push_back(c) : void();
    };
    for (std::size_t at = svg.find("=\"#", svg.find("<g ")); at != std::string::npos; at = svg.find("=\"#", at + 1))
        add(paths, QRgb(std::stoi(svg.substr(at + 3, 6), nullptr, 16)));
    for (const SegmentRecord& s : e.logs[0]) add(segments, PackRgb(s.colour) & 0xFFFFFFu);
    EXPECT_EQ(paths, segments);
}

// A PDF or EPS page of the picture's size in points, the raster's lines, each pixel black or exactly a segment's
// colour (not always a nearby one's: caps show), dated nowhere so that a run gives the same bytes again.
void CheckPage(const std::string& path, const Expected& e) {
    EXPECT_EQ(ReadWholeFile(path).find("CreationDate"), std::string::npos);
    const QImage rendered = Rendered(path, e.frames[0].size());
    ExpectSameLines(e.frames[0], rendered);
    std::set<QRgb> colours{0};
    for (const SegmentRecord& s : e.logs[0]) colours.insert(PackRgb(s.colour) & 0xFFFFFFu);
    for (int i = 0; i < rendered.width() * rendered.height(); ++i)
        ASSERT_TRUE(colours.contains(rendered.pixel(i % rendered.width(), i / rendered.width()) & 0xFFFFFFu)) << i;
}

// The model points as drawn, each segment's colour on its first point, one element per polyline.
void CheckObj(const std::string& path, const Expected& e) {
    const SegmentLog& log = e.logs[0];
    tinyobj::ObjReader reader;
    ASSERT_TRUE(reader.ParseFromFile(path)) << reader.Error();
    const tinyobj::attrib_t& attrib = reader.GetAttrib();
    const auto point = [&](int i) {
        return MakeVec(attrib.vertices[3 * i], attrib.vertices[3 * i + 1], attrib.vertices[3 * i + 2]);
    };
    const auto colour = [&](int i, int c) { return int(std::lround(attrib.colors[3 * i + c] * 255)); };
    std::size_t segment = 0, at = 0;
    const tinyobj::lines_t& lines = reader.GetShapes().at(0).lines;
    for (int count : lines.num_line_vertices) {
        for (int k = 1; k < count; ++k, ++segment) {
            ASSERT_LT(segment, log.size());
            const int p = lines.indices[at + k].vertex_index, q = lines.indices[at + k - 1].vertex_index;
            const SegmentRecord& s = log[segment];
            for (auto [read, drawn] : {std::pair{point(p), s.p}, std::pair{point(q), s.q}})
                ASSERT_EQ(std::memcmp(&read, &drawn, sizeof(Vec3)), 0) << "segment " << segment;
            EXPECT_EQ(std::tuple(colour(p, 0), colour(p, 1), colour(p, 2)),
                      std::tuple(int(s.colour.red), int(s.colour.green), int(s.colour.blue)));
        }
        at += std::size_t(count);
    }
    EXPECT_EQ(segment, log.size());
    std::size_t runs = 0;
    for (std::size_t i = 0; i < log.size(); ++i) runs += i == 0 || std::memcmp(&log[i].q, &log[i - 1].p, sizeof(Vec3));
    EXPECT_EQ(lines.num_line_vertices.size(), runs);
}

void CheckCsv(const std::string& path, const Expected& e) {
    EXPECT_TRUE(ReadWholeFile(path) == SegmentsCsvText(e.logs[0])) << "the segments differ from scale 1's";
}

// One row a format: a new format, or a new kind of input, is a new row.
struct Format {
    const char* extension;
    const char* option;  // that writes it
    bool animation;      // holds every frame in one file
    void (*check)(const std::string& path, const Expected& expected);
};

constexpr Format Formats[] = {{"png", "--output", false, CheckPicture},  {"bmp", "--output", false, CheckBmp},
                              {"svg", "--output", false, CheckSvg},      {"pdf", "--output", false, CheckPage},
                              {"eps", "--output", false, CheckPage},     {"obj", "--output", false, CheckObj},
                              {"csv", "--segments", false, CheckCsv},    {"webp", "--output", true, CheckAnimation},
                              {"gif", "--output", true, CheckAnimation}, {"mp4", "--output", true, CheckVideo},
                              {"webm", "--output", true, CheckVideo}};

enum class Into { File, Sequence, StandardOutput };

struct Output {
    const Format* format;
    Into into;
};

// One run of the renderer.
struct RenderRun {
    std::vector<Output> outputs;
    double scale;
    int frames;
    int delay = 100;
    const char* structure = "Sphere";
    bool memcheck = false;  // under valgrind, which sees into the libraries the sanitizers do not instrument
    bool input = false;     // the lines of a point table drawn in the structure's place
};

// A trefoil knot and a point apart (a segment of no length: a single pixel) as a point table, in no unit the
// catalogue uses.
std::string KnotTable() {
    std::string text = "# trefoil\n";
    for (double t = 0; t < 6.3; t += 0.02)
        text += std::to_string(40 * sin(t) + 80 * sin(2 * t)) + '\t' + std::to_string(40 * cos(t) - 80 * cos(2 * t)) +
                ',' + std::to_string(-40 * sin(3 * t)) + '\n';
    return text + "\n-90 -120 60\n-90 -120 60\n";
}

std::string Name(const Output& o) {
    return o.format->extension + std::string(o.into == Into::Sequence ? "_frames" : "") +
           (o.into == Into::StandardOutput ? "_stdout" : "");
}

std::string Name(const RenderRun& run) {
    std::string name;
    for (const Output& o : run.outputs) name += Name(o) + "_";
    return (run.input ? "input_" : "") + name + std::to_string(std::lround(run.scale * 100)) + "pc" +
           (run.delay == 100 ? "" : "_" + std::to_string(run.delay) + "ms");
}

void PrintTo(const RenderRun& run, std::ostream* out) { *out << Name(run); }

constexpr bool Sanitized = ORBIZA_SANITIZED;

// Each format at each scale as one file and as a sequence; each pair of formats in one run at a scale below and one
// above 1; each on standard output; and the runs that once failed. The sanitizer build, many times slower, takes
// each format once below and once above 1.
std::vector<RenderRun> Runs() {
    std::vector<RenderRun> runs;
    const auto format = [](const char* extension) {
        return &*std::find_if(std::begin(Formats), std::end(Formats),
                              [&](const Format& f) { return std::string(f.extension) == extension; });
    };
    for (const Format& f : Formats)
        for (const double scale : {0.25, 0.5, 1.0, 1.5, 2.0, 3.0})
            for (const Into into : {Into::File, Into::Sequence})
                if (!Sanitized || (scale == 0.5 && into == Into::File) || (scale == 1.5 && into == Into::Sequence))
                    runs.push_back({{{&f, into}}, scale, into == Into::File && !f.animation ? 1 : 2});
    for (const Format& f : Formats) runs.push_back({{{&f, Into::StandardOutput}}, 0.25, f.animation ? 2 : 1});
    for (std::size_t i = 0; i < std::size(Formats) && !Sanitized; ++i)
        for (std::size_t j = i + 1; j < std::size(Formats); ++j)
            for (const double scale : {0.5, 1.5}) {
                const auto into = [](const Format& f) { return f.animation ? Into::File : Into::Sequence; };
                runs.push_back({{{&Formats[i], into(Formats[i])}, {&Formats[j], into(Formats[j])}}, scale, 2, 250});
            }
    const Output mp4{format("mp4"), Into::File}, webm{format("webm"), Into::File};
    // Qt took the first encoder thread to use it for its main thread; the image plugins kept that thread's data,
    // freed when it ended, and the heap was corrupted at exit. And the video converter read past the canvas's end.
    runs.push_back({{mp4, webm, {format("png"), Into::File}}, 1, 1, 100, "Cube", !Sanitized});
    // Videos sized by the picture at scale 1: sheared beside a larger canvas, read past the end of a smaller one.
    runs.push_back({{mp4, webm, {format("png"), Into::Sequence}}, 2, 5});
    runs.push_back({{mp4, webm, {format("mp4"), Into::Sequence}}, 0.3, 2});
    // Rosset's thin orange spines at 10 ms a frame starve a constant-quality H.264 of bits.
    runs.push_back({{mp4}, 1, 3, 10, "Rosset"});
    // Rossler's 400,000 segments, most of them joined into paths, and lone pixels among them.
    runs.push_back({{{format("svg"), Into::File}, {format("pdf"), Into::File}}, 1, 1, 100, "Rossler Chaos"});
    for (const Format& f : Formats) runs.push_back({{{&f, Into::File}}, 1, f.animation ? 2 : 1, 100, "", false, true});
    return runs;
}

class Combination : public testing::TestWithParam<RenderRun> {};

TEST_P(Combination, EveryFileHoldsWhatWasDrawn) {
    const RenderRun& run = GetParam();
    const ScratchDir dir;
    std::vector<std::string> args = Words(run.memcheck ? "valgrind -q --error-exitcode=99" : "");
    args.push_back(ORBIZA_RENDER_PATH);
    args.insert(args.end(), TestView.begin(), TestView.end());
    args.insert(args.end(), {"--scale", std::to_string(run.scale), "--frames", std::to_string(run.frames), "--delay",
                             std::to_string(run.delay)});
    const std::string table = dir.path / "knot.txt";
    WriteWholeFile(table, KnotTable());
    args.insert(args.end(), run.input ? std::initializer_list<std::string>{"--input", table}
                                      : std::initializer_list<std::string>{run.structure});
    std::vector<std::string> paths;
    for (const Output& o : run.outputs) {
        paths.push_back(dir.path / (Name(o) + (o.into == Into::Sequence ? "-%d." : ".") + o.format->extension));
        args.insert(args.end(), {o.format->option, o.into == Into::StandardOutput ? "-" : paths.back()});
        if (o.into == Into::StandardOutput && o.format->option == std::string("--output"))
            args.insert(args.end(), {"--format", o.format->extension});
    }
    const RunResult result = RunProgram(args);
    ASSERT_EQ(result.status, 0) << result.err;
    std::string problem;
    std::optional<LineData> lines = run.input ? ReadLineFile(table, std::nullopt, problem) : std::nullopt;
    if (lines) FitLines(*lines);
    const auto redraw = [&](Scene& scene) { lines ? RedrawLines(scene, *lines) : RedrawScene(scene); };
    const Drawn drawn = WindowFrames(run.structure, run.frames, run.scale, redraw);
    const std::vector<SegmentLog> logs = WindowFrames(run.structure, run.frames, 1, redraw).logs;
    for (std::size_t i = 0; i < run.outputs.size(); ++i) {
        const Output& o = run.outputs[i];
        if (o.into == Into::StandardOutput) WriteWholeFile(paths[i], result.out);
        const bool each = o.into == Into::Sequence, still = o.into == Into::File && !o.format->animation;
        for (int k = 0; k < (each ? run.frames : 1); ++k) {  // a file a frame, or one of them all (a still's first)
            const std::string path = each ? FramePath(paths[i], k) : paths[i];
            const int end = each || still ? k + 1 : run.frames;
            SCOPED_TRACE(path);
            o.format->check(path, {{drawn.frames.begin() + k, drawn.frames.begin() + end},
                                   {logs.begin() + k, logs.begin() + end},
                                   run.delay,
                                   o.into == Into::StandardOutput});
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Combination, testing::ValuesIn(Runs()),
                         [](const testing::TestParamInfo<RenderRun>& info) { return Name(info.param); });

// Catches segments that meet in one colour left apart: one path a segment, "Rossler Chaos" took 21,600,248 bytes.
TEST(CompactVectorFiles, RosslerSvgTakesAtMostHalf) {
    const ScratchDir dir;
    ASSERT_EQ(RunBinary({"--output", dir.path / "r.svg", "Rossler Chaos"}).status, 0);
    EXPECT_LE(std::filesystem::file_size(dir.path / "r.svg"), 21600248u / 2);
}

}  // namespace
