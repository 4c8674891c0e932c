// bench/ImageBench.cpp
//
// The image library's console tool. "image_bench convert IN OUT" decodes IN and writes the
// format named by OUT's extension (.bmp: 32 bits when the picture has alpha, else 24), never
// over an existing file. Without arguments it times, on a 24-megapixel picture, BMP decode and
// encode, quantizing to 256 colours and blending one picture over another, and prints MP/s
// (bench/image-bench.sh puts ImageMagick's figures beside them). Not a test.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "bench/Timing.h"
#include "s/col/_array/ArrayU08.h"
#include "s/image/bmp/win/Bitmap.h"
#include "s/image/filters/reduction/Quantizer.h"
#include "s/image/win/BufferedImage.h"
#include "s/thread/Pool.h"

namespace {

using s::col::_array::ArrayU08;
using s::image::bmp::win::Bitmap;
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

int convert(const wchar_t* in, const wchar_t* out) {
    if (!endsWith(out, L".bmp")) {
        fwprintf(stderr, L"image_bench: cannot write %ls (only .bmp)\n", out);
        return 2;
    }
    ArrayU08* source = s::thread::Pool<ArrayU08>::obtain();
    ArrayU08* target = s::thread::Pool<ArrayU08>::obtain();
    Bitmap* bitmap = s::thread::Pool<Bitmap>::obtain();
    BufferedImage* image = nullptr;
    int rc = 1;
    if (!readFile(in, source)) {
        fwprintf(stderr, L"image_bench: cannot read %ls\n", in);
    } else if (!bitmap->decode(source) || !(image = bitmap->toBufferedImage(0, nullptr))) {
        fwprintf(stderr, L"image_bench: %ls is no picture this program reads\n", in);
    } else if (!image->saveBmp(target, image->hasAlpha() ? 32 : 24, true, 255, 255, 255) ||
               !writeFile(out, target)) {
        fwprintf(stderr, L"image_bench: cannot write %ls (it may exist)\n", out);
    } else {
        rc = 0;
    }
    if (image) image->releaseToPool();
    bitmap->releaseToPool();
    target->releaseToPool();
    source->releaseToPool();
    return rc;
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

void report(const char* what, double secs) {
    std::printf("%-10s %8.1f MP/s\n", what, kWidth * static_cast<double>(kHeight) / 1e6 / secs);
}

int timings() {
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
    report("blend", bestOfThree([&] {
        decoded->drawImage(0, 0, over, 0, 0);
        g_sink = decoded->getRow(0)[0];
    }));
    quantizer->releaseToPool();
    decoded->releaseToPool();
    bitmap->releaseToPool();
    file->releaseToPool();
    over->releaseToPool();
    picture->releaseToPool();
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && wcscmp(argv[1], L"convert") == 0) return convert(argv[2], argv[3]);
    if (argc == 1) return timings();
    fwprintf(stderr, L"usage: image_bench [convert IN OUT]\n");
    return 2;
}
