// s/file/wiper/win/Wiper.h
//
// The wiping engine on Windows (see IWiper). It owns a worker thread, the write buffer, the
// method and the queue of paths; the worker runs the wipe while the caller polls. Shared
// state: the progress and the stop flag are atomics; the item text and the failure list are
// guarded by the wiper's lock. Pooled (capacity 1000); a wiper released or destroyed never
// leaves a run going.
//
// The failure list names every item the run did not wholly wipe, by the path it was queued
// by (or found under, inside a queued folder): a queued item that is missing or a root, one
// it could not open or list, a child no call reaches by its listed name. A queued item left
// under a random name reads "PATH (now NAME)"; one whose data went but whose streams could
// not be listed "PATH (its streams could not be listed)". Slack mode lists what it could not
// treat the same way.
//
// What it never does: follow a link. An item that is a junction, symbolic link or mount
// point is left as it is wherever it is met (checked just before the item is changed), and
// every handle that changes an item is opened on the item itself.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "s/col/_array/ArrayP.h"
#include "s/file/wiper/IWiper.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/IPoolable.h"
#include "s/thread/ITask.h"
#include "s/thread/ObjLocker.h"

namespace s::thread::win { class Thread; }
namespace s::file::win { class PathWin; }

namespace s::file::wiper::win {

class Wiper final : public s::file::wiper::IWiper,
                    public virtual s::thread::IPoolable,
                    public s::thread::ITask {
public:
    static constexpr uint32_t kBufferSize = 10567680;  // 0xA14000: a multiple of 3 and 16,384
    static constexpr int32_t kStopWaitMs = 5000;
    static constexpr int32_t kDefaultCount = 2;

    Wiper();
    ~Wiper() override;
    Wiper(const Wiper&) = delete;
    Wiper& operator=(const Wiper&) = delete;

    // IWiper
    bool prepare() override;
    void reset() override;
    void setMethod(IMethod* method) override;
    void setSizeChangeCount(int32_t count) override;
    void setRenameCount(int32_t count) override;
    void setAttributeChangeCount(int32_t count) override;
    void setTimestampChangeCount(int32_t count) override;
    void setSlackMode(bool on) override;
    bool addPath(const wchar_t* path) override;
    bool start() override;
    bool isRunning() const override { return m_running; }
    void stop(bool wait) override;
    int32_t getProgressPercent() const override;
    void getCurrentPath(s::str::strbuffer::StrBuffer* out) override;
    void addFailedPath(const wchar_t* text) override;
    s::str::strarray::StrArray* getFailedPaths() override;

    // ITask: the run, on the worker
    void run() override { runTask(); }

    // IObject
    const wchar_t* classId() const override { return L"s_file_wiper_win_Wiper"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    using PathWin = s::file::win::PathWin;

    void runTask();
    void endRun();
    class Descent;
    struct Removals;
    bool wipeItem(PathWin* item, float from, float to, bool queued);
    bool beginItem(PathWin* item, bool queued, DWORD* kept, bool* folder);
    bool finishItem(PathWin* item, float to, bool queued, DWORD kept, bool folder, bool result, Removals* removals);
    bool wipeStreams(PathWin* item, float to, bool* known);
    bool overwriteAndCut(PathWin* item, float to);
    bool renameStampAndRemove(PathWin* item, bool queued, Removals* removals);
    void randomizeAttributes(PathWin* item);
    void randomizeTimes(PathWin* item);
    class SlackDescent;
    bool wipeSlack(PathWin* item, float from, float to);
    bool wipeSlackItem(PathWin* item, float to, bool* folder);
    void wipeSlackData(PathWin* item, float to, bool* result);
    void setCurrentItem(const wchar_t* text);
    void recordSurvivor(const wchar_t* path);
    void recordRenamedSurvivor(const wchar_t* queuedPath, const wchar_t* currentPath);
    void recordUnknownStreams(const wchar_t* path);
    bool stopRequested() const { return m_stop.load(std::memory_order_relaxed); }
    HANDLE holdOpen(HANDLE file);
    void closeHeld(HANDLE file);
    void freeBuffer();

    s::thread::ObjLocker m_lock;  // guards m_current and m_failed
    s::str::strarray::StrArray m_failed;
    s::thread::win::Thread* m_worker = nullptr;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_stop{false};
    bool m_bufferReady = false;
    void* m_buffer = nullptr;
    IMethod* m_method = nullptr;
    s::col::_array::ArrayP m_paths;  // PathWin, returned to their pool
    s::str::strbuffer::StrBuffer m_current;
    std::atomic<float> m_progress{0.0f};
    uint64_t m_referenceTime = 0;
    int32_t m_sizeChangeCount = kDefaultCount;
    int32_t m_renameCount = kDefaultCount;
    int32_t m_attributeChangeCount = kDefaultCount;
    int32_t m_timestampChangeCount = kDefaultCount;
    bool m_slackMode = false;
    // The handle the worker holds open on the item in work: a worker terminated by a
    // waiting stop would otherwise leave the file locked until the process ends.
    std::atomic<HANDLE> m_held{nullptr};
};

}  // namespace s::file::wiper::win
