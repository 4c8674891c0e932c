// tests/s/file/gui/dialogs/brakvane/ProductFixture.h
//
// The product's window built in the test's process as the start-up builds it (a private
// settings key, the program's language pack), with drops delivered to its drop box by real
// WM_DROPFILES messages, its questions answered by a driver and its message boxes by the
// modal watcher. Every dropped path lies in a sandbox on the fixture drive.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "s/app/win/AppBase.h"
#include "s/app/win/AppWindow.h"
#include "s/file/gui/dialogs/brakvane/Dialog.h"
#include "s/gui/IBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/Window.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "support/Sandbox.h"
#include "support/gui/GuiHarness.h"
#include "support/gui/ScreenLock.h"
#include "tests/s/app/win/AppFixture.h"
#include "tests/s/gui/dialogs/QuestionDriver.h"

namespace tests::product {

using Product = s::file::gui::dialogs::brakvane::Dialog;

class ProductFixture : public tests::app::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        watcher = std::make_unique<tests::gui::ModalWatcher>(IDOK);
        ASSERT_TRUE(sandbox.ok());
        app = startBase();
        ASSERT_NE(nullptr, app);
        holder = s::app::win::createAppWindow(app, L"MainWindow", 250, 250, app->skinner());
        ASSERT_NE(nullptr, holder);
    }
    void TearDown() override {
        closeProduct();
        Product::setWiperSource(nullptr);
        if (holder) holder->releaseToPool();
        if (app) app->releaseToPool();
        watcher.reset();
        AppFixture::TearDown();
    }

    // Questions off unless a test turns them on: its answers come from a driver.
    void openProduct(bool askConfirmation = false) {
        writeDword(L"SaveData\\MainWindow\\View", L"AskConfirmation", askConfirmation ? 1 : 0);
        tests::gui::phase("obtaining the product dialog");
        dialog = Product::obtain(holder);
        ASSERT_NE(nullptr, dialog);
        dialog->keepStatusTrail(kTrailLimit);
        tests::gui::phase("building the product window");
        ASSERT_TRUE(dialog->showUi());
        tests::gui::phase("product window shown");
        window = dialog->window();
        ASSERT_NE(nullptr, window->getHandle());
        window->setPosition(tests::gui::kQuietCornerX - 400, tests::gui::kQuietCornerY - 300);
    }
    void closeProduct() {
        if (!dialog) return;
        tests::gui::phase("closing the product window");
        if (window && !window->isClosed()) window->close();
        tests::gui::phase("releasing the product dialog");
        dialog->releaseToPool();
        tests::gui::phase("product dialog released");
        dialog = nullptr;
        window = nullptr;
    }

    HWND dropTarget() const {
        s::gui::IBox* content = dialog->dropBox()->getContent();
        return content ? content->nativeWindow()->m_hWnd : nullptr;
    }

    // Posted as the shell does, so that the test thread never waits for a question.
    void drop(const std::vector<std::wstring>& paths) {
        size_t chars = 1;
        for (const std::wstring& p : paths) chars += p.size() + 1;
        HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
        ASSERT_NE(nullptr, memory);
        auto* block = static_cast<DROPFILES*>(GlobalLock(memory));
        block->pFiles = sizeof(DROPFILES);
        block->fWide = TRUE;
        wchar_t* out = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(block) + sizeof(DROPFILES));
        for (const std::wstring& p : paths) {
            wcscpy(out, p.c_str());
            out += p.size() + 1;
        }
        *out = 0;
        GlobalUnlock(memory);
        ASSERT_TRUE(PostMessageW(dropTarget(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0));
    }

    static constexpr uint32_t kTrailLimit = 1000;
    bool trailHas(const wchar_t* text) { return trailCount(text) > 0; }
    size_t trailCount(const wchar_t* text) {
        size_t n = 0;
        s::str::strarray::StrArray trail;
        dialog->copyStatusTrail(&trail);
        for (uint32_t i = 0; i < trail.count(); ++i)
            if (wcscmp(trail.at(i)->cString(), text) == 0) ++n;
        return n;
    }
    bool waitIdle(uint32_t limitMs) {
        return tests::gui::eventually([&] { return !dialog->isBusy(); }, limitMs);
    }
    bool waitBusy(uint32_t limitMs) {
        return tests::gui::eventually([&] { return dialog->isBusy(); }, limitMs);
    }
    // A drop accepted and run to its end; true when "Done!" came.
    bool dropAndFinish(const std::vector<std::wstring>& paths, size_t donesBefore, uint32_t limitMs = 30000) {
        drop(paths);
        return tests::gui::eventually(
            [&] { return trailCount(L"Done!") > donesBefore && !dialog->isBusy(); }, limitMs);
    }
    void shoot(const wchar_t* name) { tests::gui::saveScreenshot(window->getHandle(), name); }

    bool readsAsDword(const std::wstring& relative, const wchar_t* name, uint32_t* value) const {
        DWORD type = 0;
        std::vector<uint8_t> data;
        if (!readRaw(relative, name, &type, &data) || data.size() < 4) return false;
        *value = *reinterpret_cast<const uint32_t*>(data.data());
        return true;
    }

    tests::Sandbox sandbox;
    std::unique_ptr<tests::gui::ModalWatcher> watcher;
    s::app::win::AppBase* app = nullptr;
    s::app::win::AppWindow* holder = nullptr;
    Product* dialog = nullptr;
    s::gui::win::Window* window = nullptr;
};

}  // namespace tests::product
