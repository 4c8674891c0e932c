// demo/CoreDemo.cpp
//
// Console driver of the class library built so far. Several threads take objects from
// their class pools, use them and give them back; each of them also formats numbers into
// pooled strings, sorts them stably, streams them as UTF-8 into a byte array and hashes it
// with MD5. Then each object's class id is printed with what the pools and threads did.
// Not part of the product's window.
#include <windows.h>

#include <cwchar>

#include "s/base/IObject.h"
#include "s/col/_array/ArrayP.h"
#include "s/col/_array/ArrayU08.h"
#include "s/col/_array/MergeSort.h"
#include "s/comp/CompS32.h"
#include "s/io/StreamCopy.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/IPoolable.h"
#include "s/thread/ObjLocker.h"
#include "s/thread/Pool.h"

namespace {

using s::col::_array::ArrayP;
using s::col::_array::ArrayU08;
using s::str::strbuffer::StrBuffer;

class Sample : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    int uses = 0;
    void releaseToPool() override { s::thread::Pool<Sample>::release(this); }
    void resetForReuse() override { uses = 0; }
    const wchar_t* classId() const override { return L"demo_Sample"; }
    s::base::IObject* newInstance() const override { return s::thread::Pool<Sample>::obtain(); }
};

constexpr int kThreads = 4;
constexpr int kRounds = 10000;
constexpr int kNumbers = 1000;

struct Work {
    int seed;
    wchar_t first[32];
    wchar_t last[32];
    wchar_t digest[33];
    unsigned bytes;
};

int byText(const void* a, const void* b, void*) {
    return s::str::strbuffer::compareStrBuffersIgnoreCase(static_cast<const StrBuffer*>(a),
                                                          static_cast<const StrBuffer*>(b));
}

// Formats, sorts, streams and hashes kNumbers numbers; the owning list gives its strings
// back to their pool when it is released.
void sortFormatHashStream(Work& work) {
    ArrayP* list = s::thread::Pool<ArrayP>::obtain();
    list->setElementDestructor(&s::thread::Pool<StrBuffer>::pooler());
    unsigned x = static_cast<unsigned>(work.seed);
    for (int i = 0; i < kNumbers; ++i) {
        StrBuffer* s = s::thread::Pool<StrBuffer>::obtain();
        x = x * 1103515245u + 12345u;
        s->setText(L"item-");
        s->appendInt32(static_cast<int>(x >> 16) % 5000 - 2500);
        list->add(s);
    }
    s::col::_array::sortStable(*list, byText, nullptr);
    ArrayU08* bytes = s::thread::Pool<ArrayU08>::obtain();
    ArrayU08* utf8 = s::thread::Pool<ArrayU08>::obtain();
    for (unsigned i = 0; i < list->count(); ++i) {
        list->item<StrBuffer>(i)->toUtf8WithTerminator(utf8, false);
        s::io::transferFully(bytes, utf8->data(), utf8->count());
    }
    StrBuffer* hex = bytes->digest(nullptr, nullptr, false);
    wcsncpy(work.first, list->item<StrBuffer>(0)->cString(), 31);
    wcsncpy(work.last, list->item<StrBuffer>(list->count() - 1)->cString(), 31);
    wcsncpy(work.digest, hex->cString(), 32);
    work.bytes = bytes->count();
    hex->releaseToPool();
    utf8->releaseToPool();
    bytes->releaseToPool();
    list->releaseToPool();
}

DWORD WINAPI churn(void* parameter) {
    for (int i = 0; i < kRounds; ++i) {
        Sample* a = s::thread::Pool<Sample>::obtain();
        Sample* b = static_cast<Sample*>(a->newInstance());
        ++a->uses;
        ++b->uses;
        b->releaseToPool();
        a->releaseToPool();
    }
    sortFormatHashStream(*static_cast<Work*>(parameter));
    return 0;
}

}  // namespace

int wmain() {
    HANDLE threads[kThreads];
    Work work[kThreads] = {};
    for (int i = 0; i < kThreads; ++i) {
        work[i].seed = i + 1;
        threads[i] = CreateThread(nullptr, 0, churn, &work[i], 0, nullptr);
    }
    WaitForMultipleObjects(kThreads, threads, TRUE, INFINITE);
    for (HANDLE t : threads) CloseHandle(t);

    Sample* sample = s::thread::Pool<Sample>::obtain();
    s::thread::ObjLocker locker;
    const s::base::IObject* objects[] = {sample, &locker, &s::thread::Pool<Sample>::pooler(),
                                         &s::comp::CompS32::instance()};
    for (const s::base::IObject* o : objects) std::wprintf(L"%ls\n", o->classId());
    std::wprintf(L"%d threads x %d rounds: %u objects kept in the pool\n", kThreads, kRounds,
                 s::thread::Pool<Sample>::pooler().keptCount() + 1);
    for (const Work& w : work)
        std::wprintf(L"thread %d: %d numbers sorted from %ls to %ls, %u UTF-8 bytes, MD5 %ls\n", w.seed,
                     kNumbers, w.first, w.last, w.bytes, w.digest);
    sample->releaseToPool();
    return 0;
}
