// s/gui/win/UrlDropTarget.cpp
#include "s/gui/win/UrlDropTarget.h"

#include "s/gui/events/IEventListener.h"
#include "s/thread/Pool.h"

namespace s::gui::win {

namespace {

FORMATETC formatOf(UINT format) { return FORMATETC{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

}  // namespace

UrlDropTarget* UrlDropTarget::obtain() { return s::thread::Pool<UrlDropTarget>::obtain(); }

void UrlDropTarget::releaseToPool() { s::thread::Pool<UrlDropTarget>::release(this); }

UrlDropTarget::UrlDropTarget()
    : m_url(RegisterClipboardFormatW(L"UniformResourceLocator")),
      m_urlW(RegisterClipboardFormatW(L"UniformResourceLocatorW")) {}

UrlDropTarget::~UrlDropTarget() { revoke(); }

void UrlDropTarget::resetForReuse() {
    revoke();
    m_text.clear();
    m_owner = nullptr;
    m_dragHasUrl = false;
}

bool UrlDropTarget::registerFor(HWND window) {
    revoke();
    if (!window || FAILED(RegisterDragDrop(window, this))) return false;
    m_registered = window;
    return true;
}

void UrlDropTarget::revoke() {
    if (m_registered) RevokeDragDrop(m_registered);
    m_registered = nullptr;
}

HRESULT UrlDropTarget::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

bool UrlDropTarget::offersUrl(IDataObject* data) const {
    FORMATETC format = formatOf(m_urlW);
    return data && data->QueryGetData(&format) == S_OK;
}

HRESULT UrlDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    m_dragHasUrl = offersUrl(data);
    if (effect) *effect = m_dragHasUrl ? DROPEFFECT_LINK : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT UrlDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    if (effect) *effect = m_dragHasUrl ? DROPEFFECT_LINK : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT UrlDropTarget::DragLeave() {
    m_dragHasUrl = false;
    return S_OK;
}

HRESULT UrlDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    m_text.clear();
    m_dragHasUrl = false;
    if (effect) *effect = DROPEFFECT_NONE;
    FORMATETC format = formatOf(m_urlW);
    STGMEDIUM medium = {};
    if (!data || data->GetData(&format, &medium) != S_OK) return S_OK;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        // A source's memory need not end in a zero: read no further than its size.
        const SIZE_T chars = GlobalSize(medium.hGlobal) / sizeof(wchar_t);
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(medium.hGlobal))) {
            SIZE_T length = 0;
            while (length < chars && text[length]) ++length;
            m_text.assign(text, length);
            GlobalUnlock(medium.hGlobal);
        }
    }
    ReleaseStgMedium(&medium);
    if (m_text.empty()) return S_OK;
    if (effect) *effect = DROPEFFECT_LINK;
    if (m_owner) m_owner->onEvent(this, kDroppedCode);
    return S_OK;
}

}  // namespace s::gui::win
