// tests/s/file/wiper/win/WiperTest.cpp
//
// The engine on real files, each test inside its own sandbox folder only. A fake method
// stands in where a test must see or steer the overwrite calls.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "s/file/win/PathWin.h"
#include "s/file/wiper/IMethod.h"
#include "s/file/wiper/win/Method_DoD.h"
#include "s/file/wiper/win/Method_DoD_E.h"
#include "s/file/wiper/win/Method_Gutmann.h"
#include "s/file/wiper/win/Method_Pseudorandom.h"
#include "s/file/wiper/win/OverwriteIo.h"
#include "s/file/wiper/win/Wiper.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"
#include "s/thread/win/Thread.h"
#include "support/DeepTree.h"
#include "support/Sandbox.h"

namespace {

using s::file::wiper::win::Wiper;

// Records each call; can wait for the stop flag, or hang whatever the flag says until the
// test lets it go (a worker that must be terminated).
class FakeMethod : public s::file::wiper::IMethod {
public:
    struct Call {
        float from, to;
        uint64_t end;
        int64_t offset;
        int percentAtCall;
    };
    enum class Mode { kWriteNothing, kWaitForStop, kHang };

    explicit FakeMethod(Mode mode = Mode::kWriteNothing, Wiper* wiper = nullptr) : m_mode(mode), m_wiper(wiper) {}

    std::vector<Call> calls;
    std::atomic<bool> entered{false};
    static std::atomic<bool> s_letGo;
    std::function<void()> during;  // run inside each overwrite, on the worker

    bool overwrite(HANDLE, uint64_t end, void*, int32_t, float from, float to, std::atomic<float>* progress,
                   std::atomic<bool>* stop, int64_t offset) override {
        calls.push_back({from, to, end, offset, m_wiper ? m_wiper->getProgressPercent() : -1});
        entered = true;
        if (during) during();
        if (m_mode == Mode::kWaitForStop) {
            while (!*stop) Sleep(5);
            return false;
        }
        if (m_mode == Mode::kHang) {
            while (!s_letGo) Sleep(5);
            return false;
        }
        if (progress) *progress = to;
        return true;
    }
    const wchar_t* classId() const override { return L"tests_FakeMethod"; }
    s::base::IObject* newInstance() const override { return nullptr; }

private:
    Mode m_mode;
    Wiper* m_wiper;
};
std::atomic<bool> FakeMethod::s_letGo{false};

class WiperTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(box.ok());
        wiper = s::thread::Pool<Wiper>::obtain();
        ASSERT_NE(nullptr, wiper);
        ASSERT_TRUE(wiper->prepare());
    }
    void TearDown() override {
        if (!wiper) return;
        wiper->setMethod(nullptr);  // the fake methods belong to the fixture
        wiper->releaseToPool();
    }

    // A fake that outlives the wiper's hold on it.
    FakeMethod& fake(FakeMethod::Mode mode = FakeMethod::Mode::kWriteNothing) {
        fakes.push_back(std::make_unique<FakeMethod>(mode, wiper));
        return *fakes.back();
    }

    void counts(int32_t n) {
        wiper->setSizeChangeCount(n);
        wiper->setRenameCount(n);
        wiper->setAttributeChangeCount(n);
        wiper->setTimestampChangeCount(n);
    }
    // Starts and waits for the run to end by itself (at most 60 s).
    bool runToEnd() {
        if (!wiper->start()) return false;
        for (int waited = 0; waited < 60000 && wiper->isRunning(); waited += 10) Sleep(10);
        return !wiper->isRunning();
    }
    // Starts and returns once the run is inside the method's overwrite (at most 10 s).
    bool startAndWaitForTheOverwrite(const FakeMethod& method) {
        if (!wiper->start()) return false;
        for (int waited = 0; waited < 10000 && !method.entered; waited += 5) Sleep(5);
        return method.entered;
    }
    std::vector<std::wstring> failures() {
        std::vector<std::wstring> out;
        s::str::strarray::StrArray* failed = wiper->getFailedPaths();
        for (uint32_t i = 0; failed && i < failed->count(); ++i) out.push_back(failed->at(i)->cString());
        if (failed) failed->releaseToPool();
        return out;
    }
    // Everything left in the sandbox, as relative names, depth first.
    std::vector<std::wstring> leftovers(const std::wstring& relative = L"") {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        std::wstring folder = relative.empty() ? box.path() : box.at(relative);
        HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = relative.empty() ? name : relative + L"\\" + name;
            names.push_back(child);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                for (auto& n : leftovers(child)) names.push_back(n);
        } while (FindNextFileW(find, &found));
        FindClose(find);
        return names;
    }
    DWORD visibleAttributes(const std::wstring& relative) {
        return GetFileAttributesW(box.at(relative).c_str()) &
               (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    }

    tests::Sandbox box;
    Wiper* wiper = nullptr;
    std::vector<std::unique_ptr<FakeMethod>> fakes;
};

TEST_F(WiperTest, EmptyQueueEndsAtOnce) {
    FakeMethod& method = fake();
    wiper->setMethod(&method);
    ASSERT_TRUE(runToEnd());
    EXPECT_TRUE(method.calls.empty());
    EXPECT_TRUE(failures().empty());
}

TEST_F(WiperTest, WithoutABufferNothingRuns) {
    ASSERT_TRUE(box.writeFile(L"keep.txt", "data"));
    wiper->reset();  // frees the buffer
    FakeMethod& method = fake();
    wiper->setMethod(&method);
    wiper->addPath(box.at(L"keep.txt").c_str());
    EXPECT_FALSE(wiper->start());
    EXPECT_FALSE(wiper->isRunning());
    EXPECT_TRUE(box.exists(L"keep.txt"));
}

TEST_F(WiperTest, WithoutAMethodNothingIsTouched) {
    ASSERT_TRUE(box.writeFile(L"keep.txt", "data"));
    wiper->addPath(box.at(L"keep.txt").c_str());
    ASSERT_TRUE(runToEnd());
    std::string back;
    ASSERT_TRUE(box.readFile(L"keep.txt", &back));
    EXPECT_EQ("data", back);
}

// Drive R: of the test session holds only a canary: a root handed to the wiper in any
// spelling is refused and nothing on it is touched.
TEST_F(WiperTest, DriveRootsAreRefused) {
    s::file::wiper::win::Method_Pseudorandom* method = s::thread::Pool<s::file::wiper::win::Method_Pseudorandom>::obtain();
    wiper->setMethod(method);
    for (const wchar_t* root : {L"R:\\", L"R:", L"R:/", L"R:\\.", L"R:\\sub\\.."}) wiper->addPath(root);
    ASSERT_TRUE(runToEnd());
    HANDLE h = CreateFileW(L"R:\\canary.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    char text[64] = {};
    DWORD got = 0;
    ReadFile(h, text, sizeof text - 1, &got, nullptr);
    CloseHandle(h);
    EXPECT_STREQ("a drive root must never be wiped\n", text);
    EXPECT_EQ(5u, failures().size());
}

// The run keeps its own stack: on a worker whose stack could not hold one call per level,
// a chain of folders far deeper than that is wiped whole.
TEST_F(WiperTest, AChainDeeperThanTheWorkersStackCouldRecurseIsWipedWhole) {
    ASSERT_FALSE(tests::makeFolderChain(box.at(L"chain"), 400).empty());
    s::thread::Pool<s::thread::win::Thread>::release(new s::thread::win::Thread(&tests::startWithSmallStack));
    std::unique_ptr<Wiper> deep(new Wiper());  // takes that worker, the last one released
    ASSERT_TRUE(deep->prepare());
    deep->setMethod(s::thread::Pool<s::file::wiper::win::Method_Pseudorandom>::obtain());
    deep->setSizeChangeCount(1);
    deep->setRenameCount(1);
    deep->setAttributeChangeCount(1);
    deep->setTimestampChangeCount(1);
    deep->addPath(box.at(L"chain").c_str());
    ASSERT_TRUE(deep->start());
    for (int waited = 0; waited < 100000 && deep->isRunning(); waited += 10) Sleep(10);
    ASSERT_FALSE(deep->isRunning());
    EXPECT_TRUE(leftovers().empty());
    s::str::strarray::StrArray* failed = deep->getFailedPaths();
    EXPECT_EQ(0u, failed->count());
    failed->releaseToPool();
}

// Each method leaves nothing of a folder tree: files of several sizes, an empty file, an
// empty folder, read-only and hidden items.
TEST_F(WiperTest, EveryMethodDestroysAFolderTree) {
    using namespace s::file::wiper::win;
    s::file::wiper::IMethod* methods[] = {s::thread::Pool<Method_Gutmann>::obtain(), s::thread::Pool<Method_DoD>::obtain(),
                                          s::thread::Pool<Method_DoD_E>::obtain(),
                                          s::thread::Pool<Method_Pseudorandom>::obtain()};
    for (s::file::wiper::IMethod* method : methods) {
        SCOPED_TRACE(testing::Message() << method->classId());
        ASSERT_TRUE(box.makeFolder(L"tree"));
        ASSERT_TRUE(box.makeFolder(L"tree\\sub"));
        ASSERT_TRUE(box.makeFolder(L"tree\\sub\\empty"));
        ASSERT_TRUE(box.writeFile(L"tree\\a.bin", std::string(100000, 'a')));
        ASSERT_TRUE(box.writeFile(L"tree\\sub\\b.txt", "b"));
        ASSERT_TRUE(box.writeFile(L"tree\\sub\\zero", ""));
        ASSERT_TRUE(box.writeFile(L"tree\\sub\\ro.txt", "read-only"));
        SetFileAttributesW(box.at(L"tree\\sub\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        wiper->reset();
        ASSERT_TRUE(wiper->prepare());
        wiper->setMethod(method);
        counts(2);
        wiper->addPath(box.at(L"tree").c_str());
        ASSERT_TRUE(runToEnd());
        EXPECT_TRUE(leftovers().empty());
        EXPECT_TRUE(failures().empty());
        EXPECT_EQ(100, wiper->getProgressPercent());
    }
}

// Count 0 for sizes and renames: the file keeps its name and attributes, holds whole
// clusters of overwritten bytes, and is not deleted. Count 1 for sizes: cut straight to 0.
TEST_F(WiperTest, SizeAndRenameCountsZeroAndOne) {
    struct Row {
        const char* why;
        int32_t sizeChanges;
        int64_t expectedSize;
    } rows[] = {
        {"no cut: the overwritten clusters stay", 0, 4096},
        {"one cut: straight to zero", 1, 0},
        {"two cuts: a random size, then zero", 2, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        ASSERT_TRUE(box.writeFile(L"stay.txt", std::string(1000, 'x')));
        SetFileAttributesW(box.at(L"stay.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        wiper->reset();
        ASSERT_TRUE(wiper->prepare());
        wiper->setMethod(s::thread::Pool<s::file::wiper::win::Method_DoD_E>::obtain());
        counts(2);
        wiper->setSizeChangeCount(row.sizeChanges);
        wiper->setRenameCount(0);
        wiper->addPath(box.at(L"stay.txt").c_str());
        ASSERT_TRUE(runToEnd());
        std::string back;
        ASSERT_TRUE(box.readFile(L"stay.txt", &back));
        EXPECT_EQ(row.expectedSize, static_cast<int64_t>(back.size()));
        EXPECT_EQ(std::string::npos, back.find(std::string(16, 'x')));
        EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN), visibleAttributes(L"stay.txt"));
        ASSERT_EQ(1u, failures().size());
        SetFileAttributesW(box.at(L"stay.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(box.at(L"stay.txt").c_str());
    }
}

// A file held open by someone else keeps its bytes and attributes; the run goes on.
TEST_F(WiperTest, AFileInUseIsLeftAndTheRunGoesOn) {
    ASSERT_TRUE(box.writeFile(L"busy.txt", "in use"));
    ASSERT_TRUE(box.writeFile(L"next.txt", "next"));
    SetFileAttributesW(box.at(L"busy.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    HANDLE holder = CreateFileW(box.at(L"busy.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    wiper->setMethod(s::thread::Pool<s::file::wiper::win::Method_Pseudorandom>::obtain());
    wiper->addPath(box.at(L"busy.txt").c_str());
    wiper->addPath(box.at(L"next.txt").c_str());
    ASSERT_TRUE(runToEnd());
    CloseHandle(holder);
    std::string back;
    ASSERT_TRUE(box.readFile(L"busy.txt", &back));
    EXPECT_EQ("in use", back);
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_SYSTEM), visibleAttributes(L"busy.txt"));
    EXPECT_FALSE(box.exists(L"next.txt"));
    std::vector<std::wstring> failed = failures();
    ASSERT_EQ(1u, failed.size());
    EXPECT_EQ(box.at(L"busy.txt"), failed[0]);
}

// Links are never followed: a link inside a folder stays (so the folder stays, under a
// random name), a queued link is left alone, and the folder they point to keeps all.
TEST_F(WiperTest, LinksAreNeverFollowed) {
    tests::Sandbox outside;
    ASSERT_TRUE(outside.ok());
    ASSERT_TRUE(outside.makeFolder(L"deep"));
    ASSERT_TRUE(outside.writeFile(L"precious.txt", "precious"));
    ASSERT_TRUE(outside.writeFile(L"deep\\also.txt", "also"));
    std::wstring target = L"..\\..\\" + outside.path().substr(3);
    ASSERT_TRUE(box.makeFolder(L"holder"));
    ASSERT_TRUE(box.writeFile(L"holder\\own.txt", "own"));
    ASSERT_TRUE(box.makeLink(L"holder\\link", target));
    ASSERT_TRUE(box.makeLink(L"queued", L"..\\" + outside.path().substr(3)));
    wiper->setMethod(s::thread::Pool<s::file::wiper::win::Method_DoD_E>::obtain());
    wiper->addPath(box.at(L"holder").c_str());
    wiper->addPath(box.at(L"queued").c_str());
    ASSERT_TRUE(runToEnd());

    std::string back;
    ASSERT_TRUE(outside.readFile(L"precious.txt", &back));
    EXPECT_EQ("precious", back);
    ASSERT_TRUE(outside.readFile(L"deep\\also.txt", &back));
    EXPECT_EQ("also", back);
    EXPECT_TRUE(box.exists(L"queued\\precious.txt"));
    // holder's own file is gone; holder stays, renamed, with the link in it.
    std::vector<std::wstring> left = leftovers();
    ASSERT_EQ(3u, left.size());
    EXPECT_EQ(2u, failures().size());  // the queued link, and the folder under its new name
}

// Four items of equal share: the item in work starts where the one before ended.
TEST_F(WiperTest, ProgressMovesInQuarters) {
    FakeMethod& method = fake();
    wiper->setMethod(&method);
    for (int i = 0; i < 4; ++i) {
        std::wstring name = L"f" + std::to_wstring(i);
        ASSERT_TRUE(box.writeFile(name, "data"));
        wiper->addPath(box.at(name).c_str());
    }
    ASSERT_TRUE(runToEnd());
    ASSERT_EQ(4u, method.calls.size());
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(i * 0.25f, method.calls[i].from);
        EXPECT_FLOAT_EQ((i + 1) * 0.25f, method.calls[i].to);
        EXPECT_EQ(4096u, method.calls[i].end);  // one whole cluster
        EXPECT_EQ(0, method.calls[i].offset);
        EXPECT_EQ(i * 25, method.calls[i].percentAtCall);
    }
}

// A stop during the overwrite ends the run: the item stays under its first name with its
// first attributes, later items are not touched, and the wiper is idle again at once.
TEST_F(WiperTest, AStopDuringTheOverwriteKeepsTheItem) {
    ASSERT_TRUE(box.writeFile(L"first.txt", "first"));
    ASSERT_TRUE(box.writeFile(L"second.txt", "second"));
    SetFileAttributesW(box.at(L"first.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    FakeMethod& method = fake(FakeMethod::Mode::kWaitForStop);
    wiper->setMethod(&method);
    wiper->addPath(box.at(L"first.txt").c_str());
    wiper->addPath(box.at(L"second.txt").c_str());
    ASSERT_TRUE(startAndWaitForTheOverwrite(method));
    DWORD begun = GetTickCount();
    wiper->stop(true);
    EXPECT_LT(GetTickCount() - begun, 2000u);
    EXPECT_FALSE(wiper->isRunning());
    EXPECT_TRUE(box.exists(L"first.txt"));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), visibleAttributes(L"first.txt"));
    std::string back;
    ASSERT_TRUE(box.readFile(L"second.txt", &back));
    EXPECT_EQ("second", back);
    EXPECT_EQ(1u, method.calls.size());
    EXPECT_EQ((std::vector<std::wstring>{box.at(L"first.txt"), box.at(L"second.txt")}), failures())
        << "what the stop kept the run from reaching survives too";
    // The wiper runs again afterwards.
    FakeMethod& next = fake();
    wiper->reset();
    ASSERT_TRUE(wiper->prepare());
    wiper->setMethod(&next);
    wiper->addPath(box.at(L"second.txt").c_str());
    ASSERT_TRUE(runToEnd());
    EXPECT_FALSE(box.exists(L"second.txt"));
}

// A worker that does not end within the waiting stop's limit is terminated and replaced;
// the exclusive handle it held is closed, so the file is not left locked.
TEST_F(WiperTest, AStuckWorkerIsReplacedAndItsFileReleased) {
    ASSERT_TRUE(box.writeFile(L"stuck.txt", "stuck"));
    FakeMethod::s_letGo = false;
    FakeMethod& method = fake(FakeMethod::Mode::kHang);
    wiper->setMethod(&method);
    wiper->addPath(box.at(L"stuck.txt").c_str());
    ASSERT_TRUE(startAndWaitForTheOverwrite(method));
    DWORD begun = GetTickCount();
    wiper->stop(true);
    DWORD took = GetTickCount() - begun;
    EXPECT_GE(took, 4400u);
    EXPECT_LT(took, 5300u) << "the termination is part of the 5000 ms";
    EXPECT_FALSE(wiper->isRunning());
    HANDLE again = CreateFileW(box.at(L"stuck.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, again) << "error " << GetLastError();
    if (again != INVALID_HANDLE_VALUE) CloseHandle(again);
    // The replacement worker runs the next run.
    FakeMethod& next = fake();
    wiper->reset();
    ASSERT_TRUE(wiper->prepare());
    wiper->setMethod(&next);
    wiper->addPath(box.at(L"stuck.txt").c_str());
    ASSERT_TRUE(runToEnd());
    EXPECT_FALSE(box.exists(L"stuck.txt"));
}

// A worker stuck where it keeps taking the wiper's lock (as the run does for the item
// text) is never ended inside it: the stop, and every use of the wiper after it, return.
// In slack mode the item text is the full path, and a long one makes the worker spend
// nearly all its time inside the lock.
TEST_F(WiperTest, AWorkerEndedWhileTakingTheLockNeverHangsTheCaller) {
    std::wstring folder = L"\\\\?\\" + box.path();
    for (int level = 0; level < 12; ++level) {
        folder += L"\\" + std::wstring(200, static_cast<wchar_t>(L'a' + level));
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    }
    const std::wstring file = folder + L"\\stuck.txt";
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD written = 0;
    WriteFile(h, "stuck", 5, &written, nullptr);  // leaves slack in its cluster
    CloseHandle(h);
    const std::wstring name = file.substr(4);
    wiper->setSlackMode(true);
    FakeMethod& method = fake(FakeMethod::Mode::kHang);
    Wiper* const w = wiper;
    method.during = [w] {
        s::str::strbuffer::StrBuffer text;  // grown once, so the loop never allocates
        w->getCurrentPath(&text);
        for (;;) w->getCurrentPath(&text);
    };
    wiper->setMethod(&method);
    wiper->addPath(name.c_str());
    ASSERT_TRUE(startAndWaitForTheOverwrite(method));
    struct Stopper {
        Wiper* wiper;
        static DWORD WINAPI run(void* self) {
            Wiper* wiper = static_cast<Stopper*>(self)->wiper;
            wiper->stop(true);
            s::str::strbuffer::StrBuffer text;
            wiper->getCurrentPath(&text);
            wiper->reset();
            return 0;
        }
    } stopper{wiper};
    HANDLE thread = CreateThread(nullptr, 0, &Stopper::run, &stopper, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    const DWORD waited = WaitForSingleObject(thread, 8000);
    CloseHandle(thread);
    ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), waited) << "the caller hangs on a lock the dead worker held";
    EXPECT_FALSE(wiper->isRunning());
    FakeMethod& next = fake();
    ASSERT_TRUE(wiper->prepare());
    wiper->setMethod(&next);
    wiper->addPath(name.c_str());
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(file.c_str()));
}

// A stop asked while no run goes on is not kept for the next run, which would otherwise
// end at once, leaving every item in place and listing none of them.
TEST_F(WiperTest, AStopAskedWhileIdleIsNotKeptForTheNextRun) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "a"));
    FakeMethod& method = fake();
    wiper->setMethod(&method);
    wiper->addPath(box.at(L"a.txt").c_str());
    wiper->stop(false);
    ASSERT_TRUE(runToEnd());
    EXPECT_EQ(1u, method.calls.size());
    EXPECT_FALSE(box.exists(L"a.txt"));
    EXPECT_TRUE(failures().empty());
}

// What appears in a folder while the folder is wiped was never overwritten: it is not
// deleted with the folder, which stays under its random name and is listed.
TEST_F(WiperTest, WhatAppearsInAFolderDuringItsWipeIsNotDeletedUnwritten) {
    ASSERT_TRUE(box.makeFolder(L"tree"));
    ASSERT_TRUE(box.writeFile(L"tree\\a.bin", "a"));
    FakeMethod& method = fake();
    method.during = [this] { box.writeFile(L"tree\\late.txt", "late"); };
    wiper->setMethod(&method);
    wiper->addPath(box.at(L"tree").c_str());
    ASSERT_TRUE(runToEnd());
    ASSERT_EQ(1u, method.calls.size());
    std::vector<std::wstring> left = leftovers();
    ASSERT_EQ(2u, left.size());
    std::string back;
    ASSERT_TRUE(box.readFile(left[1], &back));
    EXPECT_EQ("late", back);
    // Listed under the path it was queued by, with the name it has now beside it.
    EXPECT_EQ(std::vector<std::wstring>{box.at(L"tree") + L" (now " + left[0] + L")"}, failures());
}

// A folder whose listing fails is not taken for empty. Held open without read sharing (a
// listing then meets a sharing violation; renaming still works), it keeps its name and
// its file, and it and its parent are listed.
TEST_F(WiperTest, AFolderThatCannotBeListedIsNotTakenForEmpty) {
    ASSERT_TRUE(box.makeFolder(L"top"));
    ASSERT_TRUE(box.makeFolder(L"top\\sub"));
    ASSERT_TRUE(box.writeFile(L"top\\sub\\kept.txt", "kept"));
    ASSERT_TRUE(box.writeFile(L"top\\gone.txt", "gone"));
    HANDLE holder = CreateFileW(box.at(L"top\\sub").c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    wiper->setMethod(&fake());
    wiper->addPath(box.at(L"top").c_str());
    bool ended = runToEnd();
    CloseHandle(holder);
    ASSERT_TRUE(ended);
    std::string back;
    ASSERT_TRUE(box.readFile(L"top\\sub\\kept.txt", &back));
    EXPECT_EQ("kept", back);
    EXPECT_FALSE(box.exists(L"top\\gone.txt"));
    EXPECT_EQ((std::vector<std::wstring>{box.at(L"top\\sub"), box.at(L"top")}), failures());
}

// Wine keeps "a.txt:info" as a file of its own, which the path takes for a stream that no
// stream listing knows (checked): its size reads 0. Bytes are never deleted unwritten on
// such a reading; the item's own handle tells the size.
TEST_F(WiperTest, AnItemWhoseSizeReadsZeroByMistakeIsOverwrittenFirst) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "carrier"));
    ASSERT_TRUE(box.writeFile(L"a.txt:info", std::string(1000, 's')));
    FakeMethod& method = fake();
    wiper->setMethod(&method);
    wiper->addPath(box.at(L"a.txt:info").c_str());
    ASSERT_TRUE(runToEnd());
    ASSERT_EQ(1u, method.calls.size()) << "deleted without being overwritten";
    EXPECT_EQ(4096u, method.calls[0].end);
    EXPECT_FALSE(box.exists(L"a.txt:info"));
    EXPECT_TRUE(box.exists(L"a.txt"));
    EXPECT_TRUE(failures().empty());
}

TEST_F(WiperTest, TheItemInWorkIsItsName) {
    ASSERT_TRUE(box.writeFile(L"named.txt", "x"));
    FakeMethod& method = fake(FakeMethod::Mode::kWaitForStop);
    wiper->setMethod(&method);
    wiper->addPath(box.at(L"named.txt").c_str());
    ASSERT_TRUE(startAndWaitForTheOverwrite(method));
    s::str::strbuffer::StrBuffer current;
    wiper->getCurrentPath(&current);
    EXPECT_STREQ(L"named.txt", current.cString());
    wiper->getCurrentPath(nullptr);  // nothing happens
    wiper->stop(true);
}

TEST_F(WiperTest, ConfigurationWaitsUntilTheRunEnds) {
    ASSERT_TRUE(box.writeFile(L"a.txt", "a"));
    FakeMethod& method = fake(FakeMethod::Mode::kWaitForStop);
    wiper->setMethod(&method);
    wiper->addPath(box.at(L"a.txt").c_str());
    ASSERT_TRUE(startAndWaitForTheOverwrite(method));
    EXPECT_FALSE(wiper->start());           // one run at a time
    EXPECT_FALSE(wiper->addPath(L"T:\\x"));  // the queue is the run's
    wiper->reset();                          // ignored: the buffer is in use
    EXPECT_TRUE(wiper->prepare() == false);
    wiper->stop(true);
    EXPECT_TRUE(wiper->prepare());
}

// What each pass left on the disk: after every flush the file is read back through the
// wiper's own handle (no other handle can open it), then the writes go on as before.
struct DiskSnapshots {
    static std::vector<std::string> taken;
    static uint32_t length;
    static bool flush(HANDLE file) {
        if (!s::file::wiper::win::OverwriteIo::platform().flush(file)) return false;
        void* block = VirtualAlloc(nullptr, length, MEM_COMMIT, PAGE_READWRITE);
        LARGE_INTEGER here = {}, start = {};
        SetFilePointerEx(file, start, &here, FILE_CURRENT);
        SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
        DWORD got = 0;
        ReadFile(file, block, length, &got, nullptr);
        taken.emplace_back(static_cast<char*>(block), got);
        SetFilePointerEx(file, here, nullptr, FILE_BEGIN);
        VirtualFree(block, 0, MEM_RELEASE);
        return true;
    }
};
std::vector<std::string> DiskSnapshots::taken;
uint32_t DiskSnapshots::length = 0;

// The unit a pass repeats: one byte, three bytes, or "" for random bytes.
std::string repeatingUnit(const std::string& bytes) {
    for (size_t unit : {1u, 3u}) {
        bool repeats = bytes.size() >= unit;
        for (size_t i = unit; repeats && i < bytes.size(); ++i) repeats = bytes[i] == bytes[i - unit];
        if (repeats) return bytes.substr(0, unit);
    }
    return "";
}

// Every method, run through the wiper on a real file of one chunk: each pass reaches the
// disk whole, with the pattern the method defines, before the next pass begins.
TEST_F(WiperTest, EveryPassReachesTheDisk) {
    using namespace s::file::wiper::win;
    const uint32_t kLength = 3 * 4096;  // whole clusters: what the passes cover
    const s::file::wiper::win::OverwriteIo io = {OverwriteIo::platform().seek, OverwriteIo::platform().write,
                                                 &DiskSnapshots::flush};
    struct Row {
        s::file::wiper::IMethod* method;
        size_t passes;
    } rows[] = {{s::thread::Pool<Method_Gutmann>::obtain(), 35}, {s::thread::Pool<Method_DoD>::obtain(), 7},
                {s::thread::Pool<Method_DoD_E>::obtain(), 3}, {s::thread::Pool<Method_Pseudorandom>::obtain(), 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.method->classId());
        ASSERT_TRUE(box.writeFile(L"passes.bin", std::string(kLength - 100, 'p')));
        wiper->reset();
        ASSERT_TRUE(wiper->prepare());
        wiper->setMethod(row.method);
        wiper->addPath(box.at(L"passes.bin").c_str());
        DiskSnapshots::taken.clear();
        DiskSnapshots::length = kLength;
        const OverwriteIo* before = OverwriteIo::install(&io);
        bool ended = runToEnd();
        OverwriteIo::install(before);
        ASSERT_TRUE(ended);
        EXPECT_FALSE(box.exists(L"passes.bin"));
        const std::vector<std::string>& on = DiskSnapshots::taken;
        ASSERT_EQ(row.passes, on.size());
        for (const std::string& pass : on) ASSERT_EQ(kLength, pass.size());
        std::vector<std::string> units;
        for (const std::string& pass : on) units.push_back(repeatingUnit(pass));
        if (row.passes == 35) {
            std::multiset<std::string> fixed(units.begin() + 4, units.begin() + 31), published;
            for (int b = 0; b < 16; ++b) published.insert(std::string(1, char(b * 0x11)));
            for (const char* three : {"\x92\x49\x24", "\x49\x24\x92", "\x24\x92\x49"}) {
                published.insert(three);
                published.insert(three);
            }
            for (const char* three : {"\x6D\xB6\xDB", "\xB6\xDB\x6D", "\xDB\x6D\xB6"}) published.insert(three);
            published.insert("\x55");
            published.insert("\xAA");
            EXPECT_EQ(published, fixed);
            for (int p : {0, 1, 2, 3, 31, 32, 33, 34}) EXPECT_EQ("", units[p]) << "pass " << p + 1;
        } else if (row.passes == 7) {
            ASSERT_EQ(1u, units[0].size());
            EXPECT_EQ(std::string(1, char(~units[0][0])), units[1]);
            EXPECT_EQ("", units[2]);
            ASSERT_EQ(1u, units[4].size());
            EXPECT_EQ(std::string(1, char(~units[4][0])), units[5]);
            EXPECT_EQ("", units[6]);
        } else if (row.passes == 3) {
            EXPECT_EQ(std::string(1, '\0'), units[0]);
            EXPECT_EQ("\xFF", units[1]);
            EXPECT_EQ("", units[2]);
        } else {
            EXPECT_EQ("", units[0]);
        }
        EXPECT_EQ(std::string::npos, on.back().find(std::string(64, 'p')));
    }
}

// A stop in the middle of a real 35-pass run ends it within a chunk: the file stays under
// its first name, partly overwritten, and the wiper is idle.
TEST_F(WiperTest, AStopDuringAGutmannRunEndsItSoon) {
    const uint32_t kSize = 24 << 20;
    ASSERT_TRUE(box.writeFile(L"big.bin", std::string(kSize, 'o')));
    wiper->setMethod(s::thread::Pool<s::file::wiper::win::Method_Gutmann>::obtain());
    counts(20);
    wiper->addPath(box.at(L"big.bin").c_str());
    ASSERT_TRUE(wiper->start());
    for (int waited = 0; waited < 30000 && wiper->getProgressPercent() < 2 && wiper->isRunning(); waited += 5) Sleep(5);
    ASSERT_TRUE(wiper->isRunning()) << "the run ended before it could be stopped";
    DWORD begun = GetTickCount();
    wiper->stop(true);
    EXPECT_LT(GetTickCount() - begun, 4000u);
    EXPECT_FALSE(wiper->isRunning());
    std::string back;
    ASSERT_TRUE(box.readFile(L"big.bin", &back));
    EXPECT_EQ(kSize, back.size());
    EXPECT_NE(std::string(4096, 'o'), back.substr(0, 4096));
    std::vector<std::wstring> failed = failures();
    ASSERT_EQ(1u, failed.size());
    EXPECT_EQ(box.at(L"big.bin"), failed[0]);
}

// Slack mode writes only past the end of the data, inside the last cluster, and leaves the
// file as it was: name, size, bytes and attributes.
TEST_F(WiperTest, SlackModeWritesOnlyTheTailOfTheLastCluster) {
    ASSERT_TRUE(box.makeFolder(L"kept"));
    ASSERT_TRUE(box.writeFile(L"kept\\tail.txt", std::string(1000, 't')));
    ASSERT_TRUE(box.writeFile(L"kept\\whole.bin", std::string(4096, 'w')));
    SetFileAttributesW(box.at(L"kept\\tail.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    FakeMethod& method = fake();
    wiper->setMethod(&method);
    wiper->setSlackMode(true);
    wiper->addPath(box.at(L"kept").c_str());
    ASSERT_TRUE(runToEnd());
    ASSERT_EQ(1u, method.calls.size()) << "a file of whole clusters has no slack";
    EXPECT_EQ(4096u, method.calls[0].end);
    EXPECT_EQ(1000, method.calls[0].offset);
    std::string back;
    ASSERT_TRUE(box.readFile(L"kept\\tail.txt", &back));
    EXPECT_EQ(std::string(1000, 't'), back);
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN), visibleAttributes(L"kept\\tail.txt"));
    ASSERT_TRUE(box.readFile(L"kept\\whole.bin", &back));
    EXPECT_EQ(std::string(4096, 'w'), back);
}

}  // namespace

namespace {

// A window of the test's own thread that hears the shell's change notifications for one
// folder tree (SHCNE_DELETE and SHCNE_RMDIR, with the paths they name).
class ShellListener {
public:
    static constexpr UINT kMessage = WM_APP + 7;

    explicit ShellListener(const std::wstring& folder) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"WiperTestShellListener";
        RegisterClassW(&wc);
        m_window = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_folder = ILCreateFromPathW(folder.c_str());
        SHChangeNotifyEntry entry = {m_folder, TRUE};
        m_registration = SHChangeNotifyRegister(m_window, SHCNRF_ShellLevel | SHCNRF_NewDelivery,
                                                SHCNE_DELETE | SHCNE_RMDIR, kMessage, 1, &entry);
    }
    ~ShellListener() {
        if (m_registration) SHChangeNotifyDeregister(m_registration);
        if (m_folder) ILFree(m_folder);
        if (m_window) DestroyWindow(m_window);
    }
    bool ok() const { return m_window && m_registration; }
    // Pumps messages until done() holds, then for `after` ms more, for a minute at most. It
    // waits on every round: a loop that only spun could count its minute out in an instant,
    // stop pumping while the wiper's thread still sends its flushed notices here, and leave
    // that thread blocked for ever.
    template <class Done>
    void pumpUntil(Done done, DWORD after) {
        const DWORD start = GetTickCount();
        DWORD quietSince = 0;
        while (GetTickCount() - start < 60000) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            if (done()) {
                if (!quietSince) quietSince = GetTickCount();
                if (GetTickCount() - quietSince >= after) return;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    std::vector<std::pair<LONG, std::wstring>> heard;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ShellListener*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message != kMessage || !self) return DefWindowProcW(window, message, wParam, lParam);
        PIDLIST_ABSOLUTE* items = nullptr;
        LONG event = 0;
        HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wParam), static_cast<DWORD>(lParam), &items, &event);
        if (lock) {
            wchar_t path[MAX_PATH] = L"";
            if (items && items[0]) SHGetPathFromIDListW(items[0], path);
            self->heard.emplace_back(event, path);
            SHChangeNotification_Unlock(lock);
        }
        return 0;
    }

    HWND m_window = nullptr;
    PIDLIST_ABSOLUTE m_folder = nullptr;
    ULONG m_registration = 0;
};

// Every queued item that is gone is announced to the shell under the path it was queued by.
TEST_F(WiperTest, RemovedItemsAreAnnouncedToTheShell) {
    ASSERT_TRUE(box.writeFile(L"note.txt", "note"));
    ASSERT_TRUE(box.makeFolder(L"folder"));
    ASSERT_TRUE(box.writeFile(L"folder\\inner.txt", "inner"));
    ShellListener listener(box.path());
    ASSERT_TRUE(listener.ok());
    wiper->setMethod(s::thread::Pool<s::file::wiper::win::Method_Pseudorandom>::obtain());
    wiper->addPath(box.at(L"note.txt").c_str());
    wiper->addPath(box.at(L"folder").c_str());
    ASSERT_TRUE(wiper->start());
    listener.pumpUntil([&] { return !wiper->isRunning(); }, 300);
    EXPECT_FALSE(wiper->isRunning());
    std::set<std::wstring> deleted;
    for (auto& [event, path] : listener.heard)
        if (event == SHCNE_DELETE) deleted.insert(path);
    EXPECT_EQ(1u, deleted.count(box.at(L"note.txt")));
    EXPECT_EQ(1u, deleted.count(box.at(L"folder")));
}

// How each stayed: path, why, the name it has now.
using Entry = std::tuple<std::wstring, s::file::wiper::Survival, std::wstring>;

std::vector<Entry> entriesOf(Wiper* wiper) {
    std::vector<Entry> out;
    s::str::strbuffer::StrBuffer path, now;
    s::file::wiper::Survival why = s::file::wiper::Survival::kUnknown;
    for (uint32_t i = 0; wiper->getFailedEntry(i, &path, &why, &now); ++i) out.emplace_back(path.cString(), why, now.cString());
    return out;
}

// A file system that answers a deletion with success and keeps the name.
BOOL WINAPI deleteNothing(LPCWSTR) { return TRUE; }

// A name left behind is never called wiped: the queued file stays under its last random name
// and says so, and a folder whose file stayed that way is not removed either.
TEST_F(WiperTest, ANameStillThereAfterItsDeletionIsListedAsNotWiped) {
    ASSERT_TRUE(box.writeFile(L"kept.txt", std::string(5000, 'k')));
    ASSERT_TRUE(box.makeFolder(L"tree"));
    ASSERT_TRUE(box.writeFile(L"tree\\inner.txt", std::string(3000, 'i')));
    wiper->setMethod(&fake());
    counts(1);
    wiper->addPath(box.at(L"kept.txt").c_str());
    wiper->addPath(box.at(L"tree").c_str());
    const s::file::win::DeleteFunction before = s::file::win::installDeleteFunction(&deleteNothing);
    const bool ended = runToEnd();
    s::file::win::installDeleteFunction(before);
    ASSERT_TRUE(ended);
    std::vector<std::wstring> left = leftovers();
    std::sort(left.begin(), left.end());
    ASSERT_EQ(3u, left.size()) << testing::PrintToString(left);  // the file's random name, the folder and its file
    const std::vector<Entry> said = entriesOf(wiper);
    ASSERT_EQ(2u, said.size()) << testing::PrintToString(failures());
    EXPECT_EQ(box.at(L"kept.txt"), std::get<0>(said[0]));
    EXPECT_EQ(s::file::wiper::Survival::kNameLeftAs, std::get<1>(said[0]));
    EXPECT_TRUE(box.exists(std::get<2>(said[0]))) << "the name it has now is the one left";
    EXPECT_EQ(box.at(L"tree"), std::get<0>(said[1]));
    EXPECT_EQ(s::file::wiper::Survival::kPartlyWiped, std::get<1>(said[1]));
    EXPECT_TRUE(box.exists(L"tree"));
    EXPECT_EQ(box.at(L"kept.txt") + L" (now " + std::get<2>(said[0]) + L")", failures()[0]);
}

// A stop tells apart what it cut short: the file in the middle of its overwrite (its data
// gone in part, its name and size still there), the folder some of whose files went, and
// what the run never reached (left as it was).
TEST_F(WiperTest, AStopTellsAPartlyOverwrittenItemFromOneLeftAsItWas) {
    ASSERT_TRUE(box.makeFolder(L"tree"));
    ASSERT_TRUE(box.writeFile(L"tree\\a.txt", "first"));
    ASSERT_TRUE(box.writeFile(L"tree\\b.txt", "second"));
    ASSERT_TRUE(box.writeFile(L"after.txt", "after"));
    FakeMethod& method = fake();
    int calls = 0;
    method.during = [&] {
        if (++calls < 2) return;
        wiper->stop(false);  // in the second file's overwrite
    };
    wiper->setMethod(&method);
    wiper->addPath(box.at(L"tree").c_str());
    wiper->addPath(box.at(L"after.txt").c_str());
    ASSERT_TRUE(runToEnd());
    ASSERT_EQ(2u, method.calls.size());
    std::vector<std::wstring> inTree = leftovers(L"tree");
    ASSERT_EQ(1u, inTree.size());
    using s::file::wiper::Survival;
    EXPECT_EQ((std::vector<Entry>{{box.at(L"tree\\") + inTree[0].substr(5), Survival::kPartlyOverwritten, L""},
                                  {box.at(L"tree"), Survival::kPartlyWiped, L""},
                                  {box.at(L"after.txt"), Survival::kLeftAsItWas, L""}}),
              entriesOf(wiper));
}

// A worker that had to be ended by force told nothing itself: the wiper lists the file it
// was overwriting as partly overwritten and what it never reached as left as it was.
TEST_F(WiperTest, AForcedEndListsTheFileInWorkAsPartlyOverwritten) {
    ASSERT_TRUE(box.writeFile(L"stuck.txt", "stuck"));
    ASSERT_TRUE(box.writeFile(L"next.txt", "next"));
    FakeMethod::s_letGo = false;
    FakeMethod& method = fake(FakeMethod::Mode::kHang);
    wiper->setMethod(&method);
    wiper->addPath(box.at(L"stuck.txt").c_str());
    wiper->addPath(box.at(L"next.txt").c_str());
    ASSERT_TRUE(startAndWaitForTheOverwrite(method));
    wiper->stop(true);
    EXPECT_FALSE(wiper->isRunning());
    using s::file::wiper::Survival;
    EXPECT_EQ((std::vector<Entry>{{box.at(L"stuck.txt"), Survival::kPartlyOverwritten, L""},
                                  {box.at(L"next.txt"), Survival::kLeftAsItWas, L""}}),
              entriesOf(wiper));
    FakeMethod::s_letGo = true;
}

}  // namespace
