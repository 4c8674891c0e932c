// tests/s/gui/win/UrlDropTargetTest.cpp
//
// The address drop through a fake data object, as OLE hands it to the target: the cursor's
// answer while dragging, the stored address and the owner's one notice.
#include "s/gui/win/UrlDropTarget.h"

#include <cstring>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "support/Pooled.h"
#include "support/gui/Fakes.h"

namespace s::gui::win {
namespace {

using tests::Pooled;
using tests::gui::Recorder;

// Offers one format as global memory holding the given bytes.
class FakeData final : public IDataObject {
public:
    FakeData(UINT format, const void* bytes, size_t size) : m_format(format), m_bytes(size) {
        if (size) std::memcpy(m_bytes.data(), bytes, size);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override { return *object = nullptr, E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, m_bytes.size());
        std::memcpy(GlobalLock(memory), m_bytes.data(), m_bytes.size());
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        ++gets;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return format->cfFormat == m_format && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

    int gets = 0;

private:
    UINT m_format;
    std::vector<char> m_bytes;
};

FakeData textData(UINT format, const std::wstring& text) {
    return FakeData(format, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

DWORD dragOver(UrlDropTarget* target, IDataObject* data) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    EXPECT_EQ(S_OK, target->DragEnter(data, 0, POINTL{5, 5}, &effect));
    DWORD over = DROPEFFECT_COPY | DROPEFFECT_LINK;
    EXPECT_EQ(S_OK, target->DragOver(0, POINTL{6, 6}, &over));
    EXPECT_EQ(effect, over);
    return effect;
}

TEST(UrlDropTargetTest, ADroppedAddressIsStoredAndTheOwnerToldOnce) {
    Pooled<UrlDropTarget> target;
    Recorder owner;
    target->setOwner(&owner);
    FakeData data = textData(target->urlFormat(), L"http://127.0.0.1/page?a=1");
    EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_LINK), dragOver(target.get(), &data));
    DWORD effect = DROPEFFECT_LINK;
    EXPECT_EQ(S_OK, target->Drop(&data, 0, POINTL{6, 6}, &effect));
    EXPECT_EQ(std::wstring(L"http://127.0.0.1/page?a=1"), target->getText());
    EXPECT_EQ(1, owner.calls.load());
    EXPECT_EQ(UrlDropTarget::kDroppedCode, owner.lastCode.load());
    EXPECT_EQ(static_cast<void*>(target.get()), owner.lastSource);
}

// Plain text, the 8-bit address format and no data at all: the no-drop answer, nothing
// stored, nobody told.
TEST(UrlDropTargetTest, DataWithoutTheWideAddressDropsNothing) {
    Pooled<UrlDropTarget> target;
    Recorder owner;
    target->setOwner(&owner);
    const char narrow[] = "http://127.0.0.1/";
    FakeData plain = textData(CF_UNICODETEXT, L"http://127.0.0.1/");
    FakeData eightBit(target->narrowUrlFormat(), narrow, sizeof(narrow));
    for (FakeData* data : {&plain, &eightBit}) {
        EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), dragOver(target.get(), data));
        DWORD effect = DROPEFFECT_LINK;
        EXPECT_EQ(S_OK, target->Drop(data, 0, POINTL{1, 1}, &effect));
        EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), effect);
        EXPECT_STREQ(L"", target->getText());
    }
    EXPECT_EQ(S_OK, target->Drop(nullptr, 0, POINTL{1, 1}, nullptr));
    EXPECT_EQ(0, owner.calls.load());
}

// Memory without a closing zero is read only as far as it goes.
TEST(UrlDropTargetTest, AnAddressWithoutItsZeroIsReadToTheEndOfItsMemory) {
    Pooled<UrlDropTarget> target;
    const wchar_t bytes[] = {L'h', L't', L't', L'p', L':', L'/', L'/', L'x'};
    FakeData data(target->urlFormat(), bytes, sizeof(bytes));
    DWORD effect = 0;
    EXPECT_EQ(S_OK, target->Drop(&data, 0, POINTL{1, 1}, &effect));
    // GlobalAlloc may round the size up, so only the start is sure.
    EXPECT_THAT(std::wstring(target->getText()), testing::StartsWith(L"http://x"));
}

TEST(UrlDropTargetTest, ANewDropForgetsTheLastAddress) {
    Pooled<UrlDropTarget> target;
    FakeData first = textData(target->urlFormat(), L"http://127.0.0.1/one");
    FakeData plain = textData(CF_UNICODETEXT, L"two");
    target->Drop(&first, 0, POINTL{1, 1}, nullptr);
    EXPECT_EQ(std::wstring(L"http://127.0.0.1/one"), target->getText());
    target->Drop(&plain, 0, POINTL{1, 1}, nullptr);
    EXPECT_STREQ(L"", target->getText());
}

TEST(UrlDropTargetTest, RegisteredForAWindowOnAnOleThreadAndRevoked) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    {
        Pooled<UrlDropTarget> target;
        EXPECT_TRUE(target->registerFor(window));
        // A second registration of the same window is refused by OLE.
        EXPECT_EQ(DRAGDROP_E_ALREADYREGISTERED, RegisterDragDrop(window, target.get()));
        target->revoke();
        EXPECT_EQ(S_OK, RegisterDragDrop(window, target.get()));
        RevokeDragDrop(window);
    }
    DestroyWindow(window);
    OleUninitialize();
}

}  // namespace
}  // namespace s::gui::win
