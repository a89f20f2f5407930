#include "page_writer.h"

#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo.h>

#include <memory>

#include "joined_paths.h"

namespace {

using SurfaceHandle = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using ContextHandle = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

SurfaceHandle PageSurface(PageKind kind, int width, int height, std::string& bytes) {
    if (kind == PageKind::Eps) {
        SurfaceHandle surface(cairo_ps_surface_create_for_stream(AppendBytes, &bytes, width, height),
                              cairo_surface_destroy);
        cairo_ps_surface_set_eps(surface.get(), true);
        return surface;
    }
    SurfaceHandle surface(cairo_pdf_surface_create_for_stream(AppendBytes, &bytes, width, height),
                          cairo_surface_destroy);
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATE_DATE, "");  // empty: none written
    return surface;
}

void SetColour(cairo_t* cr, Rgb colour) {
    cairo_set_source_rgb(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
}

// A path of one pixel as that pixel's square: PDF and PostScript draw no cap
// on a line of zero length.
void DrawPath(cairo_t* cr, const JoinedPaths& joined, std::size_t index) {
    const std::size_t first = PathStart(joined, index), end = joined.paths[index].end;
    const PathPixel start = joined.pixels[first];
    SetColour(cr, joined.paths[index].colour);
    if (end - first == 1) {
        cairo_rectangle(cr, start.column, start.row, 1, 1);
        cairo_fill(cr);
        return;
    }
    cairo_move_to(cr, start.column + 0.5, start.row + 0.5);
    for (std::size_t i = first + 1; i < end; ++i)
        cairo_line_to(cr, joined.pixels[i].column + 0.5, joined.pixels[i].row + 0.5);
    cairo_stroke(cr);
}

void DrawPage(cairo_t* cr, const SegmentLog& log, int width, int height) {
    cairo_scale(cr, double(width) / PictureWidth, double(height) / PictureHeight);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_set_line_width(cr, 1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cr, PathMiterLimit);
    const JoinedPaths joined = JoinPaths(log);
    for (std::size_t i = 0; i < joined.paths.size(); ++i) DrawPath(cr, joined, i);
}

// cairo dates an EPS file in its header whatever it is told; the line is
// only a comment, and left out the same picture gives the same file.
void DropCreationDate(std::string& eps) {
    const std::size_t header = eps.find("%%EndComments");
    const std::size_t date = eps.find("\n%%CreationDate:");
    if (date == std::string::npos || date > header) return;
    eps.erase(date + 1, eps.find('\n', date + 1) - date);
}

}  // namespace

bool PageBytes(PageKind kind, const SegmentLog& log, int width, int height, std::string& bytes) {
    std::string page;
    const SurfaceHandle surface = PageSurface(kind, width, height, page);
    {
        const ContextHandle cr(cairo_create(surface.get()), cairo_destroy);
        DrawPage(cr.get(), log, width, height);
        if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return false;
    }
    cairo_surface_finish(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return false;
    if (kind == PageKind::Eps) DropCreationDate(page);
    bytes = std::move(page);
    return true;
}
