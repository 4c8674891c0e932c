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
// it could not open or list, a child no call reaches by its listed name, one whose name was
// still there after it was deleted, and, after a stop or a forced end, the item cut short.
// Each entry says how the item was left (see Survival). As text, a queued item left under a
// random name reads "PATH (now NAME)"; one whose data went but whose streams could not be
// listed "PATH (its streams could not be listed)". Slack mode lists what it could not treat
// the same way.
//
// What it never does: reach outside the item. An item that is a junction, symbolic link or
// mount point, or a file that other names share (hard links), is left as it is wherever it
// is met: before anything of an item is written, cut, renamed or deleted, a handle on it must
// be the item itself (see s/file/win/HandleCheck.h), and every handle that changes an item is
// opened on the item itself and checked so.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "s/col/_array/ArrayP.h"
#include "s/col/_array/ArrayS32.h"
#include "s/file/wiper/IWiper.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/IPoolable.h"
#include "s/thread/ITask.h"
#include "s/thread/ObjLocker.h"

namespace s::thread::win { class Thread; }
namespace s::file::win {
class PathWin;
enum class HandleVerdict;
}  // namespace s::file::win

namespace s::file::wiper::win {

struct ItemFate;

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
    uint32_t getFailedCount() override;
    bool getFailedEntry(uint32_t index, s::str::strbuffer::StrBuffer* path, Survival* why,
                        s::str::strbuffer::StrBuffer* nowNamed) override;

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

    using HandleVerdict = s::file::win::HandleVerdict;

    void runTask();
    void endRun();
    class Descent;
    struct Removals;
    bool wipeItem(PathWin* item, float from, float to, bool queued);
    // `parent` is an open handle on the folder that holds the item (null or invalid: none,
    // every call goes by path); `own` the item's own handle: a folder's, held from its check
    // until its children are done, or a file's overwrite handle, held to its end.
    bool beginItem(PathWin* item, bool queued, HANDLE parent, DWORD* kept, bool* folder, HANDLE* own);
    bool finishItem(PathWin* item, float to, bool queued, DWORD kept, bool folder, bool result, Removals* removals,
                    ItemFate* fate, HANDLE own, HANDLE parent);
    bool wipeStreams(PathWin* item, float to, bool* known);
    bool overwriteAndCut(PathWin* item, float to, ItemFate* fate, HANDLE parent, HANDLE* keep);
    bool renameStampAndRemove(PathWin* item, bool queued, bool folder, Removals* removals, ItemFate* fate, HANDLE own,
                              HANDLE parent);
    bool renameStampAndRemoveByPath(PathWin* item, bool queued, bool folder, Removals* removals, ItemFate* fate);
    bool stampAndRemove(PathWin* renamed, bool folder, Removals* removals);
    bool stampAndRemoveThrough(PathWin* renamed, HANDLE item, HANDLE parent, bool folder, Removals* removals);
    void randomizeAttributes(PathWin* item);
    void randomizeAttributesThrough(PathWin* item, HANDLE handle, bool folder);
    void randomizeTimes(HANDLE file);
    class SlackDescent;
    bool wipeSlack(PathWin* item, float from, float to);
    bool wipeSlackItem(PathWin* item, float to, bool* folder);
    void wipeSlackData(PathWin* item, float to, bool* result);
    // The checks that an item is itself (see s/file/win/HandleCheck.h): on a handle open on
    // it, or on one opened for the check alone.
    HandleVerdict checkOpenItem(PathWin* item, HANDLE handle, bool folder);
    HandleVerdict checkItem(PathWin* item, bool folder);
    const wchar_t* folderPlaceOf(PathWin* item);
    void pushPlace(const wchar_t* folder, const wchar_t* place);
    void beginWork(PathWin* item);
    void markWritten(ItemFate* fate);
    void markTouched();
    void setCurrentItem(const wchar_t* text);
    void recordSurvivor(const wchar_t* path, Survival why);
    void recordRenamedSurvivor(const wchar_t* queuedPath, const wchar_t* currentPath);
    void recordUnknownStreams(const wchar_t* path);
    void recordCutShort();
    bool isListed(const wchar_t* path);
    bool stopRequested() const { return m_stop.load(std::memory_order_relaxed); }
    HANDLE holdOpen(HANDLE file);
    void closeHeld(HANDLE file);
    void holdFolder(HANDLE folder);
    void closeHeldFolders();
    void freeBuffer();

    s::thread::ObjLocker m_lock;  // guards m_current, the failure list and the work record
    // The failure list: paths, why each stayed, the name each has now ("" for its own).
    s::str::strarray::StrArray m_failed;
    s::col::_array::ArrayS32 m_failedWhy;
    s::str::strarray::StrArray m_failedNow;
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
    // The same for the folders' handles held while their children are wiped: the first
    // kHeldFolders of a tree (deeper ones are not recorded; a forced end leaks them).
    static constexpr uint32_t kHeldFolders = 64;
    std::atomic<HANDLE> m_heldFolders[kHeldFolders] = {};
    // What a worker ended by force leaves to be told (under the lock): the item in work,
    // whether its overwrite began, the queued item it belongs to and whether anything of
    // that went.
    s::str::strbuffer::StrBuffer m_workPath;
    bool m_workWritten = false;
    uint32_t m_workQueued = 0;
    bool m_workTouched = false;
    // Where the folders of the item in work really are (their final paths; empty where that
    // could not be read), from the queued item's folder down to the folder in work: each
    // read once and kept while its children are checked. The first m_placeDepth entries
    // count; the worker's own.
    s::str::strarray::StrArray m_placeFolders;
    s::str::strarray::StrArray m_places;
    uint32_t m_placeDepth = 0;
};

}  // namespace s::file::wiper::win
