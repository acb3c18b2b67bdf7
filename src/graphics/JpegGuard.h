/* The boundary to the JPEG library: every library call that can fail runs here under setjmp, so a
 * fatal error jumps back across C frames only and comes out as a status. No C++ types or callers'
 * policy here: the C++ side turns the status into its exceptions. */
#ifndef PLEXON_GRAPHICS_JPEGGUARD_H
#define PLEXON_GRAPHICS_JPEGGUARD_H

/* The library's header needs FILE and size_t first. */
/* clang-format off */
#include <setjmp.h>
#include <stddef.h>
#include <stdio.h>
#include <jpeglib.h>
/* clang-format on */

#ifdef __cplusplus
extern "C" {
#endif

/* What a guarded call reports. */
enum { PXJ_OK = 0, PXJ_LIBRARY_ERROR = 1, PXJ_HOOK_STOPPED = 2 };

/* Hooks into the caller's side. They must return instead of throwing: nonzero stops the codec. */
typedef int (*pxj_progress_hook)(void* context, j_common_ptr codec);
typedef int (*pxj_write_hook)(void* context, const JOCTET* data, size_t size);

enum { PXJ_OUTPUT_CHUNK = 4096 };

/* Error, progress, source and destination managers of one codec object. `error` comes first so
 * that the codec's err pointer leads back to the whole session. */
struct pxj_session {
    struct jpeg_error_mgr error;
    struct jpeg_progress_mgr progress;
    struct jpeg_source_mgr source;
    struct jpeg_destination_mgr destination;
    jmp_buf jump;
    void* context;
    pxj_progress_hook on_progress; /* may be null */
    pxj_write_hook on_write;       /* compressors only */
    JOCTET output[PXJ_OUTPUT_CHUNK];
};

/* Sets up the session's managers; the codec's own create runs guarded. The library's message code
 * of a failure stays in session->error.msg_code. */
int pxj_create_decompress(j_decompress_ptr codec, struct pxj_session* session);
int pxj_create_compress(j_compress_ptr codec, struct pxj_session* session);
/* Safe on a codec whose create failed. */
void pxj_destroy(j_common_ptr codec);

/* Reads from size bytes at data, which must outlive the codec. Running out is a fatal error
 * (JERR_INPUT_EOF): a truncated file fails instead of decoding grey. */
void pxj_memory_source(j_decompress_ptr codec, const JOCTET* data, size_t size);

int pxj_read_header(j_decompress_ptr codec);
int pxj_start_decompress(j_decompress_ptr codec);
int pxj_read_scanline(j_decompress_ptr codec, JSAMPROW row, JDIMENSION* rows_read);
int pxj_finish_decompress(j_decompress_ptr codec);
/* A colour map of `colors` entries and `components` rows from the image pool, in *map. */
int pxj_alloc_colormap(j_decompress_ptr codec, int colors, int components, JSAMPARRAY* map);

/* Library defaults for the codec's input, then the floating-point DCT, the quality with baseline
 * tables and, when asked, the simple progression. */
int pxj_set_defaults(j_compress_ptr codec, int quality, int progressive);
int pxj_start_compress(j_compress_ptr codec);
int pxj_write_scanline(j_compress_ptr codec, JSAMPROW row, JDIMENSION* rows_written);
int pxj_finish_compress(j_compress_ptr codec);

#ifdef __cplusplus
}
#endif

#endif
