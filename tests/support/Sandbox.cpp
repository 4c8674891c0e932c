// tests/support/Sandbox.cpp
#include "support/Sandbox.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>

namespace tests {

namespace {

std::wstring sandboxRoot() {
    const wchar_t* root = _wgetenv(L"S_SANDBOX_ROOT");
    if (!root || !*root) return L"";
    std::wstring r = root;
    if (r.back() != L'\\') r += L'\\';
    DWORD marker = GetFileAttributesW((r + L"sandbox.root").c_str());
    if (marker == INVALID_FILE_ATTRIBUTES || (marker & FILE_ATTRIBUTE_DIRECTORY)) return L"";
    return r;
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Wine removes no link itself (see tools/wine-session): the session does, on request.
void removeLink(const std::wstring& link) {
    HANDLE h = CreateFileW((link + L".rmlink").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    CloseHandle(h);
    for (int waited = 0; waited < 5000 && exists(link + L".rmlink"); waited += 10) Sleep(10);
}

// Wine shows a link to a file as a plain file (Wine 8.0, checked); a handle on it shows
// where it leads: anywhere but its own path.
bool leadsElsewhere(const std::wstring& item) {
    using Final = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
    static const Final final = reinterpret_cast<Final>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW")));
    if (!final) return false;
    HANDLE h = CreateFileW(item.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    wchar_t path[4096] = {};
    const DWORD got = final(h, path, 4096, 0);
    CloseHandle(h);
    return got && got < 4096 && _wcsicmp(path, item.c_str()) != 0;
}

// Removes a tree without ever following a link. Through the long form, so that a file
// named like a device ("COM1") that a test left is removed, not the device reached.
void removeTree(const std::wstring& path, bool listed) {
    const std::wstring item = L"\\\\?\\" + path;
    DWORD attributes = GetFileAttributesW(item.c_str());
    // A name that was listed but reads as missing is a link whose target went first.
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (listed) removeLink(path);
        return;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || leadsElsewhere(item)) {
        removeLink(path);
        return;
    }
    SetFileAttributesW(item.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(item.c_str());
        return;
    }
    {
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((item + L"\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") removeTree(path + L"\\" + name, true);
            } while (FindNextFileW(find, &found));
            FindClose(find);
        }
    }
    RemoveDirectoryW(item.c_str());
}

}  // namespace

Sandbox::Sandbox() {
    static std::atomic<unsigned> serial{0};
    std::wstring root = sandboxRoot();
    if (root.empty()) return;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring path = root + L"box-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(serial++);
        if (CreateDirectoryW(path.c_str(), nullptr)) {
            m_path = path;
            return;
        }
    }
}

Sandbox::~Sandbox() {
    if (ok()) removeTree(m_path, false);
}

bool Sandbox::makeFolder(const std::wstring& relative) const {
    return ok() && CreateDirectoryW(at(relative).c_str(), nullptr);
}

bool Sandbox::writeFile(const std::wstring& relative, const std::string& bytes) const {
    if (!ok()) return false;
    HANDLE h = CreateFileW(at(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL good = bytes.empty() ||
                WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return good && written == bytes.size();
}

bool Sandbox::readFile(const std::wstring& relative, std::string* bytes) const {
    if (!ok()) return false;
    HANDLE h = CreateFileW(at(relative).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bytes->clear();
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got) bytes->append(buffer, got);
    CloseHandle(h);
    return true;
}

bool Sandbox::makeLink(const std::wstring& link, const std::wstring& target) const {
    return linkRequest(link, target, L".mklink");
}

bool Sandbox::makeHardLink(const std::wstring& link, const std::wstring& target) const {
    return linkRequest(link, target, L".mkhardlink");
}

bool Sandbox::linkRequest(const std::wstring& link, const std::wstring& target, const wchar_t* kind) const {
    std::string request;
    for (wchar_t c : target) request += c == L'\\' ? '/' : static_cast<char>(c);
    // Written whole under another name first, as every request: read while it was still
    // empty, it was refused and removed.
    const std::wstring draft = link + kind + L".draft";
    if (!writeFile(draft, request + "\n") || !MoveFileW(at(draft).c_str(), at(link + kind).c_str()))
        return false;
    for (int waited = 0; waited < 5000; waited += 10) {
        if (!exists(link + kind)) return exists(link);
        Sleep(10);
    }
    return false;
}

bool Sandbox::makeHostFile(const std::wstring& folder, const std::string& utf8Name) const {
    return hostRequest(folder, utf8Name, L"name.mkname");
}

bool Sandbox::makeHostFifo(const std::wstring& folder, const std::string& utf8Name) const {
    return hostRequest(folder, utf8Name, L"name.mkfifo");
}

bool Sandbox::hostRequest(const std::wstring& folder, const std::string& utf8Name, const wchar_t* kind) const {
    const std::wstring request = (folder.empty() ? L"" : folder + L"\\") + kind;
    // Written whole under another name first: the session must never read half a request.
    const std::wstring draft = request + L".draft";
    if (!writeFile(draft, utf8Name + "\n") || !MoveFileW(at(draft).c_str(), at(request).c_str())) return false;
    for (int waited = 0; waited < 5000; waited += 10) {
        if (!exists(request)) return true;
        Sleep(10);
    }
    return false;
}

bool Sandbox::exists(const std::wstring& relative) const { return ok() && tests::exists(at(relative)); }

}  // namespace tests
