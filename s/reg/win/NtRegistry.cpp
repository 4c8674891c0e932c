// s/reg/win/NtRegistry.cpp
#include "s/reg/win/NtRegistry.h"

#include <atomic>
#include <cwchar>

#include "s/reg/win/UserSid.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/win/DllLocater.h"
#include "s/system/win/OsVersion.h"
#include "s/thread/ObjLocker.h"

namespace s::reg::win {

namespace {

using s::str::strbuffer::StrBuffer;

// Every name must be present for the layer to load; the first twelve, in this order, are
// the calls of NtRegistry.
const char* const kEntryNames[] = {
    "NtOpenKey", "NtCreateKey", "NtClose", "NtDeleteKey", "NtRenameKey", "NtFlushKey",
    "NtQueryValueKey", "NtSetValueKey", "NtDeleteValueKey", "NtEnumerateKey",
    "NtEnumerateValueKey", "RtlInitUnicodeString",
    "NtOpenThread", "NtQueryKey", "NtSetInformationKey", "NtQueryMultipleValueKey",
    "NtNotifyChangeKey", "NtCreateFile", "RtlAllocateHeap", "RtlFreeHeap", "NtRestoreKey",
    "NtSaveKey", "NtLoadKey", "NtLoadKey2", "NtReplaceKey", "NtUnloadKey", "RtlInitString",
    "RtlInitAnsiString", "RtlAnsiStringToUnicodeString", "RtlUnicodeStringToAnsiString",
    "RtlFreeAnsiString", "RtlFreeUnicodeString",
};
constexpr size_t kEntryCount = sizeof kEntryNames / sizeof kEntryNames[0];
static_assert(kEntryCount == 32, "the native set");

struct Root {
    HKEY key;
    const wchar_t* name;
    const wchar_t* nativePath;  // null: HKEY_CURRENT_USER, from the SID
};

const Root kRoots[] = {
    {HKEY_CLASSES_ROOT, L"HKEY_CLASSES_ROOT", L"\\Registry\\Machine\\SOFTWARE\\Classes"},
    {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", nullptr},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE", L"\\Registry\\Machine"},
    {HKEY_USERS, L"HKEY_USERS", L"\\Registry\\User"},
    {HKEY_CURRENT_CONFIG, L"HKEY_CURRENT_CONFIG",
     L"\\Registry\\Machine\\System\\CurrentControlSet\\Hardware Profiles\\Current"},
};

enum class State { kUnknown, kLoaded, kFailed };

struct Loader {
    s::thread::ObjLocker lock;
    std::atomic<State> state{State::kUnknown};
    s::system::win::DllLocater ntdll;
    NtRegistry calls = {};
    StrBuffer currentUserPath;
    const wchar_t* currentUserText = L"";  // its text, set once before state becomes kLoaded
};

Loader& loader() {
    static Loader instance;
    return instance;
}

template <class F>
void bind(F* slot, void* address) {
    *slot = reinterpret_cast<F>(address);
}

bool resolve(Loader& l) {
    if (!s::system::win::osVersion().isNt) return false;
    if (!l.ntdll.load(L"ntdll.dll")) return false;
    void* found[kEntryCount];
    for (size_t i = 0; i < kEntryCount; ++i) {
        found[i] = reinterpret_cast<void*>(l.ntdll.function(kEntryNames[i]));
        if (!found[i]) return false;
    }
    NtRegistry& c = l.calls;
    bind(&c.openKey, found[0]);
    bind(&c.createKey, found[1]);
    bind(&c.close, found[2]);
    bind(&c.deleteKey, found[3]);
    bind(&c.renameKey, found[4]);
    bind(&c.flushKey, found[5]);
    bind(&c.queryValueKey, found[6]);
    bind(&c.setValueKey, found[7]);
    bind(&c.deleteValueKey, found[8]);
    bind(&c.enumerateKey, found[9]);
    bind(&c.enumerateValueKey, found[10]);
    bind(&c.initUnicodeString, found[11]);
    return true;
}

// The user's tree; false and the error code when the SID cannot be read. The path stays
// empty then: "\Registry\User\" alone would name HKEY_USERS, not the user.
bool setCurrentUserPath(Loader& l, uint32_t* error) {
    StrBuffer sid;
    if (!currentUserSidText(&sid, error)) return false;
    l.currentUserPath.setText(L"\\Registry\\User\\");
    if (l.currentUserPath.appendStr(&sid)) {
        l.currentUserText = l.currentUserPath.cString();
        return true;
    }
    l.currentUserPath.clear();
    *error = ERROR_NOT_ENOUGH_MEMORY;
    return false;
}

const Root* findRoot(HKEY key) {
    for (const Root& root : kRoots)
        if (root.key == key) return &root;
    return nullptr;
}

}  // namespace

const NtRegistry* ntRegistry() {
    Loader& l = loader();
    State state = l.state.load(std::memory_order_acquire);
    if (state == State::kUnknown) {
        uint32_t sidError = 0;
        {
            s::thread::Lock lock(l.lock);
            state = l.state.load(std::memory_order_relaxed);
            if (state == State::kUnknown) {
                state = resolve(l) ? State::kLoaded : State::kFailed;
                if (state == State::kLoaded && !setCurrentUserPath(l, &sidError) && sidError == 0)
                    sidError = ERROR_INVALID_SID;
                l.state.store(state, std::memory_order_release);
            }
        }
        // Outside the lock: the box waits for the user, and other threads need not.
        if (sidError) reportRegistryError(sidError);
    }
    return state == State::kLoaded ? &l.calls : nullptr;
}

const wchar_t* rootName(HKEY root) {
    const Root* r = findRoot(root);
    return r ? r->name : nullptr;
}

const wchar_t* rootNativePath(HKEY root) {
    const Root* r = findRoot(root);
    if (!r) return nullptr;
    if (r->nativePath) return r->nativePath;
    return ntRegistry() ? loader().currentUserText : L"";
}

bool splitRootName(const wchar_t* text, HKEY* root, const wchar_t** rest) {
    if (!text) return false;
    for (const Root& r : kRoots) {
        size_t n = std::wcslen(r.name);
        if (_wcsnicmp(text, r.name, n) == 0 && text[n] == L'\\') {
            *root = r.key;
            *rest = text + n + 1;
            return true;
        }
    }
    return false;
}

}  // namespace s::reg::win
