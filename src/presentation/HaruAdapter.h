// What the PDF writer needs of libharu beyond its public interface, in one
// place: JPEG images whose bytes are read from our own source only while the
// document is written (libharu would otherwise keep a copy of every slide in
// memory until the end), and the document written into our own sink instead
// of a memory stream. It reaches into libharu's document and image records
// and calls functions that libharu's headers declare but its interface does
// not promise, so it is written for one version: the build checks it.
#pragma once

#include <hpdf.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace marbelo::haru {

// Where an image's bytes come from.
class ImageBytes
{
public:
    virtual ~ImageBytes() = default;
    virtual std::int32_t size() const = 0;
    // Copies count bytes from pos (within size) into out; false when they
    // cannot be read. header: libharu reads the picture's header now, a few
    // bytes at a time near the start; otherwise it reads the whole picture.
    virtual bool read(std::int32_t pos, unsigned char *out, std::int32_t count, bool header) = 0;
};

// Where the document's bytes go.
class DocumentSink
{
public:
    virtual ~DocumentSink() = default;
    virtual bool write(const unsigned char *bytes, std::int32_t count) = 0;
    // Writes all the bytes of a picture, read from source straight into the
    // sink's own memory; false when they could not be read (then
    // *readFailed) or written.
    virtual bool writePicture(ImageBytes &source, bool *readFailed) = 0;
};

// The images of one document. Lives longer than the document, which reads
// the images' bytes through it when it is written.
class LazyImages
{
public:
    // The picture's size from its JPEG header, and its bytes from source when
    // the document is written; null when source holds no JPEG picture.
    HPDF_Image load(HPDF_Doc doc, ImageBytes &source);
    // True when the bytes of an image could not be read.
    bool readFailed() const;

    struct Reading
    {
        ImageBytes *source;
        // The document the picture belongs to: while it is saved, the
        // picture's bytes go straight into its sink.
        HPDF_Doc doc = nullptr;
        std::int32_t pos = 0;
        // While libharu reads the header: the first seek back to the start
        // ends it, and libharu's copy of the picture then gets no bytes.
        bool headerOnly = false;
        bool headerRead = false;
        bool failed = false;
    };

private:
    std::deque<Reading> m_readings;
};

// The memory of one document's records. libharu allocates several small
// records for every page and keeps nearly all of them until the document is
// freed; they are handed out from large blocks and given back together. An
// arena serves the documents made on its thread while it lives (libharu's
// allocation functions take no context), so it must outlive them. libharu's
// own memory pool would do the same, but hands out addresses not aligned for
// the records' types.
class RecordArena
{
public:
    RecordArena();
    ~RecordArena();
    RecordArena(const RecordArena &) = delete;
    RecordArena &operator=(const RecordArena &) = delete;

    // A new document whose records come from this arena; null without memory.
    HPDF_Doc newDocument(HPDF_Error_Handler onError, void *errorData);

private:
    static void *allocate(HPDF_UINT size);
    static void release(void *);

    struct Block
    {
        std::unique_ptr<unsigned char[]> bytes;
        std::size_t size;
    };
    std::vector<Block> m_blocks;
    std::size_t m_used = 0;
    RecordArena *m_outer;
};

// Has libharu write the whole document into sink; false when it could not.
bool saveDocument(HPDF_Doc doc, DocumentSink &sink);

} // namespace marbelo::haru
