// s/system/network/win/CCallback.cpp
#include "s/system/network/win/CCallback.h"

namespace s::system::network::win {

bool CCallback::report(uint32_t progress, uint32_t total) {
    if (m_stop && m_stop->load()) return false;
    if (m_progress && m_user1) m_progress(progress, 0, total, 0, m_user1, m_user2);
    return true;
}

STDMETHODIMP CCallback::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IBindStatusCallback)) {
        *object = static_cast<IBindStatusCallback*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CCallback::OnProgress(ULONG progress, ULONG total, ULONG, LPCWSTR) {
    return report(progress, total) ? S_OK : E_ABORT;
}

}  // namespace s::system::network::win
