// s/system/network/win/CCallback.h
//
// The status callback that the system download receives. It forwards progress to the
// download's progress function (when one is given) and answers E_ABORT once a stop is
// asked, so a download ends by itself instead of by killing its thread. Lives on the stack
// of the download for its whole length, so its reference count is not used. Called on the
// downloading thread only.
#pragma once
#include <urlmon.h>

#include <atomic>
#include <cstdint>

#include "s/system/network/IDownloader.h"

namespace s::system::network::win {

class CCallback final : public IBindStatusCallback {
public:
    CCallback(const std::atomic<bool>* stop, IDownloader::ProgressFunction progress,
              uintptr_t user1, uintptr_t user2)
        : m_stop(stop), m_progress(progress), m_user1(user1), m_user2(user2) {}
    virtual ~CCallback() = default;

    // Also the progress step of the HTTP path: false once a stop is asked.
    bool report(uint32_t progress, uint32_t total);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    // IBindStatusCallback
    STDMETHODIMP OnStartBinding(DWORD, IBinding*) override { return E_NOTIMPL; }
    STDMETHODIMP GetPriority(LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnLowResource(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP OnProgress(ULONG progress, ULONG total, ULONG, LPCWSTR) override;
    STDMETHODIMP OnStopBinding(HRESULT, LPCWSTR) override { return E_NOTIMPL; }
    STDMETHODIMP GetBindInfo(DWORD*, BINDINFO*) override { return E_NOTIMPL; }
    STDMETHODIMP OnDataAvailable(DWORD, DWORD, FORMATETC*, STGMEDIUM*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP OnObjectAvailable(REFIID, IUnknown*) override { return E_NOTIMPL; }

private:
    const std::atomic<bool>* m_stop;
    IDownloader::ProgressFunction m_progress;
    uintptr_t m_user1;
    uintptr_t m_user2;
};

}  // namespace s::system::network::win
