// s/file/wiper/win/Wiper.cpp
//
// The run, item by item: folders first descend, alternate data streams go before the data
// of their carrier, then the data is overwritten by the method through an exclusive,
// unbuffered handle, cut in random steps to zero, and the item is renamed, re-attributed,
// re-stamped and removed. An item that fails is left in place (under its first name, with
// its first attributes) and the run goes on; every such survivor is listed in the failures.
//
// Items are reached through handles where the system offers the calls: each is opened by
// its bare name inside its folder's held handle, a folder is listed through its own handle
// and held while its children are wiped (its own end goes through a handle opened for it),
// and a file's overwrite handle, held alone from its check on, takes its cuts, renames,
// attributes, stamps and removal. Under Wine every call by
// whole path looks up the path's folders again and every look-up of a name that is not
// there reads its whole folder (Wine 8.0, measured: see bench/WipeCallBench.cpp).
#include "s/file/wiper/win/Wiper.h"

#include <shlobj.h>

#include <cwchar>
#include <new>

#include "s/base/Lasting.h"
#include "s/file/win/FolderWalk.h"
#include "s/file/win/HandleCheck.h"
#include "s/file/win/IFolderVisitor.h"
#include "s/file/win/NtFile.h"
#include "s/file/win/PathText.h"
#include "s/file/win/PathWin.h"
#include "s/file/win/RandomSource.h"
#include "s/file/win/ShellFileOperation.h"
#include "s/file/wiper/IMethod.h"
#include "s/file/wiper/win/ItemFate.h"
#include "s/file/wiper/win/RandomTimes.h"
#include "s/system/win/DllLocater.h"
#include "s/thread/Pool.h"
#include "s/thread/win/Thread.h"

namespace s::file::wiper::win {

namespace {

using s::file::win::HandleVerdict;
using s::file::win::PathWin;
using s::file::win::RandomSource;
using s::str::strbuffer::StrBuffer;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// A folder's own handle, held while its children are wiped inside it: its check, its first
// attributes, its listing and the opens and renames inside it. Never with DELETE access:
// Windows opens the folder of a rename's target sharing reading and writing alone, so a
// held handle that may delete the folder would turn every rename inside it into a sharing
// violation. Its own end goes through a handle opened for it (kEndAccess).
constexpr DWORD kFolderAccess = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
// A file's first handle: its check and its first attributes.
constexpr DWORD kAttributeAccess = FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
// The handle a rename, the stamps and the removal go through where no other is held.
constexpr DWORD kEndAccess = GENERIC_READ | GENERIC_WRITE | DELETE;

bool isOpen(HANDLE h) { return h && h != INVALID_HANDLE_VALUE; }

void releaseMethod(IMethod* method) {
    if (auto* poolable = dynamic_cast<s::thread::IPoolable*>(method)) poolable->releaseToPool();
}

void notifyDeleted(const wchar_t* path) { SHChangeNotify(SHCNE_DELETE, SHCNF_PATHW | SHCNF_FLUSH, path, nullptr); }

bool isLinkAttributes(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// What the list says of an item a check refused.
Survival refusalOf(HandleVerdict verdict) {
    switch (verdict) {
    case HandleVerdict::kThroughLink: return Survival::kThroughLink;
    case HandleVerdict::kOtherNames: return Survival::kOtherNames;
    default: return Survival::kLeftAsItWas;
    }
}

// A name that a removal took away must be gone: a file system may answer success and keep
// the name, and a removal through a link takes the target and leaves the link (Wine 8.0,
// checked). A name that cannot be read for another reason is not known to be gone.
bool nameIsGone(PathWin* item) {
    if (item->readLiveAttributes() != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The same for a name inside the folder held open as `folder`: looked up there, not along
// the whole path.
bool nameIsGoneIn(PathWin* item, HANDLE folder) {
    StrBuffer name;
    if (!folder || folder == INVALID_HANDLE_VALUE || !item->copyBareName(&name)) return nameIsGone(item);
    return s::file::win::nameIsMissingInFolder(folder, name.cString(), name.length());
}

// Whether anything of an item changed: it went, its data was written, its name changed, or
// something inside it did.
bool wasTouched(const ItemFate& fate, bool gone) {
    return gone || fate.written || fate.destroyed || fate.renamed || fate.inside;
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
        m_failedWhy.clear();
        if (m_failedNow.count()) m_failedNow.reset();
        m_workPath.clear();
        m_workWritten = m_workTouched = false;
        m_workQueued = 0;
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
        closeHeldFolders();
        recordCutShort();
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

void Wiper::addFailedPath(const wchar_t* text) { recordSurvivor(text, Survival::kUnknown); }

// Each entry as text: the path, with the name it has now or the streams it may still hold.
s::str::strarray::StrArray* Wiper::getFailedPaths() {
    auto* copy = s::thread::Pool<s::str::strarray::StrArray>::obtain();
    if (!copy) return nullptr;
    s::thread::Lock lock(m_lock);
    StrBuffer text;
    for (uint32_t i = 0; i < m_failed.count(); ++i) {
        text.setStr(m_failed.at(i));
        const StrBuffer* now = m_failedNow.at(i);
        if (now && now->length()) {
            text.appendText(L" (now ");
            text.appendStr(now);
            text.appendChar(L')');
        } else if (static_cast<Survival>(m_failedWhy.get(i)) == Survival::kStreamsUnknown) {
            text.appendText(L" (its streams could not be listed)");
        }
        copy->addString(text.cString());
    }
    return copy;
}

uint32_t Wiper::getFailedCount() {
    s::thread::Lock lock(m_lock);
    return m_failed.count();
}

bool Wiper::getFailedEntry(uint32_t index, StrBuffer* path, Survival* why, StrBuffer* nowNamed) {
    s::thread::Lock lock(m_lock);
    if (index >= m_failed.count()) return false;
    if (path) path->setStr(m_failed.at(index));
    if (why) *why = static_cast<Survival>(m_failedWhy.get(index));
    if (nowNamed) {
        nowNamed->clear();
        if (const StrBuffer* now = m_failedNow.at(index)) nowNamed->setStr(now);
    }
    return true;
}

void Wiper::setCurrentItem(const wchar_t* text) {
    s::thread::Lock lock(m_lock);
    m_current.setText(text);
}

// The item text is its name; the work record keeps its whole path for a forced end.
void Wiper::beginWork(PathWin* item) {
    StrBuffer name;
    item->copyName(&name, false);
    s::thread::Lock lock(m_lock);
    m_current.setStr(&name);
    m_workPath.setText(item->getFullPath());
    m_workWritten = false;
}

// From here on the item's data is no longer what it was.
void Wiper::markWritten(ItemFate* fate) {
    fate->written = true;
    s::thread::Lock lock(m_lock);
    m_workWritten = m_workTouched = true;
}

void Wiper::markTouched() {
    s::thread::Lock lock(m_lock);
    m_workTouched = true;
}

void Wiper::recordSurvivor(const wchar_t* path, Survival why) {
    s::thread::Lock lock(m_lock);
    m_failed.addString(path ? path : L"");
    m_failedWhy.add(static_cast<int32_t>(why));
    m_failedNow.addString(L"");
}

// A renamed survivor is listed under the path it was queued by, which the user knows, with
// the random name that it has now beside it.
void Wiper::recordRenamedSurvivor(const wchar_t* queuedPath, const wchar_t* currentPath) {
    s::file::win::PathWin current;
    StrBuffer now;
    if (currentPath && _wcsicmp(queuedPath, currentPath) != 0 && current.assignText(currentPath))
        current.copyName(&now, false);
    s::thread::Lock lock(m_lock);
    m_failed.addString(queuedPath);
    m_failedWhy.add(static_cast<int32_t>(now.length() ? Survival::kNameLeftAs : Survival::kNameLeft));
    m_failedNow.addString(now.cString());
}

// An item whose data went but whose alternate data streams could not be listed: they may
// still hold bytes, so the item was not wholly wiped.
void Wiper::recordUnknownStreams(const wchar_t* path) { recordSurvivor(path, Survival::kStreamsUnknown); }

// A worker ended by force told nobody what it left: the file in work (its overwrite begun
// or not), the queued item it belongs to, and every queued item after it, as far as each got.
void Wiper::recordCutShort() {
    StrBuffer leaf;
    bool written = false, touched = false;
    uint32_t queued = 0;
    {
        s::thread::Lock lock(m_lock);
        leaf.setStr(&m_workPath);
        written = m_workWritten;
        touched = m_workTouched;
        queued = m_workQueued;
    }
    PathWin* inWork = s::file::win::pathFromString(leaf.cString());
    const bool leafIsFile = inWork && inWork->exists() && !inWork->isDirectory();
    if (leafIsFile && !isListed(inWork->getFullPath()))
        recordSurvivor(inWork->getFullPath(), written ? Survival::kPartlyOverwritten : Survival::kLeftAsItWas);
    for (uint32_t i = queued; i < m_paths.count(); ++i) {
        PathWin* item = m_paths.item<PathWin>(i);
        if (!item->exists() || isListed(item->getFullPath())) continue;
        Survival why = Survival::kLeftAsItWas;
        if (i == queued && touched) why = item->isDirectory() ? Survival::kPartlyWiped : Survival::kPartlyOverwritten;
        recordSurvivor(item->getFullPath(), why);
    }
    if (inWork) inWork->releaseToPool();
}

bool Wiper::isListed(const wchar_t* path) {
    s::thread::Lock lock(m_lock);
    for (uint32_t i = 0; i < m_failed.count(); ++i)
        if (_wcsicmp(m_failed.at(i)->cString(), path) == 0) return true;
    return false;
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
    for (std::atomic<HANDLE>& slot : m_heldFolders) {
        expected = file;
        if (slot.compare_exchange_strong(expected, nullptr)) break;
    }
    CloseHandle(file);
}

// Each slot is taken and given back whole, so a worker ended at any point leaves every
// recorded handle open and recorded once.
void Wiper::holdFolder(HANDLE folder) {
    if (!folder || folder == INVALID_HANDLE_VALUE) return;
    for (std::atomic<HANDLE>& slot : m_heldFolders) {
        HANDLE expected = nullptr;
        if (slot.compare_exchange_strong(expected, folder)) return;
    }
}

// Only once the worker is gone.
void Wiper::closeHeldFolders() {
    for (std::atomic<HANDLE>& slot : m_heldFolders)
        if (HANDLE h = slot.exchange(nullptr)) CloseHandle(h);
}

void Wiper::runTask() {
    uint32_t count = m_paths.count();
    if (m_method && m_bufferReady && count) {
        float share = 1.0f / static_cast<float>(count);
        bool slack = m_slackMode;
        if (slack && !sfcIsFileProtected()) {
            // Without the system's check no file may be touched in place: none is treated.
            for (uint32_t i = 0; i < count; ++i)
                recordSurvivor(m_paths.item<PathWin>(i)->getFullPath(), Survival::kLeftAsItWas);
            count = 0;
        }
        m_placeDepth = 0;
        for (uint32_t i = 0; i < count; ++i) {
            PathWin* item = m_paths.item<PathWin>(i);
            float from = static_cast<float>(i) * share, to = static_cast<float>(i + 1) * share;
            {
                s::thread::Lock lock(m_lock);
                m_workQueued = i;
                m_workTouched = m_workWritten = false;
                m_workPath.clear();
            }
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
    Descent(Wiper& wiper, float from, float to, bool queued, HANDLE topFolder)
        : m_wiper(wiper), m_from(from), m_to(to), m_queued(queued), m_topFolder(topFolder) {}
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
        HANDLE own = INVALID_HANDLE_VALUE;
        const HANDLE parentHandle = handleOf(above);
        if (!m_wiper.beginItem(&item, queued, parentHandle, &kept, &folder, &own)) return done(above, false, false);
        if (folder) {
            Folder* state = new (std::nothrow) Folder{from, to, kept, queued, true, false, {}, own};
            if (state) return state;
        }
        ItemFate fate;
        const bool ok =
            m_wiper.finishItem(&item, to, queued, kept, folder, !folder, removalsOf(above), &fate, own, parentHandle);
        return done(above, ok, wasTouched(fate, ok));
    }
    void* listingHandle(void* state) override {
        const HANDLE h = static_cast<Folder*>(state)->handle;
        return isOpen(h) ? h : nullptr;
    }
    bool goOn(void* state) override {
        if (!m_wiper.stopRequested()) return true;
        static_cast<Folder*>(state)->result = false;
        return false;
    }
    void leave(PathWin& item, void* state, void* parent, bool whole) override {
        Folder* folder = static_cast<Folder*>(state);
        Folder* above = static_cast<Folder*>(parent);
        ItemFate fate;
        fate.inside = folder->inside;
        const bool ok = m_wiper.finishItem(&item, folder->to, folder->queued, folder->kept, true,
                                           folder->result && whole, removalsOf(above), &fate, folder->handle,
                                           handleOf(above));
        if (!ok) folder->removals.tell();
        delete folder;
        done(above, ok, wasTouched(fate, ok));
    }

private:
    struct Folder {
        float from, to;
        DWORD kept;
        bool queued;
        bool result;
        bool inside;        // something in it was written or removed
        Removals removals;  // of the children, told only when this folder stays
        HANDLE handle;      // its own, or INVALID_HANDLE_VALUE: its children go by path
    };
    HANDLE handleOf(Folder* folder) const { return folder ? folder->handle : m_topFolder; }
    void* done(Folder* above, bool ok, bool touched) {
        if (touched) m_wiper.markTouched();
        if (above) {
            above->result = above->result && ok;
            above->inside = above->inside || touched;
        } else {
            result = ok;
        }
        return nullptr;
    }
    static Removals* removalsOf(Folder* folder) { return folder ? &folder->removals : nullptr; }

    Wiper& m_wiper;
    float m_from, m_to;
    bool m_queued;
    HANDLE m_topFolder;  // the folder that holds the top item, or INVALID_HANDLE_VALUE
};

// Returns whether the item is gone for good. Items refused before any change keep the
// progress where it was; every other item that stays, but a stream, gets its first
// attributes back. `queued` marks the items of the queue itself.
bool Wiper::wipeItem(PathWin* item, float from, float to, bool queued) {
    // Everything under the top item is opened inside its folder's handle: under Wine an open
    // by whole path looks up every folder of the path again (Wine 8.0, measured).
    HANDLE top = INVALID_HANDLE_VALUE;
    if (!item->isStream() && !item->isRootLike() && s::file::win::ntFileCallsAvailable())
        top = s::file::win::openFolderOf(*item, FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES);
    holdFolder(top);
    Descent descent(*this, from, to, queued, top);
    s::file::win::walkFolders(*item, descent);
    closeHeld(top);
    return descent.result;
}

// Up to the first change of the item: false when it is refused, which leaves it untouched.
bool Wiper::beginItem(PathWin* item, bool queued, HANDLE parent, DWORD* kept, bool* folder, HANDLE* own) {
    if (stopRequested()) {
        // A queued item that a stop kept the run from reaching survives like any other.
        if (queued && (item->isRootLike() || item->exists())) recordSurvivor(item->getFullPath(), Survival::kLeftAsItWas);
        return false;
    }
    beginWork(item);
    if (!queued && hasInexpressibleName(item)) {
        // Listed by its folder, but no call reaches it by that name: it stays, and says so.
        recordSurvivor(item->getFullPath(), Survival::kLeftAsItWas);
        return false;
    }
    if (item->isRootLike()) {
        recordSurvivor(item->getFullPath(), Survival::kLeftAsItWas);
        return false;
    }
    if (!item->exists()) {
        // A queued item that is not there was not wiped: a mistyped path is no success. A
        // child that went since its folder was listed is gone; one that cannot be read (a
        // pipe of the host system, Wine 8.0, checked) stays.
        const DWORD error = GetLastError();
        if (queued || (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND))
            recordSurvivor(item->getFullPath(), queued ? Survival::kNotFound : Survival::kLeftAsItWas);
        return false;
    }
    // A link is never changed: not its attributes, not through it. Read fresh, at every
    // level, just before the first change.
    *kept = item->isStream() ? item->getAttributes() : item->readLiveAttributes();
    if (*kept == INVALID_FILE_ATTRIBUTES) {
        recordSurvivor(item->getFullPath(), Survival::kLeftAsItWas);
        return false;
    }
    if (isLinkAttributes(*kept) || item->isReparsePoint()) {
        recordSurvivor(item->getFullPath(), Survival::kThroughLink);
        return false;
    }
    *folder = !item->isStream() && (*kept & FILE_ATTRIBUTE_DIRECTORY);
    // A stream is reached through its carrier, which was checked before it.
    if (item->isStream()) {
        item->setAttributes(FILE_ATTRIBUTE_NORMAL);
        item->addAttributes(FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        return true;
    }
    // The handle checked is the one the first attributes go through; a folder keeps it for
    // its children and its end. Where it cannot be had, a handle for the check alone, and
    // the attributes by path, as the system allows them.
    HANDLE h = s::file::win::ntFileCallsAvailable()
                   ? holdOpen(item->openInOwnFolder(parent, *folder ? kFolderAccess : kAttributeAccess, kShareAll,
                                                    FILE_FLAG_BACKUP_SEMANTICS))
                   : INVALID_HANDLE_VALUE;
    const bool through = isOpen(h);
    if (!through) h = holdOpen(item->openInOwnFolder(parent, FILE_READ_ATTRIBUTES, kShareAll, FILE_FLAG_BACKUP_SEMANTICS));
    const HandleVerdict verdict = isOpen(h) ? checkOpenItem(item, h, *folder) : HandleVerdict::kUnknown;
    if (verdict != HandleVerdict::kItself) {
        closeHeld(h);
        recordSurvivor(item->getFullPath(), refusalOf(verdict));
        return false;
    }
    if (through) {
        item->setAttributesThrough(h, FILE_ATTRIBUTE_NORMAL);
        item->addAttributesThrough(h, FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        if (*folder) item->addAttributesThrough(h, FILE_ATTRIBUTE_DIRECTORY);
    } else {
        item->setAttributes(FILE_ATTRIBUTE_NORMAL);
        item->addAttributes(FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
        if (*folder) item->addAttributes(FILE_ATTRIBUTE_DIRECTORY);
    }
    if (*folder && through) {
        *own = h;
        holdFolder(h);
    } else
        closeHeld(h);  // a file is opened again, alone, for its overwrite
    return true;
}

// After a folder's children (whose outcome `result` holds): its streams, its data, its end.
bool Wiper::finishItem(PathWin* item, float to, bool queued, DWORD kept, bool folder, bool result,
                       Removals* removals, ItemFate* fate, HANDLE own, HANDLE parent) {
    bool streamsKnown = true;
    if (!item->isStream() && item->isNtfs()) result = wipeStreams(item, to, &streamsKnown) && result;
    if (result && !folder && item->mayHoldData()) {
        // Writing over such data would not reach the clusters that hold it: the file is left.
        if (s::file::win::isRewrittenElsewhere(kept))
            result = false;
        else
            result = overwriteAndCut(item, to, fate, parent, &own);
    }
    if (result && !stopRequested())
        result = renameStampAndRemove(item, queued, folder, removals, fate, own, parent);
    else
        closeHeld(own);
    // A pass loop stopped between two passes answers true; the item is not done all the same.
    if (stopRequested() && item->exists()) result = false;

    // What a check found to lead elsewhere is not changed back either: that would reach
    // through the link. An item wiped whole has no name left to change back (its last one
    // was seen gone).
    if (!result && !item->isStream() && fate->refused != Survival::kThroughLink && item->exists())
        item->setAttributes(s::file::win::settableAttributes(kept));
    // A failed item keeps its first name, and so do its parents (they fail with it).
    if (!result && item->exists()) recordSurvivor(item->getFullPath(), survivalOf(*fate, folder));
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
// On success the handle is kept in *keep when it may also rename and remove the file: held
// alone since its check, it is the file itself up to the end.
bool Wiper::overwriteAndCut(PathWin* item, float to, ItemFate* fate, HANDLE parent, HANDLE* keep) {
    constexpr DWORD kFlags = FILE_FLAG_NO_BUFFERING | FILE_ATTRIBUTE_NORMAL;
    HANDLE file = holdOpen(item->openInOwnFolder(parent, GENERIC_READ | GENERIC_WRITE | DELETE, 0, kFlags));
    const bool toTheEnd = isOpen(file);
    if (!toTheEnd) file = holdOpen(item->openInOwnFolder(parent, GENERIC_READ | GENERIC_WRITE, 0, kFlags));
    if (file == INVALID_HANDLE_VALUE) return false;
    const HandleVerdict verdict = checkOpenItem(item, file, false);
    if (verdict != HandleVerdict::kItself) fate->refused = refusalOf(verdict);
    LARGE_INTEGER size;
    bool result = verdict == HandleVerdict::kItself && isDiskFile(file) && GetFileSizeEx(file, &size);
    if (result && size.QuadPart > 0) {
        uint64_t length = static_cast<uint64_t>(item->roundUpToCluster(size.QuadPart));
        // A stop asked before the passes keeps every byte (they answer at once).
        if (!stopRequested()) markWritten(fate);
        result = m_method->overwrite(file, length, m_buffer, static_cast<int32_t>(kBufferSize),
                                     m_progress.load(), to, &m_progress, &m_stop, 0);
    }
    if (result) {
        uint64_t cut = static_cast<uint64_t>(size.QuadPart);
        bool cutToNothing = false;
        for (int32_t k = m_sizeChangeCount - 1; k >= 0 && !stopRequested(); --k) {
            cut = (k != 0 && cut > 0) ? RandomSource::random64() % cut : 0;
            if (!cutTo(file, cut, k == 0 || stopRequested()))
                result = false;
            else if (k == 0)
                cutToNothing = true;
        }
        fate->destroyed = fate->written && result && cutToNothing;
    }
    if (result && toTheEnd && keep) {
        *keep = file;
        return true;
    }
    closeHeld(file);
    return result;
}

// Through handles where the item's folder is held open: the item's own handle (or one opened
// for this), checked, renamed inside the folder, re-attributed, re-stamped and removed.
bool Wiper::renameStampAndRemove(PathWin* item, bool queued, bool folder, Removals* removals, ItemFate* fate,
                                 HANDLE own, HANDLE parent) {
    if (item->isStream() || !isOpen(parent) || !s::file::win::ntFileCallsAvailable()) {
        closeHeld(own);
        return renameStampAndRemoveByPath(item, queued, folder, removals, fate);
    }
    // A folder's held handle may not rename or remove it (see kFolderAccess).
    if (folder) {
        closeHeld(own);
        own = INVALID_HANDLE_VALUE;
    }
    // A file's own handle is its overwrite's: checked then, and held alone since.
    const bool checked = isOpen(own);
    HANDLE h = isOpen(own) ? holdOpen(own)
                           : holdOpen(item->openInOwnFolder(parent, kEndAccess, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                            FILE_FLAG_BACKUP_SEMANTICS));
    if (!isOpen(h)) return renameStampAndRemoveByPath(item, queued, folder, removals, fate);
    // The name about to change must still lead to the item itself: a folder's children took long.
    const HandleVerdict verdict = checked ? HandleVerdict::kItself : checkOpenItem(item, h, folder);
    if (verdict != HandleVerdict::kItself) {
        fate->refused = refusalOf(verdict);
        closeHeld(h);
        return false;
    }
    StrBuffer* received = s::thread::Pool<StrBuffer>::obtain();
    if (!received || !item->renameToRandomNameThrough(h, parent, m_renameCount, received, &m_stop)) {
        closeHeld(h);
        if (received) received->releaseToPool();
        return false;
    }
    fate->renamed = true;
    bool result = false;
    PathWin* renamed = s::file::win::pathFromString(received->cString());
    if (renamed) {
        result = stampAndRemoveThrough(renamed, h, parent, folder, removals);
        if (!result && queued && renamed->exists()) recordRenamedSurvivor(item->getFullPath(), renamed->getFullPath());
        renamed->releaseToPool();
    } else {
        closeHeld(h);
        if (queued) recordRenamedSurvivor(item->getFullPath(), received->cString());
    }
    received->releaseToPool();
    return result;
}

bool Wiper::renameStampAndRemoveByPath(PathWin* item, bool queued, bool folder, Removals* removals, ItemFate* fate) {
    if (item->isStream()) return item->remove(false, false) && nameIsGone(item);
    // The name about to change must still lead to the item itself. A file's handle was
    // checked just before (its overwrite's, or its first); a folder's children took long.
    const HandleVerdict verdict = folder ? checkItem(item, folder) : HandleVerdict::kItself;
    if (verdict != HandleVerdict::kItself) {
        fate->refused = refusalOf(verdict);
        return false;
    }
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
    fate->renamed = true;
    PathWin* renamed = s::file::win::pathFromString(received->cString());
    if (renamed) {
        // What stays keeps its random name. Only a top-level item's name is final (a
        // parent's rename would make a child's text stale); a child that stays keeps its
        // parent from being removed, so the queued item is listed then.
        result = stampAndRemove(renamed, folder, removals);
        if (!result && queued && renamed->exists()) recordRenamedSurvivor(item->getFullPath(), renamed->getFullPath());
        renamed->releaseToPool();
    } else {
        result = false;
        if (queued) recordRenamedSurvivor(item->getFullPath(), received->cString());  // no path to remove it through
    }
    received->releaseToPool();
    return result;
}

// The item under its random name: checked to be itself, re-attributed, re-stamped through
// the handle the check looked at, and removed. True only when its name is seen gone. A
// folder goes only when empty: what appeared in it meanwhile was never overwritten.
bool Wiper::stampAndRemove(PathWin* renamed, bool folder, Removals* removals) {
    HANDLE stamp = holdOpen(renamed->openItem(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              FILE_FLAG_BACKUP_SEMANTICS));
    const HandleVerdict verdict =
        stamp != INVALID_HANDLE_VALUE ? checkOpenItem(renamed, stamp, folder) : checkItem(renamed, folder);
    if (verdict != HandleVerdict::kItself) {
        closeHeld(stamp);
        return false;
    }
    randomizeAttributes(renamed);
    if (stamp != INVALID_HANDLE_VALUE) randomizeTimes(stamp);
    closeHeld(stamp);
    const bool removed = renamed->removeItemOnly(!removals);
    if (!nameIsGone(renamed)) return false;
    if (removed && removals) removals->add(renamed->getFullPath(), folder);
    return true;
}

// As stampAndRemove, through the handle the rename went through (closed here). The item
// goes as that handle closes; only then can its name be seen gone.
bool Wiper::stampAndRemoveThrough(PathWin* renamed, HANDLE item, HANDLE parent, bool folder, Removals* removals) {
    if (checkOpenItem(renamed, item, folder) != HandleVerdict::kItself) {
        closeHeld(item);
        return false;
    }
    randomizeAttributesThrough(renamed, item, folder);
    randomizeTimes(item);
    const bool removed = renamed->removeOnClose(item);
    closeHeld(item);
    if (removed && !removals) s::file::win::notifyShell(folder ? SHCNE_RMDIR : SHCNE_DELETE, renamed->getFullPath());
    if (!nameIsGoneIn(renamed, parent)) return false;
    if (removed && removals) removals->add(renamed->getFullPath(), folder);
    return true;
}

void Wiper::randomizeAttributesThrough(PathWin* item, HANDLE handle, bool folder) {
    for (int32_t k = 0; k < m_attributeChangeCount && !stopRequested(); ++k)
        item->setAttributesThrough(handle, randomAttributes(RandomSource::draw(), folder));
    item->setAttributesThrough(handle, folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL);
}

void Wiper::randomizeAttributes(PathWin* item) {
    const bool folder = item->isDirectory();
    for (int32_t k = 0; k < m_attributeChangeCount && !stopRequested(); ++k)
        item->setAttributes(randomAttributes(RandomSource::draw(), folder));
    item->setAttributes(folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL);
}

void Wiper::randomizeTimes(HANDLE file) {
    for (int32_t k = 0; k < m_timestampChangeCount && !stopRequested(); ++k) {
        FileTimes times = randomFileTimes(m_referenceTime);
        FILETIME creation = {static_cast<DWORD>(times.creation), static_cast<DWORD>(times.creation >> 32)};
        FILETIME access = {static_cast<DWORD>(times.access), static_cast<DWORD>(times.access >> 32)};
        FILETIME write = {static_cast<DWORD>(times.write), static_cast<DWORD>(times.write >> 32)};
        SetFileTime(file, &creation, &access, &write);
    }
}

// A handle opened for the check alone: reading attributes needs no sharing from others.
HandleVerdict Wiper::checkItem(PathWin* item, bool folder) {
    HANDLE h = holdOpen(item->openItem(FILE_READ_ATTRIBUTES, kShareAll, FILE_FLAG_BACKUP_SEMANTICS));
    if (h == INVALID_HANDLE_VALUE) return HandleVerdict::kUnknown;
    const HandleVerdict verdict = checkOpenItem(item, h, folder);
    closeHeld(h);
    return verdict;
}

// A folder found to be itself is where its children lie: its final path serves them all.
HandleVerdict Wiper::checkOpenItem(PathWin* item, HANDLE handle, bool folder) {
    StrBuffer final;
    const HandleVerdict verdict =
        s::file::win::checkHandle(handle, *item, folderPlaceOf(item), folder, folder ? &final : nullptr);
    if (verdict == HandleVerdict::kItself && folder && final.length()) pushPlace(item->getFullPath(), final.cString());
    return verdict;
}

// Where the item's folder really is; null where the system cannot tell (then the attributes
// are the rule). The walk goes depth first, so the folder is one of those kept, and the ones
// kept after it are done with; any other is the folder of a queued item, read now.
const wchar_t* Wiper::folderPlaceOf(PathWin* item) {
    if (!s::file::win::finalPathFunction()) return nullptr;
    StrBuffer dir;
    item->copyDir(&dir, false);
    for (uint32_t k = m_placeDepth; k-- > 0;) {
        if (wcscmp(m_placeFolders.at(k)->cString(), dir.cString()) != 0) continue;
        m_placeDepth = k + 1;
        return m_places.at(k)->length() ? m_places.at(k)->cString() : nullptr;
    }
    StrBuffer place;
    if (!s::file::win::readFolderPlace(*item, &place)) place.clear();
    m_placeDepth = 0;
    pushPlace(dir.cString(), place.cString());
    return place.length() ? m_places.at(0)->cString() : nullptr;
}

// The kept strings are reused, never freed, while the wiper lives.
void Wiper::pushPlace(const wchar_t* folder, const wchar_t* place) {
    const uint32_t k = m_placeDepth;
    if (k < m_placeFolders.count() && k < m_places.count()) {
        m_placeFolders.at(k)->setText(folder);
        m_places.at(k)->setText(place);
    } else if (k != m_placeFolders.count() || k != m_places.count() || !m_placeFolders.addString(folder) ||
               !m_places.addString(place)) {
        return;  // no room: the next folder is read again
    }
    m_placeDepth = k + 1;
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
    void* listingHandle(void*) override { return nullptr; }
    bool goOn(void*) override { return !m_wiper.stopRequested(); }
    void leave(PathWin& folder, void* state, void* parent, bool whole) override {
        // What was not listed was not treated.
        if (!whole && !m_wiper.stopRequested()) m_wiper.recordSurvivor(folder.getFullPath(), Survival::kLeftAsItWas);
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
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        recordSurvivor(item->getFullPath(), Survival::kLeftAsItWas);
        return false;
    }
    if (isLinkAttributes(attributes) || item->isReparsePoint()) {
        recordSurvivor(item->getFullPath(), Survival::kThroughLink);
        return false;
    }
    if (!item->isStream() && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        *folder = true;
        return true;
    }
    if (!item->isStream()) {
        const HandleVerdict verdict = checkItem(item, false);
        if (verdict != HandleVerdict::kItself) {
            recordSurvivor(item->getFullPath(), refusalOf(verdict));
            return false;
        }
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
        recordSurvivor(item->getFullPath(), Survival::kLeftAsItWas);
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
        if (checkOpenItem(item, file, false) == HandleVerdict::kItself && isDiskFile(file) &&
            GetFileSizeEx(file, &size)) {
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
