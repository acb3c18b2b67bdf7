// The librsvg and cairo functions SVG rendering and bitmap scaling call, looked up when the first run
// needs them: runs with neither SVG sources nor sizes never load the two libraries and the many behind
// them. The libraries' headers give every type and signature; this only replaces the linking.
#pragma once

#define RSVG_DISABLE_DEPRECATION_WARNINGS
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <string>

namespace plexon {

// Each is a real exported function of librsvg, cairo, GIO, GObject or GLib (not a macro).
#define PLEXON_SVG_FUNCTIONS(X)               \
    X(rsvg_handle_new_with_flags)             \
    X(rsvg_handle_set_base_gfile)             \
    X(rsvg_handle_set_dpi)                    \
    X(rsvg_handle_write)                      \
    X(rsvg_handle_close)                      \
    X(rsvg_handle_get_intrinsic_size_in_pixels) \
    X(rsvg_handle_render_document)            \
    X(g_file_new_for_path)                    \
    X(g_object_unref)                         \
    X(g_error_free)                           \
    X(cairo_image_surface_create)             \
    X(cairo_image_surface_create_for_data)    \
    X(cairo_image_surface_get_data)           \
    X(cairo_image_surface_get_stride)         \
    X(cairo_image_surface_get_width)          \
    X(cairo_image_surface_get_height)         \
    X(cairo_surface_status)                   \
    X(cairo_surface_flush)                    \
    X(cairo_surface_destroy)                  \
    X(cairo_create)                           \
    X(cairo_destroy)                          \
    X(cairo_status)                           \
    X(cairo_status_to_string)                 \
    X(cairo_translate)                        \
    X(cairo_scale)                            \
    X(cairo_rectangle)                        \
    X(cairo_clip)                             \
    X(cairo_set_source_surface)               \
    X(cairo_get_source)                       \
    X(cairo_pattern_set_filter)               \
    X(cairo_pattern_set_extend)               \
    X(cairo_paint)

struct SvgFunctions {
#define PLEXON_SVG_MEMBER(name) decltype(&::name) name = nullptr;
    PLEXON_SVG_FUNCTIONS(PLEXON_SVG_MEMBER)
#undef PLEXON_SVG_MEMBER
};

// The functions, loaded on the first call. When a library or a function is missing, raises
// EInvalidGraphic naming the path (the file that needed them) with the loader's reason.
const SvgFunctions& SvgLibrary(const std::string& path);

}  // namespace plexon
