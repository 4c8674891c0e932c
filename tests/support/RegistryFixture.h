// tests/support/RegistryFixture.h
//
// A private key for one test, HKEY_CURRENT_USER\Software\Ostrel\Test-<test name>-<pid>,
// made before the test and removed with everything below it afterwards, and plain Win32
// registry calls (never the library's) to prepare and check what the test reads and
// writes. Never touches anything outside its own key.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace tests {

class RegistryFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "-" + info->name();
        m_path = L"Software\\Ostrel\\Test-" + std::wstring(name.begin(), name.end()) + L"-" +
                 std::to_wstring(GetCurrentProcessId());
        for (wchar_t& c : m_path)
            if (c == L'/') c = L'_';
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegCloseKey(key);
    }

    void TearDown() override {
        removeTree(HKEY_CURRENT_USER, m_path);
        EXPECT_FALSE(exists(L"")) << "the test key stayed behind";
    }

    // The private key's path below HKEY_CURRENT_USER, and a path below it.
    const std::wstring& base() const { return m_path; }
    std::wstring at(const std::wstring& relative) const {
        return relative.empty() ? m_path : m_path + L"\\" + relative;
    }

    bool exists(const std::wstring& relative) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, at(relative).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    bool makeKey(const std::wstring& relative) const {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, at(relative).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    bool writeRaw(const std::wstring& relative, const wchar_t* name, DWORD type, const void* data,
                  DWORD size) const {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, at(relative).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        LONG r = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
        return r == ERROR_SUCCESS;
    }

    bool writeRaw(const std::wstring& relative, const wchar_t* name, DWORD type,
                  const std::vector<uint8_t>& data) const {
        return writeRaw(relative, name, type, data.data(), static_cast<DWORD>(data.size()));
    }

    // The stored type and bytes of a value; false when it is missing.
    bool readRaw(const std::wstring& relative, const wchar_t* name, DWORD* type,
                 std::vector<uint8_t>* data) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, at(relative).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        DWORD size = 0;
        LONG r = RegQueryValueExW(key, name, nullptr, type, nullptr, &size);
        if (r == ERROR_SUCCESS) {
            data->assign(size, 0);
            r = RegQueryValueExW(key, name, nullptr, type, data->data(), &size);
            data->resize(size);
        }
        RegCloseKey(key);
        return r == ERROR_SUCCESS;
    }

    static std::vector<uint8_t> bytesOf(const void* p, size_t n) {
        const uint8_t* b = static_cast<const uint8_t*>(p);
        return std::vector<uint8_t>(b, b + n);
    }

    // UTF-16LE bytes of a text, with `zeros` zero units after it.
    static std::vector<uint8_t> utf16(const std::wstring& text, int zeros) {
        std::wstring t = text + std::wstring(zeros, L'\0');
        return bytesOf(t.data(), t.size() * 2);
    }

private:
    static void removeTree(HKEY parent, const std::wstring& path) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        for (;;) {
            wchar_t name[256];
            DWORD length = 256;
            if (RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            size_t before = subkeyCount(key);
            removeTree(key, name);
            if (subkeyCount(key) >= before) break;
        }
        RegCloseKey(key);
        RegDeleteKeyW(parent, path.c_str());
    }

    static size_t subkeyCount(HKEY key) {
        DWORD n = 0;
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &n, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr);
        return n;
    }

    std::wstring m_path;
};

}  // namespace tests
