// tests/support/gui/TestPanel.h
//
// The plainest component: a container in the library's window class with the shared
// rules and nothing of its own, pooled like every component. Its layout places nothing;
// it only counts how often it was asked.
#pragma once
#include "s/gui/IContainer.h"
#include "s/gui/win/ComponentBase.h"
#include "s/thread/Pool.h"

namespace tests::gui {

class TestPanel final : public s::gui::win::ComponentBase<s::gui::IContainer> {
public:
    void doLayout() override { ++layouts; }
    s::gui::layout::ILayoutManager* getLayoutManager() const override { return nullptr; }
    void setLayoutManager(s::gui::layout::ILayoutManager*) override {}
    bool isContainer() const override { return true; }

    const wchar_t* classId() const override { return L"tests_gui_TestPanel"; }
    s::base::IObject* newInstance() const override { return s::thread::Pool<TestPanel>::obtain(); }
    void releaseToPool() override { s::thread::Pool<TestPanel>::release(this); }
    void resetForReuse() override {
        ComponentBase::resetForReuse();
        layouts = 0;
        createdOnThread = 0;
    }

    int layouts = 0;
    DWORD createdOnThread = 0;

protected:
    void relayout() override { doLayout(); }
    bool createNativeWindow(HWND parent) override {
        createdOnThread = GetCurrentThreadId();
        return ComponentBase::createNativeWindow(parent);
    }
};

}  // namespace tests::gui
