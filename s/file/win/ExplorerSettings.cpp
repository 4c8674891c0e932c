// s/file/win/ExplorerSettings.cpp
#include "s/file/win/ExplorerSettings.h"

#include <atomic>
#include <new>

#include "s/base/Lasting.h"
#include "s/reg/win/RegDir.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/ObjLocker.h"

namespace s::file::win {

namespace {

const wchar_t kAdvancedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

// The key path the readers use; each reader opens it again when it has changed.
struct KeyChoice {
    s::thread::ObjLocker lock;
    s::str::strbuffer::StrBuffer path;
    std::atomic<uint32_t> generation{1};
};

KeyChoice& keyChoice() {
    static KeyChoice* const choice = [] {
        static s::base::Lasting<KeyChoice> lasting;
        lasting.get().path.setText(kAdvancedKey);
        return &lasting.get();
    }();
    return *choice;
}

struct SettingKey {
    s::thread::ObjLocker lock;
    s::reg::win::RegDir key;
    uint32_t generation = 0;
};

SettingKey& hiddenKey() {
    static s::base::Lasting<SettingKey> key;
    return key.get();
}

SettingKey& superHiddenKey() {
    static s::base::Lasting<SettingKey> key;
    return key.get();
}

DWORD readSetting(SettingKey& setting, const wchar_t* name, DWORD missing) {
    s::thread::Lock lock(setting.lock);
    KeyChoice& choice = keyChoice();
    const uint32_t generation = choice.generation.load();
    if (setting.generation != generation) {
        s::str::strbuffer::StrBuffer path;
        {
            s::thread::Lock pathLock(choice.lock);
            path.setStr(&choice.path);
        }
        setting.key.close();
        setting.key.openAt(HKEY_CURRENT_USER, path.cString());
        setting.generation = generation;
    }
    return setting.key.getU32(name, missing);
}

}  // namespace

DWORD explorerHiddenSetting() { return readSetting(hiddenKey(), L"Hidden", 1); }

DWORD explorerShowSuperHiddenSetting() { return readSetting(superHiddenKey(), L"ShowSuperHidden", 0); }

void useExplorerSettingsKey(const wchar_t* keyPath) {
    KeyChoice& choice = keyChoice();
    s::thread::Lock lock(choice.lock);
    choice.path.setText(keyPath ? keyPath : kAdvancedKey);
    choice.generation.fetch_add(1);
}

}  // namespace s::file::win
