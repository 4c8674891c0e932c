// s/system/codepage/CodePageCatalogue.cpp
#include "s/system/codepage/CodePageCatalogue.h"

#include <windows.h>

#include <cwchar>
#include <new>

#include "s/base/Lasting.h"
#include "s/cleaner/CleanerIObject.h"
#include "s/col/_array/MergeSort.h"
#include "s/thread/ObjLocker.h"

namespace s::system::codepage {

const KnownCodePage kKnownCodePages[kKnownCodePageCount] = {
    {850, L"Western (IBM-850)"},
    {852, L"Central European (IBM-852)"},
    {855, L"Cyrillic (IBM-855)"},
    {857, L"Turkish (IBM-857)"},
    {866, L"Russian (CP-866)"},
    {874, L"Thai (Windows-874)"},
    {932, L"Japanese (Shift_JIS)"},
    {936, L"Chinese Simplified (GBK)"},
    {949, L"Korean (UHC)"},
    {950, L"Chinese Traditional (Big5)"},
    {1200, L"UTF-16"},
    {1201, L"UTF-16BE"},
    {1250, L"Central European (Windows-1250)"},
    {1251, L"Cyrillic (Windows-1251)"},
    {1252, L"Western (Windows-1252)"},
    {1253, L"Greek (Windows-1253)"},
    {1254, L"Turkish (Windows-1254)"},
    {1255, L"Hebrew (Windows-1255)"},
    {1256, L"Arabic (Windows-1256)"},
    {1257, L"Baltic (Windows-1257)"},
    {1258, L"Vetnamese (Windows-1258)"},
    {1361, L"Korean (JOHAB)"},
    {20000, L"Chinese Traditional (CNS)"},
    {20127, L"English (ASCII)"},
    {20866, L"Russian (KOI8)"},
    {20932, L"Japanese (EUC-JP)"},
    {20936, L"Chinese Simplified (GB2312)"},
    {21866, L"Ukrainian (KOI8-U)"},
    {28591, L"Western (ISO 8859-1)"},
    {28592, L"Central European (ISO 8859-2)"},
    {28594, L"Baltic (ISO 8859-4)"},
    {28595, L"Cyrillic (ISO 8859-5)"},
    {28597, L"Greek (ISO 8859-7)"},
    {28599, L"Turkish (ISO 8859-9)"},
    {28605, L"Western (ISO 8859-15)"},
    {50220, L"Japanese (ISO-2022-JP)"},
    {50225, L"Korean (ISO-2022-KR)"},
    {50227, L"Chinese Simplified (ISO-2022-CN)"},
    {50229, L"Chinese Traditional (Big5-HKSCS)"},
    {51949, L"Korean (EUC-KR)"},
    {52936, L"Chinese Simplified (HZ)"},
    {54936, L"Chinese Simplified (GB18030)"},
    {65001, L"UTF-8"},
};

namespace {

const wchar_t* knownName(int32_t number) {
    for (const KnownCodePage& page : kKnownCodePages)
        if (page.number == number) return page.name;
    return nullptr;
}

int compareNames(const void* a, const void* b, void*) {
    return s::str::strbuffer::compareStrBuffersIgnoreCase(&static_cast<const CodePage*>(a)->name(),
                                                          &static_cast<const CodePage*>(b)->name());
}

// Guards every build, and with it s_collecting: the enumeration callback has no context
// argument, so the catalogue being built is reached through this one static.
s::thread::ObjLocker& loadLock() {
    static s::base::Lasting<s::thread::ObjLocker> lock;  // lives until the process ends
    return lock.get();
}

CodePageCatalogue* s_collecting = nullptr;

}  // namespace

CodePageCatalogue::CodePageCatalogue() { m_pages.setElementDestructor(&s::cleaner::CleanerIObject::instance()); }

bool CodePageCatalogue::load() {
    if (isLoaded()) return true;
    s::thread::Lock lock(loadLock());
    if (isLoaded()) return true;
    if (!build()) {
        m_pages.freeAll();
        m_utf16 = m_utf16BigEndian = nullptr;
        return false;
    }
    m_loaded.store(true, std::memory_order_release);
    return true;
}

bool CodePageCatalogue::build() {
    m_collectFailed = false;
    m_enumerations.fetch_add(1);
    s_collecting = this;
    const BOOL enumerated = EnumSystemCodePagesW(&collect, CP_SUPPORTED);
    s_collecting = nullptr;
    if (!enumerated || m_collectFailed) return false;
    m_utf16 = ensure(CodePage::kUtf16, L"UTF-16");
    m_utf16BigEndian = ensure(CodePage::kUtf16BigEndian, L"UTF-16BE");
    return m_utf16 && m_utf16BigEndian && s::col::_array::sortStable(m_pages, &compareNames, nullptr);
}

// The stored name is the library's own display name; the system's name only tells Mac
// pages apart (none of the known pages is one, so the test guards against a system that
// reuses a number).
int __stdcall CodePageCatalogue::collect(wchar_t* numberText) {
    const int32_t number = static_cast<int32_t>(std::wcstol(numberText, nullptr, 10));
    const wchar_t* name = knownName(number);
    if (!name) return TRUE;
    CPINFOEXW information;
    if (!GetCPInfoExW(static_cast<UINT>(number), 0, &information)) return TRUE;
    if (std::wcsstr(information.CodePageName, L"MAC ")) return TRUE;
    if (s_collecting->addPage(number, name)) return TRUE;
    s_collecting->m_collectFailed = true;
    return FALSE;
}

bool CodePageCatalogue::addPage(int32_t number, const wchar_t* name) {
    CodePage* page = newCodePage(number, name);
    if (!page) return false;
    if (m_pages.add(page)) return true;
    page->releaseToPool();
    return false;
}

CodePage* CodePageCatalogue::listed(int32_t number) const {
    for (uint32_t i = 0; i < m_pages.count(); ++i) {
        CodePage* page = m_pages.item<CodePage>(i);
        if (page->number() == number) return page;
    }
    return nullptr;
}

CodePage* CodePageCatalogue::ensure(int32_t number, const wchar_t* name) {
    if (CodePage* page = listed(number)) return page;
    return addPage(number, name) ? static_cast<CodePage*>(m_pages.last()) : nullptr;
}

s::base::IObject* CodePageCatalogue::newInstance() const { return new (std::nothrow) CodePageCatalogue(); }

CodePageCatalogue& codePageCatalogue() {
    static s::base::Lasting<CodePageCatalogue> catalogue;  // lives until the process ends
    return catalogue.get();
}

bool loadCodePageCatalogue() { return codePageCatalogue().load(); }

}  // namespace s::system::codepage
