// s/image/png/win/Png.cpp
//
// No C++ object with a destructor lives between setjmp and the libpng calls; what the error
// path must free (the row pointers) is kept in a context the caller's frame owns. libpng
// swaps red and blue itself (png_set_bgr) on its own copy of each row, so the store is never
// left half-swapped. Short reads and refused writes are libpng errors: no stale buffer.
#include "s/image/png/win/Png.h"

#include <csetjmp>
#include <new>

#include <png.h>

#include "s/image/ImageLimits.h"
#include "s/image/png/EncodeSetting.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/win/BufferedImage.h"
#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"
#include "s/thread/Pool.h"

namespace s::image::png::win {

namespace {

using s::image::bmp::win::Bitmap;
using s::image::win::BufferedImage;

// Errors return silently through the return point; warnings are dropped: the console
// window is not the decoder's to use.
void onError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onWarning(png_structp, png_const_charp) {}

void readData(png_structp png, png_bytep data, png_size_t length) {
    auto* in = static_cast<s::io::IInputStream*>(png_get_io_ptr(png));
    while (length > 0) {
        uint32_t got = 0;
        const uint32_t ask = length > 0x40000000u ? 0x40000000u : static_cast<uint32_t>(length);
        if (!in->read(data, ask, &got) || got == 0) png_error(png, "short read");
        data += got;
        length -= got;
    }
}

void writeData(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<s::io::IOutputStream*>(png_get_io_ptr(png));
    if (!out->write(data, static_cast<uint32_t>(length), nullptr)) png_error(png, "write refused");
}

void flushData(png_structp png) {
    auto* out = static_cast<s::io::IOutputStream*>(png_get_io_ptr(png));
    if (!out->flush()) png_error(png, "flush refused");
}

// Lives in the frame that calls the function holding the return point: what was stored in it
// before libpng jumped back is then read from memory, never from a register or a store the
// optimiser dropped as dead (a file cut after its image lost the picture that way).
struct Context {
    png_bytep* volatile rows = nullptr;
    volatile bool pictureComplete = false;
};

png_bytep* rowPointers(const Bitmap* store) {
    const int32_t height = store->getHeight();
    auto* rows = new (std::nothrow) png_bytep[static_cast<size_t>(height)];
    for (int32_t i = 0; rows && i < height; ++i) rows[i] = store->getRow(i);
    return rows;
}

// Every file as 8-bit B, G, R, A.
void askForBgra(png_structp png, png_infop info) {
    const int type = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    png_set_strip_16(png);
    png_set_packing(png);
    if (type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_RGB || type == PNG_COLOR_TYPE_PALETTE) {
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    }
    if (type == PNG_COLOR_TYPE_GRAY || type == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// After the return point is set; any error longjmps out of here.
void readPicture(png_structp png, png_infop info, Bitmap* store, Context* context) {
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (!s::image::isDecodableSize(width, height)) png_error(png, "too large");
    askForBgra(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) png_error(png, "layout");
    if (!store->create(static_cast<int32_t>(width), static_cast<int32_t>(height), 32)) png_error(png, "memory");
    context->rows = rowPointers(store);
    if (!context->rows) png_error(png, "memory");
    png_read_image(png, context->rows);
    context->pictureComplete = true;
    png_read_end(png, nullptr);
}

__attribute__((noinline)) bool decodeInto(s::io::IInputStream* in, Bitmap* store, Context* context) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        delete[] context->rows;
        return context->pictureComplete;
    }
    png_set_read_fn(png, in, readData);
    readPicture(png, info, store, context);
    png_destroy_read_struct(&png, &info, nullptr);
    delete[] context->rows;
    return true;
}

void writePicture(png_structp png, png_infop info, const Bitmap* store, bool interlace,
                  Context* context) {
    png_set_IHDR(png, info, static_cast<png_uint_32>(store->getWidth()),
                 static_cast<png_uint_32>(store->getHeight()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
                 interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    context->rows = rowPointers(store);
    if (!context->rows) png_error(png, "memory");
    png_write_image(png, context->rows);
    png_write_end(png, nullptr);
}

__attribute__((noinline)) bool encodeFrom(const Bitmap* store, bool interlace, s::io::IOutputStream* out,
                                          Context* context) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        delete[] context->rows;
        return false;
    }
    png_set_write_fn(png, out, writeData, flushData);
    writePicture(png, info, store, interlace, context);
    png_destroy_write_struct(&png, &info);
    delete[] context->rows;
    return true;
}

}  // namespace

Png::Png() : m_store(s::thread::Pool<Bitmap>::obtain()) { resetForReuse(); }

Png::~Png() {
    if (m_store) m_store->releaseToPool();
}

bool Png::create(int32_t width, int32_t height) { return m_store && m_store->create(width, height, 32); }
bool Png::blitTo(HBITMAP target) const { return m_store && m_store->blitTo(target); }
int32_t Png::getStride() const { return m_store ? m_store->getStride() : 0; }
uint8_t* Png::getRow(int32_t i) const { return m_store ? m_store->getRow(i) : nullptr; }
uint8_t* Png::getBits() const { return m_store ? m_store->getBits() : nullptr; }
int32_t Png::getWidth() const { return m_store ? m_store->getWidth() : 0; }
int32_t Png::getHeight() const { return m_store ? m_store->getHeight() : 0; }

bool Png::encode(s::io::IOutputStream* out) const {
    if (!out || !m_store || !m_store->getBits()) return false;
    Context context;
    return encodeFrom(m_store, m_interlace, out, &context);
}

bool Png::decode(s::io::IInputStream* in) {
    if (!m_store) return false;
    m_store->resetForReuse();
    if (!in) return false;
    Context context;
    if (decodeInto(in, m_store, &context)) return true;
    m_store->resetForReuse();
    return false;
}

BufferedImage* Png::toBufferedImage(int32_t index, BufferedImage* target) const {
    return m_store ? m_store->toBufferedImage(index, target) : nullptr;
}

bool Png::fromImageWithSettings(const BufferedImage* image, bool interlace, bool keepTransparency,
                                uint8_t red, uint8_t green, uint8_t blue) {
    m_interlace = interlace;
    return m_store && m_store->fromImageWithSettings(image, 32, keepTransparency, red, green, blue);
}

Png* newPngFromImage(const BufferedImage* image, bool interlace, bool keepTransparency, uint8_t red,
                     uint8_t green, uint8_t blue) {
    Png* png = s::thread::Pool<Png>::obtain();
    if (png && !png->fromImageWithSettings(image, interlace, keepTransparency, red, green, blue)) {
        png->releaseToPool();
        return nullptr;
    }
    return png;
}

s::base::IObject* Png::newInstance() const { return s::thread::Pool<Png>::obtain(); }

void Png::releaseToPool() { s::thread::Pool<Png>::release(this); }

void Png::resetForReuse() {
    if (m_store) m_store->resetForReuse();
    m_interlace = false;
}

s::image::IEncodedImage* Png::newFromImage(s::image::win::BufferedImage* image) const {
    s::image::png::EncodeSetting* setting = s::thread::Pool<s::image::png::EncodeSetting>::obtain();
    if (!setting) return nullptr;
    setting->setKeepTransparency(true);
    setting->setWithInterlace(true);
    s::image::IEncodedImage* made = setting->encodeImage(image);
    setting->releaseToPool();
    return made;
}

}  // namespace s::image::png::win
