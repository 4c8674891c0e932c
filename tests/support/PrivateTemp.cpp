// tests/support/PrivateTemp.cpp
#include "support/PrivateTemp.h"

#include <windows.h>

namespace tests {

namespace {

bool readVariable(const wchar_t* name, std::wstring* value) {
    wchar_t text[MAX_PATH + 1] = {};
    const DWORD n = GetEnvironmentVariableW(name, text, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) return false;
    *value = text;
    return true;
}

void restore(const wchar_t* name, bool had, const std::wstring& value) {
    SetEnvironmentVariableW(name, had ? value.c_str() : nullptr);
}

}  // namespace

PrivateTemp::PrivateTemp() {
    if (!m_box.ok()) return;
    m_hadTmp = readVariable(L"TMP", &m_tmp);
    m_hadTemp = readVariable(L"TEMP", &m_temp);
    const std::wstring folder = m_box.path() + L"\\";
    m_moved = SetEnvironmentVariableW(L"TMP", folder.c_str()) &&
              SetEnvironmentVariableW(L"TEMP", folder.c_str());
    wchar_t seen[MAX_PATH + 1] = {};
    m_moved = m_moved && GetTempPathW(MAX_PATH + 1, seen) && folder == seen;
}

PrivateTemp::~PrivateTemp() {
    restore(L"TMP", m_hadTmp, m_tmp);
    restore(L"TEMP", m_hadTemp, m_temp);
}

std::vector<std::wstring> tempFiles(const wchar_t* pattern) {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, folder);
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((std::wstring(folder) + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(data.cFileName);
    while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

}  // namespace tests
