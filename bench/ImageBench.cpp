// bench/ImageBench.cpp
//
// The image library's console tool.
// - "image_bench convert IN OUT" decodes IN (BMP, GIF, JPEG, PNG or ICO, known by its first
//   bytes) and writes the format named by OUT's extension through that format's default
//   settings (.bmp: 32 bits when the picture has alpha, else 24; .gif: every frame of an
//   animation; .bgra: the decoded pixels themselves), never over an existing file.
// - "image_bench frames IN.gif DIR" writes each decoded GIF frame to DIR as frame-N.bgra (its
//   own pixels, B, G, R, A, rows from the top, transparent index as alpha 0) and set-N.bgra
//   (the frame as the image set holds it), and DIR\frames.txt, one line per frame: width
//   height left top delay disposal transparent-index, then the set's size and loop count.
// - "image_bench made DEPTH OUT.gif" writes a 7 x 5 GIF made by create at that colour depth and
//   filled with a known pattern (see made below), for the host's tools to read.
// - Without arguments (or with a folder, where the GIF pictures are written for the host's
//   tools) it times BMP decode and encode, quantizing to 256 colours and blending on a
//   24-megapixel picture, GIF decode and encode of a 2-megapixel 256-colour picture and of a
//   50-frame animation, and the triangle-filter rescale of the 24-megapixel picture to a
//   quarter and to twice its size, and prints MP/s (bench/image-bench.sh puts the host tools'
//   figures beside them). Not a test.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "s/col/_array/ArrayU08.h"
#include "s/image/IEncodedImage.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/filters/reduction/Quantizer.h"
#include "s/image/filters/scale/ScaleImage.h"
#include "s/image/gif/win/Gif.h"
#include "s/image/ico/win/IconImage.h"
#include "s/image/jpg/win/Jpeg.h"
#include "s/image/png/win/Png.h"
#include "s/image/win/BufferedImage.h"
#include "s/image/win/BufferedImageSet.h"
#include "s/thread/Pool.h"

namespace {

using s::col::_array::ArrayU08;
using s::image::IEncodedImage;
using s::image::bmp::win::Bitmap;
using s::image::gif::win::Gif;
using s::image::win::BufferedImageSet;
using s::image::filters::reduction::Quantizer;
using s::image::win::BufferedImage;
using bench::bestOfThree;
using bench::g_sink;

constexpr int32_t kWidth = 6000, kHeight = 4000;

bool readFile(const wchar_t* path, ArrayU08* into) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::vector<uint8_t> chunk(1 << 20);
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) != 0) && got) {
        into->append(chunk.data(), got, 0);
    }
    CloseHandle(file);
    into->seekStart();
    return ok;
}

bool writeFile(const wchar_t* path, ArrayU08* bytes) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    const bool ok = WriteFile(file, bytes->data(), bytes->count(), &put, nullptr) && put == bytes->count();
    CloseHandle(file);
    return ok;
}

bool endsWith(const wchar_t* text, const wchar_t* tail) {
    const size_t n = wcslen(text), m = wcslen(tail);
    return n >= m && _wcsicmp(text + n - m, tail) == 0;
}

// A decoder for the file's first bytes; null for none of ours.
IEncodedImage* codecFor(const uint8_t* b, uint32_t n) {
    if (n >= 2 && b[0] == 'B' && b[1] == 'M') return s::thread::Pool<Bitmap>::obtain();
    if (n >= 3 && b[0] == 'G' && b[1] == 'I' && b[2] == 'F') return s::thread::Pool<Gif>::obtain();
    if (n >= 2 && b[0] == 0xFF && b[1] == 0xD8) return s::thread::Pool<s::image::jpg::win::Jpeg>::obtain();
    if (n >= 4 && b[0] == 0x89 && b[1] == 'P' && b[2] == 'N' && b[3] == 'G') {
        return s::thread::Pool<s::image::png::win::Png>::obtain();
    }
    if (n >= 4 && b[0] == 0 && b[1] == 0 && b[2] == 1 && b[3] == 0) {
        return s::thread::Pool<s::image::ico::win::IconImage>::obtain();
    }
    return nullptr;
}

// The codec for OUT's extension, made from the decoded pictures; null for none.
IEncodedImage* encoderFor(const wchar_t* out, BufferedImageSet* set) {
    BufferedImage* best = set->getBestImage();
    if (!best) return nullptr;
    if (endsWith(out, L".bmp")) {
        return s::image::bmp::win::newBitmapFromImage(best, best->hasAlpha() ? 32 : 24, true, 255, 255, 255);
    }
    IEncodedImage* format = nullptr;
    if (endsWith(out, L".gif")) format = s::thread::Pool<Gif>::obtain();
    if (endsWith(out, L".jpg")) format = s::thread::Pool<s::image::jpg::win::Jpeg>::obtain();
    if (endsWith(out, L".png")) format = s::thread::Pool<s::image::png::win::Png>::obtain();
    if (!format) return nullptr;
    IEncodedImage* made = format->newFromImageSet(set);
    format->releaseToPool();
    return made;
}

// The decoded file (the caller releases it); null with a message when it is none of ours.
IEncodedImage* decodeFile(const wchar_t* in, ArrayU08* source) {
    if (!readFile(in, source)) {
        fwprintf(stderr, L"image_bench: cannot read %ls\n", in);
        return nullptr;
    }
    IEncodedImage* decoder = codecFor(source->data(), source->count());
    if (!decoder || !decoder->decode(source)) {
        fwprintf(stderr, L"image_bench: %ls is no picture this program reads\n", in);
        if (decoder) decoder->releaseToPool();
        return nullptr;
    }
    return decoder;
}

bool writePixels(const wchar_t* path, const BufferedImage* image);

// The decoded picture's own B, G, R, A bytes, rows from the top (alpha 255 throughout when the
// picture has no alpha flag): what a host tool's reading is compared with.
int rawPixels(const wchar_t* in, const wchar_t* out) {
    ArrayU08* source = s::thread::Pool<ArrayU08>::obtain();
    IEncodedImage* decoder = decodeFile(in, source);
    BufferedImage* image = decoder ? decoder->toBufferedImage(0, nullptr) : nullptr;
    if (image && !image->hasAlpha()) image->makeOpaque();
    const bool ok = image && writePixels(out, image);
    if (decoder && !ok) fwprintf(stderr, L"image_bench: cannot write %ls (it may exist)\n", out);
    if (image) image->releaseToPool();
    if (decoder) decoder->releaseToPool();
    source->releaseToPool();
    return ok ? 0 : 1;
}

int convert(const wchar_t* in, const wchar_t* out) {
    if (endsWith(out, L".bgra")) return rawPixels(in, out);
    ArrayU08* source = s::thread::Pool<ArrayU08>::obtain();
    ArrayU08* target = s::thread::Pool<ArrayU08>::obtain();
    IEncodedImage* decoder = decodeFile(in, source);
    BufferedImageSet* set = decoder ? decoder->toImageSet() : nullptr;
    IEncodedImage* encoder = set ? encoderFor(out, set) : nullptr;
    int rc = 1;
    if (decoder && !encoder) {
        fwprintf(stderr, L"image_bench: cannot make %ls (.bmp, .gif, .jpg or .png)\n", out);
    } else if (encoder && (!encoder->encode(target) || !writeFile(out, target))) {
        fwprintf(stderr, L"image_bench: cannot write %ls (it may exist)\n", out);
    } else if (encoder) {
        rc = 0;
    }
    if (encoder) encoder->releaseToPool();
    if (set) set->releaseToPool();
    if (decoder) decoder->releaseToPool();
    target->releaseToPool();
    source->releaseToPool();
    return rc;
}

bool writePixels(const wchar_t* path, const BufferedImage* image) {
    ArrayU08* bytes = s::thread::Pool<ArrayU08>::obtain();
    for (int32_t i = 0; i < image->getHeight(); ++i) bytes->append(image->getRow(i), image->getRowBytes(), 0);
    const bool ok = writeFile(path, bytes);
    bytes->releaseToPool();
    return ok;
}

// Index x of a row of 1, 4 or 8 bits a pixel, the first pixel in the high bits of its byte.
void putIndex(uint8_t* row, int32_t x, int32_t bits, uint32_t index) {
    const int32_t perByte = 8 / bits, shift = 8 - bits * (x % perByte + 1);
    const uint8_t mask = static_cast<uint8_t>(((1 << bits) - 1) << shift);
    row[x / perByte] = static_cast<uint8_t>((row[x / perByte] & ~mask) | ((index << shift) & mask));
}

// A GIF made empty by create at a colour depth and filled with a known pattern: colour k of
// the frame's table is (37k, 255 - 16k, 5k) mod 256, pixel (x, y) of the 7 x 5 frame takes
// index (x + 2y) mod the table's size. What a host tool reads of it is compared with that.
int made(const wchar_t* depthText, const wchar_t* out) {
    const int32_t depth = static_cast<int32_t>(wcstol(depthText, nullptr, 10));
    Gif* gif = s::thread::Pool<Gif>::obtain();
    ArrayU08* bytes = s::thread::Pool<ArrayU08>::obtain();
    bool ok = gif->create(7, 5, depth);
    Bitmap* frame = ok ? const_cast<Bitmap*>(gif->frame(0)) : nullptr;
    const int32_t bits = frame ? frame->getBitDepth() : 0, entries = 1 << bits;
    for (int32_t k = 0; frame && k < entries; ++k) {
        frame->getPalette()[k] = RGBQUAD{static_cast<BYTE>(5 * k), static_cast<BYTE>(255 - 16 * k),
                                         static_cast<BYTE>(37 * k), 0};
    }
    for (int32_t y = 0; frame && y < 5; ++y) {
        for (int32_t x = 0; x < 7; ++x) putIndex(frame->getRow(y), x, bits, (x + 2 * y) % entries);
    }
    ok = ok && gif->encode(bytes) && writeFile(out, bytes);
    if (!ok) fwprintf(stderr, L"image_bench: cannot make or write a GIF of depth %ls at %ls\n", depthText, out);
    bytes->releaseToPool();
    gif->releaseToPool();
    return ok ? 0 : 1;
}

int frames(const wchar_t* in, const wchar_t* dir) {
    ArrayU08* source = s::thread::Pool<ArrayU08>::obtain();
    IEncodedImage* decoder = decodeFile(in, source);
    source->releaseToPool();
    Gif* gif = decoder && wcscmp(decoder->getExtension(), L".gif") == 0 ? static_cast<Gif*>(decoder) : nullptr;
    if (!gif) {
        if (decoder) decoder->releaseToPool();
        return 1;
    }
    BufferedImageSet* set = gif->toImageSet();
    wchar_t path[MAX_PATH];
    std::string text;
    bool ok = set != nullptr;
    for (int32_t i = 0; ok && i < gif->getImageCount(); ++i) {
        BufferedImage* frame = gif->toBufferedImage(i, nullptr);
        swprintf(path, MAX_PATH, L"%ls\\frame-%d.bgra", dir, i);
        ok = frame && writePixels(path, frame);
        swprintf(path, MAX_PATH, L"%ls\\set-%d.bgra", dir, i);
        ok = ok && writePixels(path, set->getImage(i));
        char line[160];
        std::snprintf(line, sizeof line, "%d %d %d %d %d %d %d\n", frame ? frame->getWidth() : 0,
                      frame ? frame->getHeight() : 0, gif->frameLeft(i), gif->frameTop(i), gif->delay(i),
                      gif->disposal(i), gif->transparentIndex(i));
        text += line;
        if (frame) frame->releaseToPool();
    }
    if (ok) {
        char line[80];
        std::snprintf(line, sizeof line, "set %d %d loop %u\n", set->getWidth(), set->getHeight(), gif->loopCount());
        text += line;
        ArrayU08* bytes = s::thread::Pool<ArrayU08>::obtain();
        bytes->append(text.data(), static_cast<uint32_t>(text.size()), 0);
        swprintf(path, MAX_PATH, L"%ls\\frames.txt", dir);
        ok = writeFile(path, bytes);
        bytes->releaseToPool();
    }
    if (set) set->releaseToPool();
    gif->releaseToPool();
    return ok ? 0 : 1;
}

// A gradient with noise of about +-25 a channel (as image-bench.sh makes ImageMagick's picture):
// many distinct colours, as photographs have; alpha varies when asked.
BufferedImage* testPicture(bool alpha) {
    BufferedImage* image = s::image::win::newBufferedImage(kWidth, kHeight);
    uint32_t seed = 1;
    auto noisy = [&seed](int32_t v) {
        seed = seed * 1103515245u + 12345u;
        const int32_t n = v + static_cast<int32_t>(seed >> 16) % 51 - 25;
        return static_cast<uint32_t>(n < 0 ? 0 : (n > 255 ? 255 : n));
    };
    for (int32_t i = 0; i < image->getHeight(); ++i) {
        uint32_t* row = image->getRow(i);
        for (int32_t j = 0; j < image->getWidth(); ++j) {
            const int32_t t = j * 255 / kWidth;
            const uint32_t r = noisy(255 - t), g = noisy(0), b = noisy(t);
            const uint32_t a = alpha ? (j * 7 + i) & 0xFF : 255;
            row[j] = a << 24 | r << 16 | g << 8 | b;
        }
    }
    image->setHasAlpha(alpha);
    return image;
}

void report(const char* what, double secs, double megapixels = kWidth * static_cast<double>(kHeight) / 1e6) {
    std::printf("%-14s %8.1f MP/s\n", what, megapixels / secs);
}

constexpr int32_t kStillWidth = 2000, kStillHeight = 1000;  // 2 megapixels
constexpr int32_t kFrameWidth = 400, kFrameHeight = 250, kFrames = 50;

// A 256-colour picture as an 8-bit frame: soft diagonal bands with a little noise, shifted
// by `phase`, so the coder meets both runs and scatter, as in a dithered photograph.
Bitmap* palettePicture(int32_t width, int32_t height, int32_t phase) {
    Bitmap* frame = s::thread::Pool<Bitmap>::obtain();
    if (!frame || !frame->create(width, height, 8)) return frame;
    RGBQUAD* palette = frame->getPalette();
    for (int32_t k = 0; k < 256; ++k) {
        palette[k] = RGBQUAD{static_cast<BYTE>(k), static_cast<BYTE>(255 - k), static_cast<BYTE>(k * 7), 0};
    }
    uint32_t seed = 7u + static_cast<uint32_t>(phase);
    for (int32_t i = 0; i < height; ++i) {
        uint8_t* row = frame->getRow(i);
        for (int32_t j = 0; j < width; ++j) {
            seed = seed * 1103515245u + 12345u;
            row[j] = static_cast<uint8_t>((j + i + phase) / 5 + (seed >> 29));
        }
    }
    return frame;
}

bool writeNamed(const wchar_t* dir, const wchar_t* name, ArrayU08* bytes) {
    if (!dir) return true;
    wchar_t path[MAX_PATH];
    swprintf(path, MAX_PATH, L"%ls\\%ls", dir, name);
    return writeFile(path, bytes);
}

// Encode and decode of one Gif, its file written to dir (when given) as name.
bool timeGif(const char* what, Gif* gif, double megapixels, const wchar_t* dir, const wchar_t* name) {
    ArrayU08* file = s::thread::Pool<ArrayU08>::obtain();
    Gif* back = s::thread::Pool<Gif>::obtain();
    bool ok = true;
    const double encode = bestOfThree([&] {
        file->resetForReuse();
        ok = gif->encode(file) && ok;
        g_sink = file->count();
    });
    const double decode = bestOfThree([&] {
        file->seekStart();
        ok = back->decode(file) && back->getImageCount() == gif->getImageCount() && ok;
    });
    char label[40];
    std::snprintf(label, sizeof label, "%s-encode", what);
    report(label, encode, megapixels);
    std::snprintf(label, sizeof label, "%s-decode", what);
    report(label, decode, megapixels);
    ok = writeNamed(dir, name, file) && ok;
    back->releaseToPool();
    file->releaseToPool();
    return ok;
}

bool gifTimings(const wchar_t* dir) {
    Gif* still = s::thread::Pool<Gif>::obtain();
    Gif* animation = s::thread::Pool<Gif>::obtain();
    bool ok = still->appendFrame(palettePicture(kStillWidth, kStillHeight, 0), -1, 0, 0);
    for (int32_t k = 0; ok && k < kFrames; ++k) {
        ok = animation->appendFrame(palettePicture(kFrameWidth, kFrameHeight, k * 3), -1, 40, 1);
    }
    animation->setLoopCount(0);
    ok = ok && timeGif("gif", still, kStillWidth * kStillHeight / 1e6, dir, L"still.gif");
    ok = ok && timeGif("anim", animation, kFrames * kFrameWidth * kFrameHeight / 1e6, dir, L"anim.gif");
    animation->releaseToPool();
    still->releaseToPool();
    return ok;
}

// The 24-megapixel picture to a quarter and to twice each side; MP/s of the source.
bool scaleTimings(const BufferedImage* picture) {
    BufferedImage* target = s::thread::Pool<BufferedImage>::obtain();
    bool ok = true;
    const struct {
        const char* what;
        int32_t width, height;
    } sizes[] = {{"scale-quarter", kWidth / 4, kHeight / 4}, {"scale-twice", kWidth * 2, kHeight * 2}};
    for (const auto& size : sizes) {
        report(size.what, bestOfThree([&] {
            ok = s::image::filters::scale::scaleImage(kWidth, kHeight, picture, size.width, size.height, target) && ok;
        }));
        target->resetForReuse();  // the twice-size store needs the room
    }
    target->releaseToPool();
    return ok;
}

int timings(const wchar_t* dir) {
    BufferedImage* picture = testPicture(false);
    BufferedImage* over = testPicture(true);
    ArrayU08* file = s::thread::Pool<ArrayU08>::obtain();
    Bitmap* bitmap = s::thread::Pool<Bitmap>::obtain();
    if (picture->getWidth() != kWidth || over->getWidth() != kWidth) {
        std::printf("image_bench: no room for two 24-megapixel pictures\n");
        return 1;
    }
    report("encode", bestOfThree([&] {
        file->resetForReuse();
        picture->saveBmp(file, 24, true, 255, 255, 255);
        g_sink = file->count();
    }));
    BufferedImage* decoded = s::image::win::newBufferedImage(1, 1);
    report("decode", bestOfThree([&] {
        file->seekStart();
        bitmap->decode(file);
        bitmap->toBufferedImage(0, decoded);
        g_sink = decoded->getRow(0)[0];
    }));
    Quantizer* quantizer = s::thread::Pool<Quantizer>::obtain();
    std::vector<uint8_t> indices(kWidth);
    report("quantize", bestOfThree([&] {
        quantizer->buildOctree(picture, 256);
        for (int32_t i = 0; i < kHeight; ++i) quantizer->mapToPalette(picture->getRow(i), kWidth, indices.data(), 8);
        g_sink = indices[0];
    }));
    // the two halves of it apart: where the time goes
    report("quantize-tree", bestOfThree([&] { quantizer->buildOctree(picture, 256); }));
    report("quantize-map", bestOfThree([&] {
        for (int32_t i = 0; i < kHeight; ++i) quantizer->mapToPalette(picture->getRow(i), kWidth, indices.data(), 8);
        g_sink = indices[0];
    }));
    report("blend", bestOfThree([&] {
        decoded->drawImage(0, 0, over, 0, 0);
        g_sink = decoded->getRow(0)[0];
    }));
    quantizer->releaseToPool();
    decoded->releaseToPool();
    bitmap->releaseToPool();
    file->releaseToPool();
    over->releaseToPool();
    bool ok = gifTimings(dir);
    ok = scaleTimings(picture) && ok;
    picture->releaseToPool();
    if (!ok) std::printf("image_bench: a GIF or rescale step failed\n");
    return ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && wcscmp(argv[1], L"convert") == 0) return convert(argv[2], argv[3]);
    if (argc == 4 && wcscmp(argv[1], L"frames") == 0) return frames(argv[2], argv[3]);
    if (argc == 4 && wcscmp(argv[1], L"made") == 0) return made(argv[2], argv[3]);
    if (argc <= 2) return timings(argc == 2 ? argv[1] : nullptr);
    fwprintf(stderr, L"usage: image_bench [convert IN OUT | frames IN.gif DIR | made DEPTH OUT.gif | GIF-FOLDER]\n");
    return 2;
}
