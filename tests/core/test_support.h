#pragma once

// Shared by the core tests: a scene on fresh state, digests of what it drew, the error it raised.
#include <algorithm>
#include <cstdint>
#include <optional>

#include "catalogue.h"
#include "run_time_error.h"

inline ViewState ViewAt(float ax, float ay, float az, float time) { return {ax, ay, az, time}; }

// A scene on its own surface, logged or not, by the kernels of the start-up level (ORBIZA_SIMD) or the plain route.
struct Drawing {
    Scene scene;
    Canvas surface, display;
    SegmentLog log;

    explicit Drawing(bool logged, bool fast = true, double scale = 1) : surface(scale) {
        StartUpDrawing(scene.tools, StartUpSimdLevel());
        if (!fast) UsePlainRoute(scene.tools);
        AttachCanvases(scene.tools, &surface);
        if (logged) scene.tools.log = &log;
    }
    Drawing(const Drawing&) = delete;

    void AlsoDrawAt(double scale) {
        display = Canvas(scale);
        AttachCanvases(scene.tools, &surface, &display);
    }
};

// The structure at `listText` drawn as the window draws it.
inline void Draw(Drawing& d, const char* listText, ViewState view) {
    d.scene.view = view;
    d.scene.view.StructureIndex = std::int16_t(FindStructure(listText).value_or(0));
    RedrawScene(d.scene);
}

inline int LitPixels(const Canvas& c) {
    return int(c.pixels.size() - std::count(c.pixels.begin(), c.pixels.end(), Canvas::Background));
}

inline std::uint64_t Fnv1a(const void* data, std::size_t size, std::uint64_t hash = 14695981039346656037ull) {
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ static_cast<const std::uint8_t*>(data)[i]) * 1099511628211ull;
    return hash;
}

// Every segment's model points, screen points and colour, bit for bit.
inline std::uint64_t LogDigest(const SegmentLog& log) {
    std::uint64_t hash = Fnv1a(nullptr, 0);
    for (const SegmentRecord& s : log) {
        const float values[] = {s.p.x, s.p.y, s.p.z, s.q.x, s.q.y, s.q.z, s.x1, s.y1, s.x2, s.y2};
        const std::uint8_t colour[] = {s.colour.red, s.colour.green, s.colour.blue};
        hash = Fnv1a(colour, sizeof colour, Fnv1a(values, sizeof values, hash));
    }
    return hash;
}

inline std::uint64_t PixelDigest(const Canvas& surface) {
    return Fnv1a(surface.pixels.data(), surface.pixels.size() * sizeof(std::uint32_t));
}

// The kind of run-time error `f` raised, or nothing when it ran through.
template <class F>
std::optional<ErrorKind> RaisedKind(F&& f) {
    try {
        f();
    } catch (const RunTimeError& e) {
        return e.kind;
    }
    return std::nullopt;
}
