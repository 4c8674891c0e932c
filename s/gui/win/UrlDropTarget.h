// s/gui/win/UrlDropTarget.h
//
// Lets a box take a web address dragged from a browser (OLE drag and drop). Only the
// UTF-16 "UniformResourceLocatorW" data is taken; the 8-bit format is registered but never
// accepted. A drop stores the address and tells the owner (onEvent, this target as the
// source, code 3). The pool owns the object: COM's counts never delete it. Called by OLE
// on the UI thread that registered it.
#pragma once
#include <ole2.h>
#include <windows.h>

#include <string>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui::events {
class IEventListener;
}  // namespace s::gui::events

namespace s::gui::win {

class UrlDropTarget : public IDropTarget, public s::base::IObject, public s::thread::IPoolable {
public:
    static constexpr int32_t kDroppedCode = 3;

    static UrlDropTarget* obtain();
    UrlDropTarget();
    ~UrlDropTarget() override;

    void setOwner(s::gui::events::IEventListener* owner) { m_owner = owner; }
    // RegisterDragDrop for the window (OLE must be started on its thread); revoke undoes it.
    bool registerFor(HWND window);
    void revoke();
    // The last dropped address.
    const wchar_t* getText() const { return m_text.c_str(); }
    UINT urlFormat() const { return m_urlW; }
    UINT narrowUrlFormat() const { return m_url; }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&m_refs)); }
    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_win_UrlDropTarget"; }
    s::base::IObject* newInstance() const override { return obtain(); }
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    bool offersUrl(IDataObject* data) const;

    UINT m_url;
    UINT m_urlW;
    std::wstring m_text;
    s::gui::events::IEventListener* m_owner = nullptr;
    HWND m_registered = nullptr;
    bool m_dragHasUrl = false;
    LONG m_refs = 0;
};

}  // namespace s::gui::win
