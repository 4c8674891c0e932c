// s/file/wiper/win/Wiper.cpp
//
// The run, item by item: folders first descend, alternate data streams go before the data
// of their carrier, then the data is overwritten by the method through an exclusive,
// unbuffered handle, cut in random steps to zero, and the item is renamed, re-attributed,
// re-stamped and removed. An item that fails is left in place (under its first name, with
// its first attributes) and the run goes on; every such survivor is listed in the failures.
#include "s/file/wiper/win/Wiper.h"

#include <shlobj.h>

#include <cwchar>
#include <new>

#include "s/base/Lasting.h"
#include "s/file/win/FolderWalk.h"
#include "s/file/win/IFolderVisitor.h"
#include "s/file/win/PathText.h"
#include "s/file/win/PathWin.h"
#include "s/file/win/RandomSource.h"
#include "s/file/win/ShellFileOperation.h"
#include "s/file/wiper/IMethod.h"
#include "s/file/wiper/win/RandomTimes.h"
#include "s/system/win/DllLocater.h"
#include "s/thread/Pool.h"
#include "s/thread/win/Thread.h"

namespace s::file::wiper::win {

namespace {

using s::file::win::PathWin;
using s::file::win::RandomSource;
using s::str::strbuffer::StrBuffer;

void releaseMethod(IMethod* method) {
    if (auto* poolable = dynamic_cast<s::thread::IPoolable*>(method)) poolable->releaseToPool();
}

void notifyDeleted(const wchar_t* path) { SHChangeNotify(SHCNE_DELETE, SHCNF_PATHW | SHCNF_FLUSH, path, nullptr); }

bool isLinkAttributes(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A handle's own view of what it opened: a handle that reached a link instead of the item
// (a link swapped in after the item was examined) is refused.
bool handleIsLink(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info;
    return !GetFileInformationByHandle(file, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool hasInexpressibleName(const PathWin* item) {
    StrBuffer name;
    item->copyName(&name, false);
    return s::file::win::hasInexpressibleCharacter(name.chars(), name.length());
}

// Only a file on a disk is written to, never a device or pipe that answered to its name.
bool isDiskFile(HANDLE file) { return GetFileType(file) == FILE_TYPE_DISK; }

// Only the last cut is flushed: the data itself reached the disk with every pass, and a
// flush per intermediate length tripled the disk waits of a small file (the cuts are the
// most flushes a small file gets) while leaving nothing more of its data to recover.
bool cutTo(HANDLE file, uint64_t size, bool last) {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file) &&
           (!last || FlushFileBuffers(file));
}

// The random attributes of one change: read-only never, hidden and system now and then.
// The folder bit is the item's own: SetFileAttributesW ignores it anyway, and a file that
// the path object believed to be a folder would take the folder road when it is removed.
DWORD randomAttributes(int32_t draw, bool folder) {
    uint8_t b = static_cast<uint8_t>(draw);
    DWORD attributes = 0;
    if (b < 20) attributes |= FILE_ATTRIBUTE_SYSTEM;
    if (b < 7) attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (!attributes) attributes = FILE_ATTRIBUTE_NORMAL;
    return folder ? (attributes | FILE_ATTRIBUTE_DIRECTORY) : attributes;
}

using SfcIsFileProtectedFunction = BOOL(WINAPI*)(HANDLE, LPCWSTR);

// Looked up once per process; null when the system has no such check.
SfcIsFileProtectedFunction sfcIsFileProtected() {
    static const SfcIsFileProtectedFunction function = [] {
        static s::base::Lasting<s::system::win::DllLocater> sfc(L"sfc.dll");
        FARPROC found = sfc.get().function("SfcIsFileProtected");
        return reinterpret_cast<SfcIsFileProtectedFunction>(reinterpret_cast<void (*)()>(found));
    }();
    return function;
}

}  // namespace

Wiper::Wiper() {
    m_paths.setElementDestructor(&s::thread::Pool<PathWin>::pooler());
    m_worker = s::thread::Pool<s::thread::win::Thread>::obtain();
    if (m_worker) m_worker->setPriority(THREAD_PRIORITY_NORMAL);
    resetForReuse();
}

Wiper::~Wiper() {
    resetForReuse();
    delete m_worker;
}

bool Wiper::prepare() {
    if (m_running) return false;
    if (m_bufferReady) return true;
    m_buffer = VirtualAlloc(nullptr, kBufferSize, MEM_COMMIT, PAGE_READWRITE);
    m_bufferReady = m_buffer != nullptr;
    if (!m_bufferReady) reset();
    return m_bufferReady;
}

void Wiper::freeBuffer() {
    if (m_buffer) VirtualFree(m_buffer, 0, MEM_RELEASE);
    m_buffer = nullptr;
    m_bufferReady = false;
}

// Only while idle: a run reads the buffer, the method and the queue without a lock.
void Wiper::reset() {
    if (m_running) return;
    freeBuffer();
    setMethod(nullptr);
    m_paths.freeAll();
    {
        s::thread::Lock lock(m_lock);
        m_current.clear();
        if (m_failed.count()) m_failed.reset();
    }
    m_progress = 0.0f;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    m_referenceTime = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    m_sizeChangeCount = m_renameCount = m_attributeChangeCount = m_timestampChangeCount = kDefaultCount;
    m_slackMode = false;
}

void Wiper::setMethod(IMethod* method) {
    if (m_running) {
        if (method != m_method) releaseMethod(method);
        return;
    }
    if (m_method && m_method != method) releaseMethod(m_method);
    m_method = method;
}

void Wiper::setSizeChangeCount(int32_t count) {
    if (!m_running) m_sizeChangeCount = count;
}

void Wiper::setRenameCount(int32_t count) {
    if (!m_running) m_renameCount = count;
}

void Wiper::setAttributeChangeCount(int32_t count) {
    if (!m_running) m_attributeChangeCount = count;
}

void Wiper::setTimestampChangeCount(int32_t count) {
    if (!m_running) m_timestampChangeCount = count;
}

void Wiper::setSlackMode(bool on) {
    if (!m_running) m_slackMode = on;
}

bool Wiper::addPath(const wchar_t* path) {
    if (m_running || !path) return false;
    PathWin* item = s::file::win::pathFromString(path);
    if (!item) return false;
    if (m_paths.add(item)) return true;
    item->releaseToPool();
    return false;
}

// Without a buffer nothing may run: the passes would write through a missing block.
bool Wiper::start() {
    if (m_stop && m_running) stop(true);
    if (m_running || !m_bufferReady || !m_worker) return false;
    // A stop asked while idle, or as the last run ended, is not this run's: kept, it would
    // end the run before its first item and leave every item in place, none listed.
    m_stop = false;
    m_running = true;
    if (m_worker->runOnce(this)) return true;
    m_running = false;
    return false;
}

void Wiper::stop(bool wait) {
    m_stop = true;
    if (!wait || !m_worker) return;
    // The worker is never ended inside the wiper's lock, which every caller takes.
    if (!m_worker->waitOrTerminate(kStopWaitMs, &m_lock)) {
        // The worker was terminated in the middle of the run: nothing of it ends itself.
        closeHeld(m_held.exchange(nullptr));
    }
    endRun();
}

// Without the lock: after a forced stop nothing the dead worker held may be waited for.
// Stop is cleared first, so a wiper seen idle never carries a stale stop into its next run.
void Wiper::endRun() {
    m_stop = false;
    m_running = false;
}

int32_t Wiper::getProgressPercent() const {
    double percent = static_cast<double>(m_progress.load()) * 100.0;
    if (percent <= 0.0) return 0;
    if (percent >= 100.0) return 100;
    return static_cast<int32_t>(percent);
}

void Wiper::getCurrentPath(StrBuffer* out) {
    if (!out) return;
    out->clear();
    s::thread::Lock lock(m_lock);
    out->appendStr(&m_current);
}

void Wiper::addFailedPath(const wchar_t* text) {
    s::thread::Lock lock(m_lock);
    m_failed.addString(text ? text : L"");
}

s::str::strarray::StrArray* Wiper::getFailedPaths() {
    auto* copy = s::thread::Pool<s::str::strarray::StrArray>::obtain();
    if (!copy) return nullptr;
    s::thread::Lock lock(m_lock);
    for (uint32_t i = 0; i < m_failed.count(); ++i) copy->addString(m_failed.at(i)->cString());
    return copy;
}

void Wiper::setCurrentItem(const wchar_t* text) {
    s::thread::Lock lock(m_lock);
    m_current.setText(text);
}

void Wiper::recordSurvivor(const wchar_t* path) { addFailedPath(path); }

// A renamed survivor is listed under the path it was queued by, which the user knows, with
// the random name that it has now beside it: "C:\docs\a.txt (now Xq3.f7M)".
void Wiper::recordRenamedSurvivor(const wchar_t* queuedPath, const wchar_t* currentPath) {
    s::file::win::PathWin current;
    StrBuffer text;
    text.setText(queuedPath);
    if (currentPath && _wcsicmp(queuedPath, currentPath) != 0 && current.assignText(currentPath)) {
        text.appendText(L" (now ");
        current.copyName(&text, true);
        text.appendChar(L')');
    }
    addFailedPath(text.cString());
}

// An item whose data went but whose alternate data streams could not be listed: they may
// still hold bytes, so the item was not wholly wiped.
void Wiper::recordUnknownStreams(const wchar_t* path) {
    StrBuffer text;
    text.setText(path);
    text.appendText(L" (its streams could not be listed)");
    addFailedPath(text.cString());
}

// The worker owns the record only while the handle is open; it forgets the handle before
// closing it, so a termination in between leaks a handle rather than closing a reused one.
HANDLE Wiper::holdOpen(HANDLE file) {
    if (file != INVALID_HANDLE_VALUE) m_held = file;
    return file;
}

void Wiper::closeHeld(HANDLE file) {
    if (!file || file == INVALID_HANDLE_VALUE) return;
    HANDLE expected = file;  // compare_exchange writes what it found into its first argument
    m_held.compare_exchange_strong(expected, nullptr);
    CloseHandle(file);
}

void Wiper::runTask() {
    uint32_t count = m_paths.count();
    if (m_method && m_bufferReady && count) {
        float share = 1.0f / static_cast<float>(count);
        bool slack = m_slackMode;
        if (slack && !sfcIsFileProtected()) {
            // Without the system's check no file may be touched in place: none is treated.
            for (uint32_t i = 0; i < count; ++i) recordSurvivor(m_paths.item<PathWin>(i)->getFullPath());
            count = 0;
        }
        for (uint32_t i = 0; i < count; ++i) {
            PathWin* item = m_paths.item<PathWin>(i);
            float from = static_cast<float>(i) * share, to = static_cast<float>(i + 1) * share;
            if (slack) {
                if (stopRequested()) break;
                wipeSlack(item, from, to);
                continue;
            }
            StrBuffer* initial = s::str::strbuffer::newStrBuffer(item->getFullPath());
            wipeItem(item, from, to, true);
            PathWin* check = s::file::win::pathFromString(initial ? initial->cString() : L"");
            if (initial && check && !check->exists()) notifyDeleted(initial->cString());
            if (check) check->releaseToPool();
            if (initial) initial->releaseToPool();
        }
    }
    endRun();
}

// Removals inside a folder are told to the shell only when the folder itself stays: the
// removal of the folder tells it of everything that was in it, and each notice costs the
// shell a look at every folder of the path (Wine 8.0: a lookup and a desktop.ini read per
// component, so one notice per item of a deep tree costs its depth squared; checked).
struct Wiper::Removals {
    s::str::strarray::StrArray* files = nullptr;
    s::str::strarray::StrArray* folders = nullptr;

    void add(const wchar_t* path, bool folder) {
        s::str::strarray::StrArray*& list = folder ? folders : files;
        if (!list) list = s::thread::Pool<s::str::strarray::StrArray>::obtain();
        if (list && list->addString(path)) return;
        s::file::win::notifyShell(folder ? SHCNE_RMDIR : SHCNE_DELETE, path);  // no room to keep it: tell now
    }
    // The folder stays: what went from it is told now.
    void tell() {
        for (uint32_t i = 0; files && i < files->count(); ++i) s::file::win::notifyShell(SHCNE_DELETE, files->at(i)->cString());
        for (uint32_t i = 0; folders && i < folders->count(); ++i)
            s::file::win::notifyShell(SHCNE_RMDIR, folders->at(i)->cString());
    }
    ~Removals() {
        if (files) files->releaseToPool();
        if (folders) folders->releaseToPool();
    }
};

// One queued item and everything in it, deepest first, with a stack of its own (see
// FolderWalk.h). Each folder keeps its share of the progress range, its first attributes
// and whether everything in it went well so far.
class Wiper::Descent final : public s::file::win::IFolderVisitor {
public:
    Descent(Wiper& wiper, float from, float to, bool queued) : m_wiper(wiper), m_from(from), m_to(to), m_queued(queued) {}
    bool result = false;

    void* enter(PathWin& item, void* parent, uint32_t index, uint32_t count) override {
        Folder* above = static_cast<Folder*>(parent);
        float from = m_from, to = m_to;
        if (above) {
            const float width = (above->to - above->from) / static_cast<float>(count);
            from = above->from + static_cast<float>(index) * width;
            to = from + width;
        }
        const bool queued = !above && m_queued;
        DWORD kept = 0;
        bool folder = false;
        if (!m_wiper.beginItem(&item, queued, &kept, &folder)) return done(above, false);
        if (folder) {
            Folder* state = new (std::nothrow) Folder{from, to, kept, queued, true, {}};
            if (state) return state;
        }
        return done(above, m_wiper.finishItem(&item, to, queued, kept, folder, !folder, removalsOf(above)));
    }
    bool goOn(void* state) override {
        if (!m_wiper.stopRequested()) return true;
        static_cast<Folder*>(state)->result = false;
        return false;
    }
    void leave(PathWin& item, void* state, void* parent, bool whole) override {
        Folder* folder = static_cast<Folder*>(state);
        Folder* above = static_cast<Folder*>(parent);
        const bool ok = m_wiper.finishItem(&item, folder->to, folder->queued, folder->kept, true,
                                           folder->result && whole, removalsOf(above));
        if (!ok) folder->removals.tell();
        delete folder;
        done(above, ok);
    }

private:
    struct Folder {
        float from, to;
        DWORD kept;
        bool queued;
        bool result;
        Removals removals;  // of the children, told only when this folder stays
    };
    void* done(Folder* above, bool ok) {
        if (above)
            above->result = above->result && ok;
        else
            result = ok;
        return nullptr;
    }
    static Removals* removalsOf(Folder* folder) { return folder ? &folder->removals : nullptr; }

    Wiper& m_wiper;
    float m_from, m_to;
    bool m_queued;
};

// Returns whether the item is gone for good. Items refused before any change keep the
// progress where it was; every other item that stays, but a stream, gets its first
// attributes back. `queued` marks the items of the queue itself.
bool Wiper::wipeItem(PathWin* item, float from, float to, bool queued) {
    Descent descent(*this, from, to, queued);
    s::file::win::walkFolders(*item, descent);
    return descent.result;
}

// Up to the first change of the item: false when it is refused, which leaves it untouched.
bool Wiper::beginItem(PathWin* item, bool queued, DWORD* kept, bool* folder) {
    if (stopRequested()) {
        // A queued item that a stop kept the run from reaching survives like any other.
        if (queued && (item->isRootLike() || item->exists())) recordSurvivor(item->getFullPath());
        return false;
    }
    {
        StrBuffer* name = item->copyName(nullptr, false);
        setCurrentItem(name ? name->cString() : L"");
        if (name) name->releaseToPool();
    }
    if (!queued && hasInexpressibleName(item)) {
        // Listed by its folder, but no call reaches it by that name: it stays, and says so.
        recordSurvivor(item->getFullPath());
        return false;
    }
    if (item->isRootLike()) {
        recordSurvivor(item->getFullPath());
        return false;
    }
    if (!item->exists()) {
        // A queued item that is not there was not wiped: a mistyped path is no success. A
        // child that went since its folder was listed is gone; one that cannot be read (a
        // pipe of the host system, Wine 8.0, checked) stays.
        const DWORD error = GetLastError();
        if (queued || (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND))
            recordSurvivor(item->getFullPath());
        return false;
    }
    // A link is never changed: not its attributes, not through it. Read fresh, at every
    // level, just before the first change.
    *kept = item->isStream() ? item->getAttributes() : item->readLiveAttributes();
    if (*kept == INVALID_FILE_ATTRIBUTES || isLinkAttributes(*kept) || item->isReparsePoint()) {
        recordSurvivor(item->getFullPath());
        return false;
    }
    *folder = !item->isStream() && (*kept & FILE_ATTRIBUTE_DIRECTORY);
    item->setAttributes(FILE_ATTRIBUTE_NORMAL);
    item->addAttributes(FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (*folder) item->addAttributes(FILE_ATTRIBUTE_DIRECTORY);
    return true;
}

// After a folder's children (whose outcome `result` holds): its streams, its data, its end.
bool Wiper::finishItem(PathWin* item, float to, bool queued, DWORD kept, bool folder, bool result,
                       Removals* removals) {
    bool streamsKnown = true;
    if (!item->isStream() && item->isNtfs()) result = wipeStreams(item, to, &streamsKnown) && result;
    if (result && !folder && item->mayHoldData()) {
        // Writing over such data would not reach the clusters that hold it: the file is left.
        if (s::file::win::isRewrittenElsewhere(kept))
            result = false;
        else
            result = overwriteAndCut(item, to);
    }
    if (result && !stopRequested()) result = renameStampAndRemove(item, queued, removals);
    // A pass loop stopped between two passes answers true; the item is not done all the same.
    if (stopRequested() && item->exists()) result = false;

    if (!item->isStream() && item->exists()) item->setAttributes(s::file::win::settableAttributes(kept));
    // A failed item keeps its first name, and so do its parents (they fail with it).
    if (!result && item->exists()) recordSurvivor(item->getFullPath());
    if (result && !streamsKnown) recordUnknownStreams(item->getFullPath());
    m_progress = to;
    return result;
}

// *known turns false when the volume keeps streams but this item's could not be listed.
bool Wiper::wipeStreams(PathWin* item, float to, bool* known) {
    s::col::_array::ArrayP* streams = item->listEveryStream(known);
    if (!streams) {
        *known = false;
        return true;
    }
    bool result = true;
    for (uint32_t k = 0; k < streams->count(); ++k) {
        if (stopRequested()) {
            result = false;
            break;
        }
        if (!wipeItem(streams->item<PathWin>(k), to, to, false)) result = false;
    }
    streams->releaseToPool();
    return result;
}

// The length written is taken from the open handle, so a file that grew after it was
// queued is overwritten to its end, rounded up to whole clusters.
bool Wiper::overwriteAndCut(PathWin* item, float to) {
    HANDLE file = holdOpen(item->openItem(GENERIC_READ | GENERIC_WRITE, 0,
                                          FILE_FLAG_NO_BUFFERING | FILE_ATTRIBUTE_NORMAL));
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool result = !handleIsLink(file) && isDiskFile(file) && GetFileSizeEx(file, &size);
    if (result && size.QuadPart > 0) {
        uint64_t length = static_cast<uint64_t>(item->roundUpToCluster(size.QuadPart));
        result = m_method->overwrite(file, length, m_buffer, static_cast<int32_t>(kBufferSize),
                                     m_progress.load(), to, &m_progress, &m_stop, 0);
    }
    if (result) {
        uint64_t cut = static_cast<uint64_t>(size.QuadPart);
        for (int32_t k = m_sizeChangeCount - 1; k >= 0 && !stopRequested(); --k) {
            cut = (k != 0 && cut > 0) ? RandomSource::random64() % cut : 0;
            if (!cutTo(file, cut, k == 0 || stopRequested())) result = false;
        }
    }
    closeHeld(file);
    return result;
}

bool Wiper::renameStampAndRemove(PathWin* item, bool queued, Removals* removals) {
    if (item->isStream()) return item->remove(false, false);
    StrBuffer* received = s::thread::Pool<StrBuffer>::obtain();
    if (!received) return false;
    bool result = item->renameToRandomName(m_renameCount, received, false, &m_stop);
    if (!result) {
        if (received->length() && _wcsicmp(received->cString(), item->getFullPath()) != 0) {
            PathWin* moved = s::file::win::pathFromString(received->cString());
            if (moved) {
                moved->renameTo(item->getFullPath());
                moved->releaseToPool();
            }
        }
        received->releaseToPool();
        return false;
    }
    PathWin* renamed = s::file::win::pathFromString(received->cString());
    if (renamed) {
        randomizeAttributes(renamed);
        randomizeTimes(renamed);
        // What stays after a failed removal keeps its random name. Only a top-level item's
        // name is final (a parent's rename would make a child's text stale); a child that
        // stays keeps its parent from being removed, so the queued item is listed then. A
        // folder goes only when empty: what appeared in it meanwhile was never overwritten.
        const bool folder = renamed->isDirectory();
        if (renamed->removeItemOnly(!removals)) {
            if (removals) removals->add(renamed->getFullPath(), folder);
        } else if (queued && renamed->exists()) {
            recordRenamedSurvivor(item->getFullPath(), renamed->getFullPath());
        }
        renamed->releaseToPool();
    } else if (queued) {
        recordRenamedSurvivor(item->getFullPath(), received->cString());  // no path to remove it through
    }
    received->releaseToPool();
    return result;
}

void Wiper::randomizeAttributes(PathWin* item) {
    const bool folder = item->isDirectory();
    for (int32_t k = 0; k < m_attributeChangeCount && !stopRequested(); ++k)
        item->setAttributes(randomAttributes(RandomSource::draw(), folder));
    item->setAttributes(folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL);
}

void Wiper::randomizeTimes(PathWin* item) {
    HANDLE file = holdOpen(item->openItem(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          FILE_FLAG_BACKUP_SEMANTICS));
    if (file == INVALID_HANDLE_VALUE) return;
    if (!handleIsLink(file)) {
        for (int32_t k = 0; k < m_timestampChangeCount && !stopRequested(); ++k) {
            FileTimes times = randomFileTimes(m_referenceTime);
            FILETIME creation = {static_cast<DWORD>(times.creation), static_cast<DWORD>(times.creation >> 32)};
            FILETIME access = {static_cast<DWORD>(times.access), static_cast<DWORD>(times.access >> 32)};
            FILETIME write = {static_cast<DWORD>(times.write), static_cast<DWORD>(times.write >> 32)};
            SetFileTime(file, &creation, &access, &write);
        }
    }
    closeHeld(file);
}

// Slack mode, through the same walk: folders only share out the progress range; their
// children's results are not combined, so a folder answers true.
class Wiper::SlackDescent final : public s::file::win::IFolderVisitor {
public:
    SlackDescent(Wiper& wiper, float from, float to) : m_wiper(wiper), m_from(from), m_to(to) {}
    bool result = false;

    void* enter(PathWin& item, void* parent, uint32_t index, uint32_t count) override {
        Range* above = static_cast<Range*>(parent);
        float from = m_from, to = m_to;
        if (above) {
            const float width = (above->to - above->from) / static_cast<float>(count);
            from = above->from + static_cast<float>(index) * width;
            to = from + width;
        }
        bool folder = false;
        const bool ok = m_wiper.wipeSlackItem(&item, to, &folder);
        if (folder) {
            if (Range* state = new (std::nothrow) Range{from, to}) return state;
            m_wiper.m_progress = to;
        }
        if (!above) result = ok;
        return nullptr;
    }
    bool goOn(void*) override { return !m_wiper.stopRequested(); }
    void leave(PathWin& folder, void* state, void* parent, bool whole) override {
        // What was not listed was not treated.
        if (!whole && !m_wiper.stopRequested()) m_wiper.recordSurvivor(folder.getFullPath());
        m_wiper.m_progress = static_cast<Range*>(state)->to;
        delete static_cast<Range*>(state);
        if (!parent) result = true;
    }

private:
    struct Range {
        float from, to;
    };
    Wiper& m_wiper;
    float m_from, m_to;
};

// Slack mode: only the tail of each file's last cluster, past the end of its data, is
// overwritten; the file stays where it is with its data, times and attributes. Every item
// that could not be treated so is listed.
bool Wiper::wipeSlack(PathWin* item, float from, float to) {
    SlackDescent descent(*this, from, to);
    s::file::win::walkFolders(*item, descent);
    return descent.result;
}

// One item of a slack run; *folder tells that its children come next.
bool Wiper::wipeSlackItem(PathWin* item, float to, bool* folder) {
    if (stopRequested()) return false;
    setCurrentItem(item->getFullPath());
    const DWORD attributes = item->isRootLike() ? INVALID_FILE_ATTRIBUTES
                             : item->isStream() ? item->getAttributes()
                                                : item->readLiveAttributes();
    if (attributes == INVALID_FILE_ATTRIBUTES || isLinkAttributes(attributes) || item->isReparsePoint()) {
        recordSurvivor(item->getFullPath());
        return false;
    }
    if (!item->isStream() && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        *folder = true;
        return true;
    }
    bool result = true;
    bool streamsKnown = true;
    if (!item->isStream() && item->isNtfs()) {
        s::col::_array::ArrayP* streams = item->listEveryStream(&streamsKnown);
        for (uint32_t k = 0; streams && k < streams->count() && !stopRequested(); ++k)
            wipeSlack(streams->item<PathWin>(k), to, to);
        if (streams) streams->releaseToPool();
    }
    SfcIsFileProtectedFunction isProtected = sfcIsFileProtected();
    if (isProtected && !isProtected(nullptr, item->getFullPath()) && !s::file::win::isRewrittenElsewhere(attributes))
        wipeSlackData(item, to, &result);
    else
        result = false;
    if (!result && !stopRequested())
        recordSurvivor(item->getFullPath());
    else if (!streamsKnown)
        recordUnknownStreams(item->getFullPath());
    m_progress = to;
    return result;
}

void Wiper::wipeSlackData(PathWin* item, float to, bool* result) {
    const DWORD attributes = item->getAttributes();
    item->setAttributes(FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_NORMAL);
    HANDLE file = holdOpen(item->openItem(GENERIC_READ | GENERIC_WRITE, 0, FILE_FLAG_WRITE_THROUGH));
    if (file == INVALID_HANDLE_VALUE) {
        *result = false;
    } else {
        FILETIME creation, access, write;
        bool timesKept = GetFileTime(file, &creation, &access, &write);
        LARGE_INTEGER size;
        if (!handleIsLink(file) && isDiskFile(file) && GetFileSizeEx(file, &size)) {
            uint64_t end = static_cast<uint64_t>(item->roundUpToCluster(size.QuadPart));
            if (end > static_cast<uint64_t>(size.QuadPart)) {
                *result = m_method->overwrite(file, end, m_buffer, static_cast<int32_t>(kBufferSize),
                                              m_progress.load(), to, &m_progress, &m_stop, size.QuadPart) &&
                          *result;
                cutTo(file, static_cast<uint64_t>(size.QuadPart), true);
            }
        } else {
            *result = false;
        }
        if (timesKept) SetFileTime(file, &creation, &access, &write);
        closeHeld(file);
    }
    item->setAttributes(s::file::win::settableAttributes(attributes));
}

s::base::IObject* Wiper::newInstance() const { return s::thread::Pool<Wiper>::obtain(); }

void Wiper::releaseToPool() { s::thread::Pool<Wiper>::release(this); }

void Wiper::resetForReuse() {
    stop(true);
    endRun();
    reset();
}

}  // namespace s::file::wiper::win
