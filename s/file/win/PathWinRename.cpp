// s/file/win/PathWinRename.cpp
//
// Renames and moves. A rename never replaces anything: the target must not exist, and
// MoveFileExW is not allowed to replace (so a target that appears meanwhile still refuses).
#include "s/file/win/PathWin.h"

#include <shlobj.h>

#include "s/file/win/NtFile.h"
#include "s/file/win/PathText.h"
#include "s/file/win/RandomName.h"
#include "s/file/win/RandomSource.h"
#include "s/file/win/ShellFileOperation.h"
#include "s/thread/Pool.h"

namespace s::file::win {

namespace {

using s::str::strbuffer::StrBuffer;

constexpr int32_t kTriesPerRound = 20;
constexpr DWORD kRetryPauseMs = 50;
constexpr uint32_t kShortestStretch = 3;

MoveFunction g_move = &MoveFileExW;

bool stopped(const std::atomic<bool>* stop) { return stop && stop->load(); }

enum class Outcome { kRenamed, kTryAgain, kRefused };

// Waiting helps a rename that met a sharing violation (another process holds the item for
// a moment); a refusal for lack of permission stays whatever name is tried.
bool isRefusal(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT || error == ERROR_PRIVILEGE_NOT_HELD;
}

// The item at `from` renamed to `to`, by the rules of renameTo.
Outcome renameItem(const StrBuffer& from, const StrBuffer& to) {
    PathWin source;
    SetLastError(ERROR_SUCCESS);
    if (source.assignPath(&from) && source.renameTo(to.cString())) return Outcome::kRenamed;
    return isRefusal(GetLastError()) ? Outcome::kRefused : Outcome::kTryAgain;
}

}  // namespace

MoveFunction installMoveFunction(MoveFunction move) {
    MoveFunction before = g_move;
    g_move = move ? move : &MoveFileExW;
    return before;
}

bool PathWin::renameTo(const wchar_t* text) {
    if (refusesChange()) return false;
    PathWin target;
    if (!target.assignText(text) || target.isRootLike() || target.exists()) return false;
    return g_move(getApiPath(), target.getApiPath(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool PathWin::renameToRandomName(int32_t count, StrBuffer* received, bool restoreAttributes,
                                 const std::atomic<bool>* stop) {
    if (m_stream || refusesChange()) return false;
    const DWORD kept = readLiveAttributes();
    if (kept == INVALID_FILE_ATTRIBUTES) return false;
    StrBuffer* current = received ? received : s::thread::Pool<StrBuffer>::obtain();
    if (!current) return false;
    current->setStr(&m_fullPath);
    setAttributes(FILE_ATTRIBUTE_NORMAL);
    addAttributes(FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | (kept & FILE_ATTRIBUTE_DIRECTORY));
    const RenameTry byPath = [](const StrBuffer& from, const StrBuffer& to, void*) {
        return static_cast<int>(renameItem(from, to));
    };
    const bool renamed = renameInRounds(count, current, stop, byPath, nullptr);
    if (restoreAttributes) {
        PathWin final;
        if (final.assignPath(current)) final.setAttributes(settableAttributes(kept));
    }
    if (!received) current->releaseToPool();
    return renamed;
}

namespace {

struct HandleRename {
    HANDLE item;
    HANDLE folder;
    uint32_t nameStart;
};

// A name already there refuses the rename by itself: no look-up of it comes first (under
// Wine each look-up of a missing name reads the whole folder; Wine 8.0, checked).
int renameThroughHandle(const StrBuffer&, const StrBuffer& to, void* context) {
    const HandleRename* rename = static_cast<const HandleRename*>(context);
    const uint32_t start = rename->nameStart;
    SetLastError(ERROR_SUCCESS);
    if (renameInFolder(rename->item, rename->folder, to.chars() + start, to.length() - start))
        return static_cast<int>(Outcome::kRenamed);
    return static_cast<int>(isRefusal(GetLastError()) ? Outcome::kRefused : Outcome::kTryAgain);
}

}  // namespace

bool PathWin::renameToRandomNameThrough(HANDLE item, HANDLE folder, int32_t count, StrBuffer* received,
                                        const std::atomic<bool>* stop) {
    if (m_stream || refusesChange() || !received) return false;
    loadAttributesThrough(item);
    const DWORD kept = m_attributes;
    if (kept == INVALID_FILE_ATTRIBUTES) return false;
    received->setStr(&m_fullPath);
    setAttributesThrough(item, FILE_ATTRIBUTE_NORMAL);
    addAttributesThrough(item, FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | (kept & FILE_ATTRIBUTE_DIRECTORY));
    uint32_t separator = 0;
    if (!received->lastIndexOf(L'\\', &separator)) return false;
    HandleRename rename{item, folder, separator + 1};
    return renameInRounds(count, received, stop, &renameThroughHandle, &rename);
}

// The rounds of a random rename, each try made by `tryRename` from the current name to a
// candidate; *current follows every rename that succeeded.
bool PathWin::renameInRounds(int32_t count, StrBuffer* current, const std::atomic<bool>* stop, RenameTry tryRename,
                             void* context) {
    bool renamed = false;
    uint32_t separator = 0;
    if (count >= 1 && current->lastIndexOf(L'\\', &separator) && separator + 1 < current->length()) {
        const uint32_t nameStart = separator + 1;
        uint32_t stretch = current->length() - nameStart;
        StrBuffer candidate;
        bool refused = false;
        for (int32_t round = 0; round < count && !refused && !stopped(stop); ++round) {
            candidate.setStr(current);
            if (stretch < kShortestStretch) {
                candidate.appendText(L"__");
                ++stretch;
            }
            // After a round without rename the stretch may have outgrown the current name.
            while (candidate.length() < nameStart + stretch) candidate.appendChar(L'_');
            for (int32_t attempt = 0; attempt < kTriesPerRound && !stopped(stop); ++attempt) {
                randomizeStretch(candidate.chars(), nameStart, nameStart + stretch, &RandomSource::draw);
                // The device would be opened instead of a file of that name.
                if (isReservedDeviceName(candidate.chars() + nameStart, candidate.length() - nameStart)) continue;
                Outcome outcome = static_cast<Outcome>(tryRename(*current, candidate, context));
                if (outcome == Outcome::kTryAgain && !stopped(stop)) {
                    Sleep(kRetryPauseMs);
                    if (!stopped(stop)) outcome = static_cast<Outcome>(tryRename(*current, candidate, context));
                }
                if (outcome == Outcome::kRefused) {
                    refused = true;
                    break;
                }
                if (outcome == Outcome::kRenamed) {
                    current->setStr(&candidate);
                    renamed = true;
                    break;
                }
            }
        }
    }
    return renamed;
}

bool PathWin::moveTo(const wchar_t* target, bool replace, bool notify) {
    if (refusesChange()) return false;
    PathWin to;
    if (!to.assignText(target) || to.isRootLike()) return false;
    const bool folder = isKnownFolder();
    DWORD flags = MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!MoveFileExW(getApiPath(), to.getApiPath(), flags)) return false;
    if (notify) {
        notifyShell(folder ? SHCNE_RMDIR : SHCNE_DELETE, getFullPath());
        notifyShell(folder ? SHCNE_MKDIR : SHCNE_CREATE, to.getFullPath());
    }
    return true;
}

}  // namespace s::file::win
