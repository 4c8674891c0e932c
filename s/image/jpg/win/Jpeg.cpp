// s/image/jpg/win/Jpeg.cpp
//
// libjpeg's fatal errors longjmp back to encode or decode through an error manager of our
// own, so no C++ object with a destructor lives between setjmp and the library calls. The
// source and destination managers move 4096-byte blocks through the library's streams. The
// store is B, G, R, which libjpeg-turbo reads and writes itself (extended BGR colour space).
#include "s/image/jpg/win/Jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

#include "s/image/ImageLimits.h"
#include "s/image/jpg/EncodeSetting.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/win/BufferedImage.h"
#include "s/image/win/LoadFromArchive.h"
#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"
#include "s/thread/Pool.h"

namespace s::image::jpg::win {

namespace {

using s::image::bmp::win::Bitmap;
using s::image::win::BufferedImage;

constexpr size_t kBlockBytes = 4096;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void errorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings and errors are never printed: the console window is not the decoder's to use.
void outputMessage(j_common_ptr) {}

void installErrors(ErrorManager* errors) {
    jpeg_std_error(&errors->pub);
    errors->pub.error_exit = errorExit;
    errors->pub.output_message = outputMessage;
}

struct Source {
    jpeg_source_mgr pub;
    s::io::IInputStream* in;
    JOCTET* buffer;
    boolean startOfFile;
};

void initSource(j_decompress_ptr cinfo) { reinterpret_cast<Source*>(cinfo->src)->startOfFile = TRUE; }

// A failed read and a read of 0 bytes both end the data: never asked again in a loop.
size_t readBlock(Source* src) {
    uint32_t got = 0;
    if (!src->in->read(src->buffer, kBlockBytes, &got)) return 0;
    return got;
}

boolean fillInputBuffer(j_decompress_ptr cinfo) {
    Source* src = reinterpret_cast<Source*>(cinfo->src);
    size_t count = readBlock(src);
    if (count == 0) {
        if (src->startOfFile) ERREXIT(cinfo, JERR_INPUT_EMPTY);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        // An end-of-image marker completes a file that ends early.
        src->buffer[0] = 0xFF;
        src->buffer[1] = JPEG_EOI;
        count = 2;
    }
    src->pub.next_input_byte = src->buffer;
    src->pub.bytes_in_buffer = count;
    src->startOfFile = FALSE;
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* src = cinfo->src;
    while (count > static_cast<long>(src->bytes_in_buffer)) {
        count -= static_cast<long>(src->bytes_in_buffer);
        fillInputBuffer(cinfo);
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= static_cast<size_t>(count);
}

void termSource(j_decompress_ptr) {}

void installSource(j_decompress_ptr cinfo, s::io::IInputStream* in) {
    auto* src = static_cast<Source*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(Source)));
    src->buffer = static_cast<JOCTET*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, kBlockBytes));
    src->in = in;
    src->startOfFile = TRUE;
    src->pub.init_source = initSource;
    src->pub.fill_input_buffer = fillInputBuffer;
    src->pub.skip_input_data = skipInputData;
    src->pub.resync_to_restart = jpeg_resync_to_restart;
    src->pub.term_source = termSource;
    src->pub.bytes_in_buffer = 0;
    src->pub.next_input_byte = nullptr;
    cinfo->src = &src->pub;
}

struct Destination {
    jpeg_destination_mgr pub;
    s::io::IOutputStream* out;
    JOCTET* buffer;
};

void initDestination(j_compress_ptr cinfo) {
    Destination* dest = reinterpret_cast<Destination*>(cinfo->dest);
    dest->buffer = static_cast<JOCTET*>(
        (*cinfo->mem->alloc_small)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE, kBlockBytes));
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = kBlockBytes;
}

boolean emptyOutputBuffer(j_compress_ptr cinfo) {
    Destination* dest = reinterpret_cast<Destination*>(cinfo->dest);
    if (!dest->out->write(dest->buffer, kBlockBytes, nullptr)) ERREXIT(cinfo, JERR_FILE_WRITE);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = kBlockBytes;
    return TRUE;
}

void termDestination(j_compress_ptr cinfo) {
    Destination* dest = reinterpret_cast<Destination*>(cinfo->dest);
    const size_t pending = kBlockBytes - dest->pub.free_in_buffer;
    if (pending > 0 && !dest->out->write(dest->buffer, static_cast<uint32_t>(pending), nullptr)) {
        ERREXIT(cinfo, JERR_FILE_WRITE);
    }
}

void installDestination(j_compress_ptr cinfo, s::io::IOutputStream* out) {
    auto* dest = static_cast<Destination*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(Destination)));
    dest->out = out;
    dest->buffer = nullptr;
    dest->pub.init_destination = initDestination;
    dest->pub.empty_output_buffer = emptyOutputBuffer;
    dest->pub.term_destination = termDestination;
    cinfo->dest = &dest->pub;
}

// Adobe's inverted CMYK, as Photoshop writes it: the ink times the black, over 255.
void cmykToBgr(const JSAMPLE* from, int32_t width, uint8_t* to) {
    for (int32_t j = 0; j < width; ++j, from += 4, to += 3) {
        to[0] = static_cast<uint8_t>(from[2] * from[3] / 255);
        to[1] = static_cast<uint8_t>(from[1] * from[3] / 255);
        to[2] = static_cast<uint8_t>(from[0] * from[3] / 255);
    }
}

// After jpeg_read_header; any library error longjmps out of here.
void readPicture(j_decompress_ptr cinfo, Bitmap* store) {
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    if (!s::image::isDecodableSize(cinfo->image_width, cinfo->image_height)) {
        ERREXIT(cinfo, JERR_IMAGE_TOO_BIG);
    }
    jpeg_start_decompress(cinfo);
    if (!store->create(static_cast<int32_t>(cinfo->output_width), static_cast<int32_t>(cinfo->output_height), 24)) {
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    }
    JSAMPARRAY cmykRow = nullptr;
    if (cmyk) {
        cmykRow = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                              cinfo->output_width * 4, 1);
    }
    while (cinfo->output_scanline < cinfo->output_height) {
        uint8_t* row = store->getRow(static_cast<int32_t>(cinfo->output_scanline));
        JSAMPROW target = cmyk ? cmykRow[0] : row;
        if (jpeg_read_scanlines(cinfo, &target, 1) != 1) ERREXIT(cinfo, JERR_INPUT_EOF);
        if (cmyk) cmykToBgr(cmykRow[0], store->getWidth(), row);
    }
    jpeg_finish_decompress(cinfo);
}

bool decodeInto(s::io::IInputStream* in, Bitmap* store) {
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    installErrors(&errors);
    cinfo.err = &errors.pub;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    installSource(&cinfo, in);
    jpeg_read_header(&cinfo, TRUE);
    readPicture(&cinfo, store);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

void writePicture(j_compress_ptr cinfo, const Bitmap* store, int quality) {
    cinfo->image_width = static_cast<JDIMENSION>(store->getWidth());
    cinfo->image_height = static_cast<JDIMENSION>(store->getHeight());
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = store->getRow(static_cast<int32_t>(cinfo->next_scanline));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
}

bool encodeFrom(const Bitmap* store, int quality, s::io::IOutputStream* out) {
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    installErrors(&errors);
    cinfo.err = &errors.pub;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    installDestination(&cinfo, out);
    writePicture(&cinfo, store, quality);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

Jpeg::Jpeg() : m_store(s::thread::Pool<Bitmap>::obtain()) { resetForReuse(); }

Jpeg::~Jpeg() {
    if (m_store) m_store->releaseToPool();
}

bool Jpeg::create(int32_t width, int32_t height) { return m_store && m_store->create(width, height, 24); }

bool Jpeg::fromBitmapHandle(HBITMAP bitmap) {
    if (!m_store || !m_store->fromBitmapHandle(bitmap)) return false;
    if (m_store->getBitDepth() == 24) return true;
    // Kept at 24 bits whatever the handle's depth: GDI converts in the blit.
    Bitmap* other = s::thread::Pool<Bitmap>::obtain();
    bool ok = other && other->create(m_store->getWidth(), m_store->getHeight(), 24) &&
              m_store->blitTo(other->getBitmapHandle());
    if (ok) {
        GdiFlush();
        m_store->releaseToPool();
        m_store = other;
        return true;
    }
    if (other) other->releaseToPool();
    m_store->resetForReuse();
    return false;
}

bool Jpeg::blitTo(HBITMAP target) const { return m_store && m_store->blitTo(target); }
int32_t Jpeg::getBitDepth() const { return 24; }
int32_t Jpeg::getStride() const { return m_store ? m_store->getStride() : 0; }
uint8_t* Jpeg::getRow(int32_t i) const { return m_store ? m_store->getRow(i) : nullptr; }
uint8_t* Jpeg::getBits() const { return m_store ? m_store->getBits() : nullptr; }
int32_t Jpeg::getWidth() const { return m_store && m_store->getBits() ? m_store->getWidth() : 0; }
int32_t Jpeg::getHeight() const { return m_store && m_store->getBits() ? m_store->getHeight() : 0; }

void Jpeg::setQuality(int32_t quality) { m_quality = quality < 0 ? 0 : quality > 100 ? 100 : quality; }

bool Jpeg::encode(s::io::IOutputStream* out) const {
    if (!out || !m_store || !m_store->getBits()) return false;
    return encodeFrom(m_store, m_quality, out);
}

bool Jpeg::decode(s::io::IInputStream* in) {
    if (!m_store) return false;
    m_store->resetForReuse();
    if (!in) return false;
    if (decodeInto(in, m_store)) return true;
    m_store->resetForReuse();
    return false;
}

BufferedImage* Jpeg::toBufferedImage(int32_t index, BufferedImage* target) const {
    return m_store ? m_store->toBufferedImage(index, target) : nullptr;
}

bool Jpeg::fromImageWithSettings(const BufferedImage* image, int32_t quality, uint8_t red,
                                 uint8_t green, uint8_t blue) {
    setQuality(quality);
    return m_store && m_store->fromImageWithSettings(image, 24, false, red, green, blue);
}

Jpeg* newJpegFromImage(const BufferedImage* image, int32_t quality, uint8_t red, uint8_t green,
                       uint8_t blue) {
    Jpeg* jpeg = s::thread::Pool<Jpeg>::obtain();
    if (jpeg && !jpeg->fromImageWithSettings(image, quality, red, green, blue)) {
        jpeg->releaseToPool();
        return nullptr;
    }
    return jpeg;
}

Jpeg* newJpegFromArchive(s::archive::dll::win::Archive* archive, const wchar_t* type, const wchar_t* name) {
    Jpeg* jpeg = s::thread::Pool<Jpeg>::obtain();
    if (jpeg && !s::image::win::loadFromArchive(jpeg, archive, type, name)) {
        jpeg->releaseToPool();
        return nullptr;
    }
    return jpeg;
}

s::base::IObject* Jpeg::newInstance() const { return s::thread::Pool<Jpeg>::obtain(); }

void Jpeg::releaseToPool() { s::thread::Pool<Jpeg>::release(this); }

void Jpeg::resetForReuse() {
    if (m_store) m_store->resetForReuse();
    m_quality = kDefaultQuality;
}

s::image::IEncodedImage* Jpeg::newFromImage(s::image::win::BufferedImage* image) const {
    s::image::jpg::EncodeSetting* setting = s::thread::Pool<s::image::jpg::EncodeSetting>::obtain();
    if (!setting) return nullptr;
    setting->setQuality(kDefaultQuality);
    s::image::IEncodedImage* made = setting->encodeImage(image);
    setting->releaseToPool();
    return made;
}

}  // namespace s::image::jpg::win
