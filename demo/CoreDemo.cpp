// demo/CoreDemo.cpp
//
// Console driver of the class library built so far: several threads take objects from
// their class pools, use them and give them back, then each object's class id is printed
// with what the pools did. Not part of the product's window.
#include <windows.h>

#include <cwchar>

#include "s/base/IObject.h"
#include "s/comp/CompS32.h"
#include "s/thread/ObjLocker.h"
#include "s/thread/Pool.h"
#include "s/thread/IPoolable.h"

namespace {

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

DWORD WINAPI churn(void*) {
    for (int i = 0; i < kRounds; ++i) {
        Sample* a = s::thread::Pool<Sample>::obtain();
        Sample* b = static_cast<Sample*>(a->newInstance());
        ++a->uses;
        ++b->uses;
        b->releaseToPool();
        a->releaseToPool();
    }
    return 0;
}

}  // namespace

int wmain() {
    HANDLE threads[kThreads];
    for (HANDLE& t : threads) t = CreateThread(nullptr, 0, churn, nullptr, 0, nullptr);
    WaitForMultipleObjects(kThreads, threads, TRUE, INFINITE);
    for (HANDLE t : threads) CloseHandle(t);

    Sample* sample = s::thread::Pool<Sample>::obtain();
    s::thread::ObjLocker locker;
    const s::base::IObject* objects[] = {sample, &locker, &s::thread::Pool<Sample>::pooler(),
                                         &s::comp::CompS32::instance()};
    for (const s::base::IObject* o : objects) std::wprintf(L"%ls\n", o->classId());
    std::wprintf(L"%d threads x %d rounds: %u objects kept in the pool\n", kThreads, kRounds,
                 s::thread::Pool<Sample>::pooler().keptCount() + 1);
    sample->releaseToPool();
    return 0;
}
