#include "presentation/HaruAdapter.h"

#include <algorithm>
#include <cstddef>
#include <new>

// The build accepts only this version (see CMakeLists.txt); the records read
// here are those of libharu 2.3.0.
static_assert(HPDF_VERSION_ID == 20300, "HaruAdapter.cpp is written for libharu 2.3.0");

namespace marbelo::haru {

namespace {

LazyImages::Reading *readingOf(HPDF_Stream stream)
{
    return static_cast<LazyImages::Reading *>(stream->attr);
}

HPDF_STATUS fail(HPDF_Stream stream, HPDF_STATUS error)
{
    return HPDF_SetError(stream->error, error, 0);
}

HPDF_STATUS writeDocument(HPDF_Stream stream, const HPDF_BYTE *bytes, HPDF_UINT size);

// libharu copies a picture into the document 4 KB at a time through its own
// buffer. Asked for the first piece, the whole picture is written into the
// sink at once instead, and counted as libharu counts what it writes (the
// stream's Length and the offsets of the objects after it follow that
// count); libharu is then told the picture has ended.
HPDF_STATUS writeWholePicture(HPDF_Stream stream, LazyImages::Reading *r, HPDF_UINT *size)
{
    HPDF_Stream out = r->doc->stream;
    *size = 0;
    bool readFailed = false;
    if (!static_cast<DocumentSink *>(out->attr)->writePicture(*r->source, &readFailed)) {
        r->failed = readFailed;
        return fail(stream, HPDF_FILE_IO_ERROR);
    }
    out->size += static_cast<HPDF_UINT32>(r->source->size());
    r->pos = r->source->size();
    return HPDF_STREAM_EOF;
}

HPDF_STATUS readImage(HPDF_Stream stream, HPDF_BYTE *out, HPDF_UINT *size)
{
    LazyImages::Reading *r = readingOf(stream);
    if (r->headerOnly && r->headerRead) {
        *size = 0;
        return HPDF_STREAM_EOF;
    }
    // Only a document written into a sink, without encryption (which would
    // have to pass every byte through libharu), takes the picture whole.
    if (!r->headerOnly && r->pos == 0 && r->doc && r->doc->stream && r->doc->stream->write_fn == writeDocument
        && !r->doc->encrypt_on)
        return writeWholePicture(stream, r, size);
    const std::int32_t left = r->source->size() - r->pos;
    const auto n = static_cast<std::int32_t>(std::min<HPDF_UINT>(*size, static_cast<HPDF_UINT>(left)));
    if (n > 0 && !r->source->read(r->pos, out, n, r->headerOnly)) {
        r->failed = true;
        *size = 0;
        return fail(stream, HPDF_FILE_IO_ERROR);
    }
    r->pos += n;
    const bool whole = static_cast<HPDF_UINT>(n) == *size;
    *size = static_cast<HPDF_UINT>(n);
    if (whole)
        return HPDF_OK;
    // A picture that ends inside its header is no picture.
    if (r->headerOnly) {
        r->failed = true;
        return fail(stream, HPDF_STREAM_EOF);
    }
    return HPDF_STREAM_EOF;
}

HPDF_STATUS seekImage(HPDF_Stream stream, HPDF_INT pos, HPDF_WhenceMode mode)
{
    LazyImages::Reading *r = readingOf(stream);
    const std::int64_t size = r->source->size();
    const std::int64_t target = mode == HPDF_SEEK_SET ? pos : mode == HPDF_SEEK_CUR ? std::int64_t(r->pos) + pos
                                                                                     : size + pos;
    if (target < 0 || target > size) {
        r->failed = true;
        return fail(stream, HPDF_STREAM_EOF);
    }
    if (r->headerOnly && mode == HPDF_SEEK_SET && target == 0 && r->pos > 0)
        r->headerRead = true;
    r->pos = static_cast<std::int32_t>(target);
    return HPDF_OK;
}

HPDF_INT32 tellImage(HPDF_Stream stream)
{
    return readingOf(stream)->pos;
}

HPDF_UINT32 imageSize(HPDF_Stream stream)
{
    return static_cast<HPDF_UINT32>(readingOf(stream)->source->size());
}

// The arena that serves this thread's documents.
thread_local RecordArena *tArena = nullptr;

// Most records are a few dozen bytes; a page's content stream takes 4 KB.
constexpr std::size_t kArenaBlock = 256 * 1024;
constexpr std::size_t kRecordAlignment = alignof(std::max_align_t);

HPDF_Stream newReader(HPDF_Doc doc, LazyImages::Reading *reading)
{
    return HPDF_CallbackReader_New(doc->mmgr, readImage, seekImage, tellImage, imageSize, reading);
}

HPDF_STATUS writeDocument(HPDF_Stream stream, const HPDF_BYTE *bytes, HPDF_UINT size)
{
    auto *sink = static_cast<DocumentSink *>(stream->attr);
    if (!sink->write(bytes, static_cast<std::int32_t>(size)))
        return fail(stream, HPDF_FILE_IO_ERROR);
    return HPDF_OK;
}

} // namespace

HPDF_Image LazyImages::load(HPDF_Doc doc, ImageBytes &source)
{
    Reading header{&source};
    header.headerOnly = true;
    HPDF_Stream headerStream = newReader(doc, &header);
    if (!headerStream)
        return nullptr;
    HPDF_Image image = HPDF_Image_LoadJpegImage(doc->mmgr, headerStream, doc->xref);
    HPDF_Stream_Free(headerStream);
    if (!image || header.failed || !header.headerRead || HPDF_Image_GetWidth(image) == 0
        || HPDF_Image_GetHeight(image) == 0)
        return nullptr;
    m_readings.push_back({&source, doc});
    HPDF_Stream bytes = newReader(doc, &m_readings.back());
    if (!bytes)
        return nullptr;
    HPDF_Stream_Free(image->stream);
    image->stream = bytes;
    return image;
}

bool LazyImages::readFailed() const
{
    return std::any_of(m_readings.begin(), m_readings.end(), [](const Reading &r) { return r.failed; });
}

RecordArena::RecordArena() : m_outer(tArena)
{
    tArena = this;
}

RecordArena::~RecordArena()
{
    tArena = m_outer;
}

HPDF_Doc RecordArena::newDocument(HPDF_Error_Handler onError, void *errorData)
{
    return HPDF_NewEx(onError, allocate, release, 0, errorData);
}

void *RecordArena::allocate(HPDF_UINT size)
{
    RecordArena *arena = tArena;
    if (!arena)
        return nullptr;
    const std::size_t wanted = (std::size_t(size) + kRecordAlignment - 1) / kRecordAlignment * kRecordAlignment;
    if (arena->m_blocks.empty() || arena->m_used + wanted > arena->m_blocks.back().size) {
        // A record larger than a block gets a block of its own.
        const std::size_t blockSize = std::max(wanted, kArenaBlock);
        Block block{std::unique_ptr<unsigned char[]>(new (std::nothrow) unsigned char[blockSize]), blockSize};
        if (!block.bytes)
            return nullptr;
        arena->m_blocks.push_back(std::move(block));
        arena->m_used = 0;
    }
    void *record = arena->m_blocks.back().bytes.get() + arena->m_used;
    arena->m_used += wanted;
    return record;
}

// Records are given back with the arena.
void RecordArena::release(void *) {}

bool saveDocument(HPDF_Doc doc, DocumentSink &sink)
{
    // The document's own output stream (a memory stream by default) becomes
    // one that writes into the sink.
    if (doc->stream)
        HPDF_Stream_Free(doc->stream);
    doc->stream = HPDF_CallbackWriter_New(doc->mmgr, writeDocument, &sink);
    const bool written = doc->stream && HPDF_SaveToStream(doc) == HPDF_OK;
    HPDF_Stream_Free(doc->stream);
    doc->stream = nullptr;
    return written;
}

} // namespace marbelo::haru
