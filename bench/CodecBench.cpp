// bench/CodecBench.cpp
//
// Benchmark of the JPEG and PNG codecs on a 24-megapixel photo-like picture made in memory
// (smooth shading with fine noise): JPEG encode at quality 90 and decode, PNG encode and
// decode, in megapixels per second, best of three. With a path it also writes the picture
// there as PPM, for bench/codec-bench.sh to time the host's tools on the same pixels. Prints
// figures only; not a test. Usage: codec_bench [PPM-PATH]
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>

#include "bench/Timing.h"
#include "s/col/_array/ArrayU08.h"
#include "s/image/jpg/win/Jpeg.h"
#include "s/image/png/win/Png.h"
#include "s/thread/Pool.h"

namespace {

using s::col::_array::ArrayU08;
using s::image::jpg::win::Jpeg;
using s::image::png::win::Png;

constexpr int32_t kWidth = 6000, kHeight = 4000;

uint8_t noise(uint32_t x, uint32_t y) {
    uint32_t h = x * 374761393u + y * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<uint8_t>((h >> 24) & 15);
}

// B, G, R of the picture at (x, y), the same for both stores.
void shade(int32_t x, int32_t y, uint8_t* bgr) {
    bgr[0] = static_cast<uint8_t>((x * 200 / kWidth + noise(x, y)) & 0xFF);
    bgr[1] = static_cast<uint8_t>((y * 180 / kHeight + 40 + noise(y, x)) & 0xFF);
    bgr[2] = static_cast<uint8_t>(((x + y) * 120 / (kWidth + kHeight) + 100 + noise(x ^ y, y)) & 0xFF);
}

bool writePpm(const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char head[64];
    const int n = std::snprintf(head, sizeof head, "P6\n%d %d\n255\n", kWidth, kHeight);
    DWORD done = 0;
    bool ok = WriteFile(file, head, n, &done, nullptr) != 0;
    static uint8_t row[kWidth * 3];
    for (int32_t y = 0; ok && y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            uint8_t bgr[3];
            shade(x, y, bgr);
            row[3 * x] = bgr[2];
            row[3 * x + 1] = bgr[1];
            row[3 * x + 2] = bgr[0];
        }
        ok = WriteFile(file, row, sizeof row, &done, nullptr) != 0;
    }
    CloseHandle(file);
    return ok;
}

void report(const char* what, double seconds, uint32_t bytes) {
    const double megapixels = static_cast<double>(kWidth) * kHeight / 1e6;
    std::printf("%-12s %8.1f MP/s  %8.3f s  %10u bytes\n", what, megapixels / seconds, seconds, bytes);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && !writePpm(argv[1])) {
        std::fprintf(stderr, "codec_bench: cannot write %ls\n", argv[1]);
        return 1;
    }
    Jpeg* jpeg = s::thread::Pool<Jpeg>::obtain();
    Png* png = s::thread::Pool<Png>::obtain();
    ArrayU08* jpegBytes = s::thread::Pool<ArrayU08>::obtain();
    ArrayU08* pngBytes = s::thread::Pool<ArrayU08>::obtain();
    if (!jpeg || !png || !jpegBytes || !pngBytes || !jpeg->create(kWidth, kHeight) || !png->create(kWidth, kHeight)) {
        std::fprintf(stderr, "codec_bench: no room for a %dx%d picture\n", kWidth, kHeight);
        return 1;
    }
    for (int32_t y = 0; y < kHeight; ++y) {
        uint8_t* j = jpeg->getRow(y);
        uint8_t* p = png->getRow(y);
        for (int32_t x = 0; x < kWidth; ++x) {
            shade(x, y, j + 3 * x);
            shade(x, y, p + 4 * x);
            p[4 * x + 3] = 255;
        }
    }
    std::printf("codec_bench: %dx%d (%.1f MP)\n", kWidth, kHeight, kWidth * kHeight / 1e6);
    jpeg->setQuality(90);
    bool ok = true;
    // Each time is taken before the byte count is read: the two arguments of one call may be
    // evaluated in either order (the count came out 0 that way).
    double took = bench::bestOfThree([&] {
        jpegBytes->setCount(0);
        jpegBytes->seekStart();
        ok = jpeg->encode(jpegBytes) && ok;
    });
    report("jpeg encode", took, jpegBytes->count());
    took = bench::bestOfThree([&] {
        jpegBytes->seekStart();
        ok = jpeg->decode(jpegBytes) && ok;
    });
    report("jpeg decode", took, jpegBytes->count());
    took = bench::bestOfThree([&] {
        pngBytes->setCount(0);
        pngBytes->seekStart();
        ok = png->encode(pngBytes) && ok;
    });
    report("png encode", took, pngBytes->count());
    took = bench::bestOfThree([&] {
        pngBytes->seekStart();
        ok = png->decode(pngBytes) && ok;
    });
    report("png decode", took, pngBytes->count());
    jpeg->releaseToPool();
    png->releaseToPool();
    jpegBytes->releaseToPool();
    pngBytes->releaseToPool();
    if (!ok) std::fprintf(stderr, "codec_bench: a codec failed\n");
    return ok ? 0 : 1;
}
