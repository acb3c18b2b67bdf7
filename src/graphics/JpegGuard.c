/* The JPEG library's managers and the guarded calls: fatal errors and stopping hooks leave the
 * library with longjmp to the setjmp of the call that is running, all inside C frames. */
#include "graphics/JpegGuard.h"

#include <jerror.h>
#include <string.h>

/* Returns the status that longjmp carried. setjmp may only stand as a whole controlling expression,
 * hence the switch. */
#define PXJ_CATCH(jump)               \
    switch (setjmp(jump)) {           \
        case 0:                       \
            break;                    \
        case PXJ_HOOK_STOPPED:        \
            return PXJ_HOOK_STOPPED;  \
        default:                      \
            return PXJ_LIBRARY_ERROR; \
    }

static struct pxj_session* session_of(j_common_ptr codec) {
    return (struct pxj_session*)codec->err;
}

/* The error manager: the fatal hook returns to the guarded call; messages are never produced. */
static void error_exit(j_common_ptr codec) {
    longjmp(session_of(codec)->jump, PXJ_LIBRARY_ERROR);
}
static void emit_message(j_common_ptr codec, int level) {
    (void)codec;
    (void)level;
}
static void output_message(j_common_ptr codec) {
    (void)codec;
}
static void format_message(j_common_ptr codec, char* buffer) {
    (void)codec;
    buffer[0] = '\0';
}
static void reset_error_mgr(j_common_ptr codec) {
    codec->err->num_warnings = 0;
    codec->err->msg_code = 0;
}

static void progress_monitor(j_common_ptr codec) {
    struct pxj_session* session = session_of(codec);
    if (session->on_progress(session->context, codec)) longjmp(session->jump, PXJ_HOOK_STOPPED);
}

static void init_session(struct pxj_session* session) {
    struct jpeg_error_mgr* error = &session->error;
    memset(error, 0, sizeof *error);
    error->error_exit = error_exit;
    error->emit_message = emit_message;
    error->output_message = output_message;
    error->format_message = format_message;
    error->reset_error_mgr = reset_error_mgr;
    memset(&session->progress, 0, sizeof session->progress);
    session->progress.progress_monitor = progress_monitor;
}

/* Fatal errors raised while the codec's create runs still need a jump target. The macros of the
 * library's header expand to the versioned create calls. */
int pxj_create_decompress(j_decompress_ptr codec, struct pxj_session* session) {
    init_session(session);
    codec->err = &session->error;
    codec->mem = NULL;
    PXJ_CATCH(session->jump);
    jpeg_create_decompress(codec);
    if (session->on_progress) codec->progress = &session->progress;
    return PXJ_OK;
}

/* The destination hands each full chunk to the caller's writer. */
static void init_destination(j_compress_ptr codec) {
    struct pxj_session* session = session_of((j_common_ptr)codec);
    session->destination.next_output_byte = session->output;
    session->destination.free_in_buffer = PXJ_OUTPUT_CHUNK;
}
static boolean empty_output_buffer(j_compress_ptr codec) {
    struct pxj_session* session = session_of((j_common_ptr)codec);
    if (session->on_write(session->context, session->output, PXJ_OUTPUT_CHUNK))
        longjmp(session->jump, PXJ_HOOK_STOPPED);
    init_destination(codec);
    return TRUE;
}
static void term_destination(j_compress_ptr codec) {
    struct pxj_session* session = session_of((j_common_ptr)codec);
    const size_t used = PXJ_OUTPUT_CHUNK - session->destination.free_in_buffer;
    if (used && session->on_write(session->context, session->output, used))
        longjmp(session->jump, PXJ_HOOK_STOPPED);
}

int pxj_create_compress(j_compress_ptr codec, struct pxj_session* session) {
    init_session(session);
    codec->err = &session->error;
    codec->mem = NULL;
    PXJ_CATCH(session->jump);
    jpeg_create_compress(codec);
    if (session->on_progress) codec->progress = &session->progress;
    session->destination.init_destination = init_destination;
    session->destination.empty_output_buffer = empty_output_buffer;
    session->destination.term_destination = term_destination;
    codec->dest = &session->destination;
    return PXJ_OK;
}

void pxj_destroy(j_common_ptr codec) {
    jpeg_destroy(codec);
}

/* The whole file is in memory from the start, so asking for more means it ended too early. */
static void init_source(j_decompress_ptr codec) {
    (void)codec;
}
static boolean fill_input_buffer(j_decompress_ptr codec) {
    ERREXIT(codec, JERR_INPUT_EOF);
    return FALSE;
}
static void skip_input_data(j_decompress_ptr codec, long count) {
    struct jpeg_source_mgr* source = codec->src;
    if (count <= 0) return;
    if ((size_t)count > source->bytes_in_buffer) fill_input_buffer(codec);
    source->next_input_byte += count;
    source->bytes_in_buffer -= (size_t)count;
}
static void term_source(j_decompress_ptr codec) {
    (void)codec;
}

void pxj_memory_source(j_decompress_ptr codec, const JOCTET* data, size_t size) {
    struct jpeg_source_mgr* source = &session_of((j_common_ptr)codec)->source;
    source->init_source = init_source;
    source->fill_input_buffer = fill_input_buffer;
    source->skip_input_data = skip_input_data;
    source->resync_to_restart = jpeg_resync_to_restart;
    source->term_source = term_source;
    source->next_input_byte = data;
    source->bytes_in_buffer = size;
    codec->src = source;
}

/* Each guarded call: the library's call between setjmp and a normal return, nothing else. */
#define PXJ_GUARDED(codec, call)                            \
    do {                                                    \
        PXJ_CATCH(session_of((j_common_ptr)(codec))->jump); \
        call;                                               \
        return PXJ_OK;                                      \
    } while (0)

int pxj_read_header(j_decompress_ptr codec) {
    PXJ_GUARDED(codec, jpeg_read_header(codec, TRUE));
}
int pxj_start_decompress(j_decompress_ptr codec) {
    PXJ_GUARDED(codec, jpeg_start_decompress(codec));
}
int pxj_read_scanline(j_decompress_ptr codec, JSAMPROW row, JDIMENSION* rows_read) {
    PXJ_GUARDED(codec, *rows_read = jpeg_read_scanlines(codec, &row, 1));
}
int pxj_finish_decompress(j_decompress_ptr codec) {
    PXJ_GUARDED(codec, jpeg_finish_decompress(codec));
}
int pxj_alloc_colormap(j_decompress_ptr codec, int colors, int components, JSAMPARRAY* map) {
    PXJ_GUARDED(codec, *map = (*codec->mem->alloc_sarray)((j_common_ptr)codec, JPOOL_IMAGE,
                                                          (JDIMENSION)colors, (JDIMENSION)components));
}

static void set_defaults(j_compress_ptr codec, int quality, int progressive) {
    jpeg_set_defaults(codec);
    codec->dct_method = JDCT_FLOAT;
    jpeg_set_quality(codec, quality, TRUE);
    if (progressive) jpeg_simple_progression(codec);
}
int pxj_set_defaults(j_compress_ptr codec, int quality, int progressive) {
    PXJ_GUARDED(codec, set_defaults(codec, quality, progressive));
}
int pxj_start_compress(j_compress_ptr codec) {
    PXJ_GUARDED(codec, jpeg_start_compress(codec, TRUE));
}
int pxj_write_scanline(j_compress_ptr codec, JSAMPROW row, JDIMENSION* rows_written) {
    PXJ_GUARDED(codec, *rows_written = jpeg_write_scanlines(codec, &row, 1));
}
int pxj_finish_compress(j_compress_ptr codec) {
    PXJ_GUARDED(codec, jpeg_finish_compress(codec));
}
