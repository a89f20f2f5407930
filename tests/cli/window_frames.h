#pragma once

// Test support: the pictures the window shows for the renderer's test view, and the renderer's files of them.
#include <QImage>
#include <cstring>
#include <string>
#include <vector>

#include "catalogue.h"
#include "run_binary.h"

inline const std::vector<std::string> View{"--axes", "--angles", "0.4,0.6,0.2", "--time",
                                           "1.3",    "--speeds", "3,5,-2,10"};

inline QImage SurfacePicture(const Canvas& surface) {
    QImage image(surface.width, surface.height, QImage::Format_RGB32);
    std::memcpy(image.bits(), surface.pixels.data(), surface.pixels.size() * 4);
    return image;
}

// The window's pictures: the first, then one after each timer tick (advance, clear, redraw),
// the random source carrying on; and the segments of the first.
struct Drawn {
    std::vector<QImage> frames;
    SegmentLog log;
};

inline Drawn WindowFrames(const std::string& structure, int count, double scale = 1) {
    Drawn drawn;
    Canvas surface(scale);
    Scene scene;
    scene.tools.surface = &surface;
    scene.tools.log = &drawn.log;
    scene.showAxis = true;
    scene.view = {0.4f, 0.6f, 0.2f, 1.3f, std::int16_t(*FindStructure(structure))};
    for (int k = 0; k < count; ++k, scene.tools.log = nullptr) {
        if (k > 0) ApplyTimerTick(scene.view, {3, 5, -2, 10});
        Clear(surface);
        RedrawScene(scene);
        drawn.frames.push_back(SurfacePicture(surface));
    }
    return drawn;
}

// The renderer's file of `count` frames, `delay` ms each, under the same view;
// and the window's pictures to hold it against.
inline Drawn RenderFrames(const std::string& path, const std::string& structure, int count, int delay) {
    std::vector<std::string> args = View;
    args.insert(args.end(),
                {"--frames", std::to_string(count), "--delay", std::to_string(delay), "--output", path, structure});
    const RunResult run = RunBinary(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return WindowFrames(structure, count);
}
