// tests/e2e/LongPath.h
//
// A file whose full path is longer than MAX_PATH, made inside a sandbox through the long
// form ("\\?\"), the only form Windows accepts for such paths: folders of long names under
// `top` (made here), then a file of exactly the length asked for.
#pragma once
#include <windows.h>

#include <string>

#include "support/Sandbox.h"

namespace tests::program {

// The file's full path (plain form, `length` characters), or "" when a step failed.
inline std::wstring makeLongFile(const tests::Sandbox& box, const std::wstring& top, size_t length,
                                 const std::string& bytes) {
    std::wstring path = box.at(top);
    if (!CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr)) return L"";
    constexpr size_t kStep = 120;  // a folder name well below the 255 a name may have
    while (path.size() + 1 + kStep + 1 + 8 < length) {
        path += L"\\" + std::wstring(kStep, L'd');
        if (!CreateDirectoryW((L"\\\\?\\" + path).c_str(), nullptr)) return L"";
    }
    const size_t nameLength = length - path.size() - 1;
    if (nameLength < 5) return L"";
    path += L"\\" + std::wstring(nameLength - 4, L'f') + L".bin";
    HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return L"";
    DWORD written = 0;
    const bool good = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return good && written == bytes.size() ? path : L"";
}

inline bool longPathExists(const std::wstring& path) {
    return GetFileAttributesW((L"\\\\?\\" + path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace tests::program
