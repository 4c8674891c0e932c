// tests/s/app/win/AppFixture.h
//
// A private registry key standing for the product's (its "SaveData" below it) and a
// watchdog, for the tests of the application base and the window holders.
#pragma once
#include <memory>
#include <string>

#include "s/app/win/AppBase.h"
#include "support/RegistryFixture.h"
#include "support/gui/GuiHarness.h"

namespace tests::app {

class AppFixture : public tests::RegistryFixture {
protected:
    void SetUp() override {
        tests::RegistryFixture::SetUp();
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        m_name = std::string(info->test_suite_name()) + "." + info->name();
        m_watchdog = std::make_unique<tests::gui::Watchdog>(m_name.c_str(), 60000);
    }
    void TearDown() override {
        m_watchdog.reset();
        tests::RegistryFixture::TearDown();
    }

    // An application base on the private key; the caller releases it.
    s::app::win::AppBase* startBase() const {
        return s::app::win::AppBase::obtain(nullptr, base().c_str());
    }

    std::wstring readString(const std::wstring& relative, const wchar_t* name) const {
        DWORD type = 0;
        std::vector<uint8_t> data;
        if (!readRaw(relative, name, &type, &data) || type != REG_SZ) return L"<missing>";
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / 2);
        while (!text.empty() && text.back() == 0) text.pop_back();
        return text;
    }

    bool hasValue(const std::wstring& relative, const wchar_t* name) const {
        DWORD type = 0;
        std::vector<uint8_t> data;
        return readRaw(relative, name, &type, &data);
    }

    void writeString(const std::wstring& relative, const wchar_t* name, const std::wstring& text) const {
        writeRaw(relative, name, REG_SZ, utf16(text, 1));
    }

    void writeDword(const std::wstring& relative, const wchar_t* name, int32_t value) const {
        writeRaw(relative, name, REG_DWORD, &value, sizeof(value));
    }

    void removeValue(const std::wstring& relative, const wchar_t* name) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, at(relative).c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        RegDeleteValueW(key, name);
        RegCloseKey(key);
    }

private:
    std::string m_name;
    std::unique_ptr<tests::gui::Watchdog> m_watchdog;
};

}  // namespace tests::app
