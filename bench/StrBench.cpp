// bench/StrBench.cpp
//
// Benchmark of the string buffer and the MD5 digest, each beside a reference measured in the
// same run on the same machine: appends against std::wstring, a 1 MB UTF-8 round trip
// against the plain Win32 conversion calls, and MD5 throughput. Prints figures only; not a
// test. Usage: str_bench [rounds-scale] (default 1).
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "s/col/_array/ArrayU08.h"
#include "s/digest/md5/Md5.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace {

using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;
using bench::g_sink;
using bench::timeIt;

void appends(int scale) {
    const int n = 5000000 * scale;
    const wchar_t piece[] = L"abc";
    StrBuffer* s = s::thread::Pool<StrBuffer>::obtain();
    double ours = timeIt([&] {
        for (int i = 0; i < n; ++i) s->append(piece, 3);
        g_sink = s->length();
    });
    double oursChar = timeIt([&] {
        s->clear();
        for (int i = 0; i < n; ++i) s->appendChar(L'x');
        g_sink = s->length();
    });
    s->releaseToPool();
    std::wstring w;
    double reference = timeIt([&] {
        for (int i = 0; i < n; ++i) w.append(piece, 3);
        g_sink = static_cast<uint32_t>(w.size());
    });
    std::wstring wc;
    double referenceChar = timeIt([&] {
        for (int i = 0; i < n; ++i) wc.push_back(L'x');
        g_sink = static_cast<uint32_t>(wc.size());
    });
    std::printf("appends of 3 units:   StrBuffer %7.1f M/s   std::wstring %7.1f M/s\n", n / ours / 1e6,
                n / reference / 1e6);
    std::printf("appends of 1 unit:    StrBuffer %7.1f M/s   std::wstring %7.1f M/s\n", n / oursChar / 1e6,
                n / referenceChar / 1e6);
}

// 1 MB of UTF-8: ASCII words with two- and three-byte characters between them.
std::string utf8Text() {
    std::string text;
    const char* pieces[] = {"file name ", "\xC3\xA9t\xC3\xA9 ", "\xE2\x82\xAC 42 ", "\xE6\x97\xA5\xE6\x9C\xAC "};
    for (int i = 0; text.size() < (1u << 20); ++i) text += pieces[i % 4];
    text.resize(1u << 20);
    while ((static_cast<uint8_t>(text.back()) & 0xC0) == 0x80 || static_cast<uint8_t>(text.back()) >= 0xC0)
        text.pop_back();  // end on a whole character
    return text;
}

void utf8RoundTrip(int scale) {
    const std::string text = utf8Text();
    const int rounds = 20 * scale;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.data());
    StrBuffer* s = s::thread::Pool<StrBuffer>::obtain();
    ArrayU08* out = s::thread::Pool<ArrayU08>::obtain();
    double ours = timeIt([&] {
        for (int i = 0; i < rounds; ++i) {
            s->setFromUtf8(bytes, false, static_cast<int32_t>(text.size()));
            s->toUtf8(out, false);
        }
    });
    bool same = out->count() == text.size() && std::memcmp(out->data(), text.data(), text.size()) == 0;
    const uint32_t units = s->length();
    s->releaseToPool();
    out->releaseToPool();
    // The plain calls, each into a buffer of the right size made beforehand.
    std::vector<wchar_t> wide(text.size());
    std::vector<char> back(text.size() + 1);
    double reference = timeIt([&] {
        for (int i = 0; i < rounds; ++i) {
            int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                        static_cast<int>(wide.size()));
            g_sink = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, back.data(), static_cast<int>(back.size()),
                                         nullptr, nullptr);
        }
    });
    std::printf("1 MB UTF-8 round trip (%u units): StrBuffer %6.2f ms   Win32 calls %6.2f ms   (%s)\n", units,
                ours / rounds * 1e3, reference / rounds * 1e3, same ? "bytes equal" : "BYTES DIFFER");
}

void md5Throughput(int scale) {
    const uint32_t size = 8u << 20;
    std::vector<uint8_t> data(size);
    uint32_t x = 12345;
    for (uint8_t& b : data) b = static_cast<uint8_t>((x = x * 1103515245u + 12345u) >> 16);
    const int rounds = 4 * scale;
    s::digest::md5::Md5* md5 = s::thread::Pool<s::digest::md5::Md5>::obtain();
    double t = timeIt([&] {
        for (int i = 0; i < rounds; ++i) {
            md5->update(data.data(), size);
            md5->finish(nullptr);
        }
    });
    StrBuffer* hex = md5->resultHex(nullptr, false);
    std::printf("MD5 of %u MB: %7.1f MB/s   digest %ls\n", size >> 20, rounds * (size >> 20) / t, hex->cString());
    hex->releaseToPool();
    md5->releaseToPool();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int scale = argc > 1 ? _wtoi(argv[1]) : 1;
    if (scale < 1) scale = 1;
    appends(scale);
    utf8RoundTrip(scale);
    md5Throughput(scale);
    return 0;
}
