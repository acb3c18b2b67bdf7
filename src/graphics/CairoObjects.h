// Cairo image surfaces and drawing contexts that free themselves and report cairo's errors as the
// file's, and the turn of cairo's premultiplied pixels into straight RGBA. For the SVG renderer and
// bitmap scaling; the functions come from SvgLibrary.h.
#pragma once

#include <cstdint>
#include <string>

#include "graphics/RgbaImage.h"
#include "graphics/SvgLibrary.h"

namespace plexon {

// A cairo image surface of 32-bit premultiplied pixels, destroyed with its owner. A surface cairo
// could not make raises the error naming path (EOutOfResources when memory ran out).
class CairoSurface {
  public:
    CairoSurface(const SvgFunctions& svg, cairo_surface_t* surface, const std::string& path);
    ~CairoSurface() { svg_.cairo_surface_destroy(surface_); }
    CairoSurface(const CairoSurface&) = delete;
    CairoSurface& operator=(const CairoSurface&) = delete;
    operator cairo_surface_t*() const { return surface_; }

    // Turns the pixels, in place, from cairo's native-endian premultiplied 0xAARRGGBB into straight
    // red, green, blue, alpha bytes; the surface is no longer one to draw on. Gives the first row.
    std::uint8_t* Straighten();
    int Stride() const { return svg_.cairo_image_surface_get_stride(surface_); }

  private:
    const SvgFunctions& svg_;
    cairo_surface_t* surface_;
};

// A drawing context on a surface; Finish reports what went wrong in it.
class CairoDrawing {
  public:
    CairoDrawing(const SvgFunctions& svg, cairo_surface_t* surface)
        : svg_(svg), cr_(svg.cairo_create(surface)) {}
    ~CairoDrawing() { svg_.cairo_destroy(cr_); }
    CairoDrawing(const CairoDrawing&) = delete;
    CairoDrawing& operator=(const CairoDrawing&) = delete;
    operator cairo_t*() const { return cr_; }
    void Finish(const std::string& path) const;

  private:
    const SvgFunctions& svg_;
    cairo_t* cr_;
};

}  // namespace plexon
