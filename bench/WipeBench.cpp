// bench/WipeBench.cpp
//
// Wipes a file of a given size with each overwrite method through the whole engine and
// reports MB/s per pass, apart for the fixed-pattern and the random passes, with where the
// time goes: WriteFile, FlushFileBuffers, and the rest (filling the buffer). The passes are
// timed through the overwrite seam, which passes every call on to the system. Run by
// bench/wipe-bench.sh, which measures dd and shred on the same disk in the same run.
//
//   wipe_bench SIZE_MIB FOLDER     (FOLDER must exist; the files made there are wiped)
//
// Each result line: "RESULT <method> <fixed|random|all> <MB/s>".
#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "s/file/wiper/win/Method_DoD.h"
#include "s/file/wiper/win/Method_DoD_E.h"
#include "s/file/wiper/win/Method_Gutmann.h"
#include "s/file/wiper/win/Method_Pseudorandom.h"
#include "s/file/wiper/win/OverwriteIo.h"
#include "s/file/wiper/win/Wiper.h"
#include "s/thread/Pool.h"

namespace {

using namespace s::file::wiper::win;

// Times of one pass, from its seek to the next pass's seek (or the end).
struct PassTimes {
    double start = 0, end = 0, writing = 0, flushing = 0;
    uint64_t bytes = 0;
};

std::vector<PassTimes> g_passes;

bool timedSeek(HANDLE file, int64_t offset) {
    double now = bench::seconds();
    if (!g_passes.empty()) g_passes.back().end = now;
    g_passes.push_back(PassTimes());
    g_passes.back().start = now;
    return OverwriteIo::platform().seek(file, offset);
}

bool timedWrite(HANDLE file, const void* bytes, uint32_t length, uint32_t* written) {
    double start = bench::seconds();
    bool ok = OverwriteIo::platform().write(file, bytes, length, written);
    g_passes.back().writing += bench::seconds() - start;
    g_passes.back().bytes += *written;
    return ok;
}

bool timedFlush(HANDLE file) {
    double start = bench::seconds();
    bool ok = OverwriteIo::platform().flush(file);
    double now = bench::seconds();
    g_passes.back().flushing += now - start;
    g_passes.back().end = now;
    return ok;
}

const OverwriteIo kTimedIo = {&timedSeek, &timedWrite, &timedFlush};

struct MethodCase {
    const wchar_t* name;
    s::file::wiper::IMethod* (*make)();
    bool (*isRandomPass)(int pass);  // pass from 1
};

template <class M>
s::file::wiper::IMethod* make() { return s::thread::Pool<M>::obtain(); }

const MethodCase kMethods[] = {
    {L"gutmann", &make<Method_Gutmann>, [](int p) { return p <= 4 || p >= 32; }},
    {L"dod", &make<Method_DoD>, [](int p) { return p == 3 || p == 7; }},
    {L"dod-e", &make<Method_DoD_E>, [](int p) { return p == 3; }},
    {L"random", &make<Method_Pseudorandom>, [](int) { return true; }},
};

bool makeFile(const wchar_t* path, uint64_t size) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::vector<char> chunk(1 << 20, 'd');
    bool ok = true;
    for (uint64_t left = size; ok && left; left -= chunk.size()) {
        DWORD written = 0;
        ok = WriteFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &written, nullptr) && written == chunk.size();
    }
    ok = ok && FlushFileBuffers(file);
    CloseHandle(file);
    return ok;
}

struct Sum {
    double seconds = 0, writing = 0, flushing = 0;
    uint64_t bytes = 0;
    int passes = 0;
    void add(const PassTimes& p) {
        seconds += p.end - p.start;
        writing += p.writing;
        flushing += p.flushing;
        bytes += p.bytes;
        ++passes;
    }
    double megabytesPerSecond() const { return seconds > 0 ? bytes / 1048576.0 / seconds : 0; }
};

void report(const wchar_t* method, const wchar_t* kind, const Sum& sum) {
    if (!sum.passes) return;
    double rest = sum.seconds - sum.writing - sum.flushing;
    std::wprintf(L"  %-6ls %2d passes  %8.1f MB/s per pass   write %4.1f%%  flush %4.1f%%  fill %4.1f%%\n", kind,
                 sum.passes, sum.megabytesPerSecond(), 100 * sum.writing / sum.seconds,
                 100 * sum.flushing / sum.seconds, 100 * rest / sum.seconds);
    std::wprintf(L"RESULT %ls %ls %.1f\n", method, kind, sum.megabytesPerSecond());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 || !std::iswdigit(argv[1][0])) {
        std::fwprintf(stderr, L"usage: wipe_bench SIZE_MIB FOLDER\n");
        return 2;
    }
    const uint64_t size = static_cast<uint64_t>(_wtoi(argv[1])) << 20;
    Wiper* wiper = s::thread::Pool<Wiper>::obtain();
    for (const MethodCase& m : kMethods) {
        std::wstring path = std::wstring(argv[2]) + L"\\bench-" + m.name + L".bin";
        if (!makeFile(path.c_str(), size)) {
            std::fwprintf(stderr, L"wipe_bench: cannot make %ls\n", path.c_str());
            return 1;
        }
        wiper->reset();
        if (!wiper->prepare()) return 1;
        wiper->setMethod(m.make());
        wiper->addPath(path.c_str());
        g_passes.clear();
        const OverwriteIo* before = OverwriteIo::install(&kTimedIo);
        double total = bench::timeIt([&] {
            if (!wiper->start()) return;
            while (wiper->isRunning()) Sleep(5);
        });
        OverwriteIo::install(before);
        Sum fixed, random, all;
        for (size_t p = 0; p < g_passes.size(); ++p) {
            (m.isRandomPass(static_cast<int>(p + 1)) ? random : fixed).add(g_passes[p]);
            all.add(g_passes[p]);
        }
        std::wprintf(L"%ls: %u MiB, %zu passes, %.2f s in all (overwrite, cuts, renames, delete)\n", m.name,
                     static_cast<unsigned>(size >> 20), g_passes.size(), total);
        report(m.name, L"fixed", fixed);
        report(m.name, L"random", random);
        report(m.name, L"all", all);
    }
    wiper->releaseToPool();
    return 0;
}
