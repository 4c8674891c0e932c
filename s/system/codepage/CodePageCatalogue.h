// s/system/codepage/CodePageCatalogue.h
//
// The code-page catalogue: the known pages (kKnownCodePages) the system supports, sorted by
// name ignoring case, always with one 1200 (UTF-16) and one 1201 (UTF-16BE). load() builds
// it once under a lock shared by all catalogues; any thread may call it. The catalogue owns
// its pages; read them only after load() answered true. A failed build keeps nothing and
// the next load() tries again. codePageCatalogue() is the process's own, which the
// string conversions load before their first code-page use.
#pragma once
#include <atomic>
#include <cstdint>

#include "s/base/IObject.h"
#include "s/col/_array/ArrayP.h"
#include "s/system/codepage/CodePage.h"

namespace s::system::codepage {

struct KnownCodePage {
    int32_t number;
    const wchar_t* name;
};

// Every page the library can list, by number; a page not in it is never listed.
inline constexpr uint32_t kKnownCodePageCount = 43;
extern const KnownCodePage kKnownCodePages[kKnownCodePageCount];

class CodePageCatalogue final : public s::base::IObject {
public:
    CodePageCatalogue();
    ~CodePageCatalogue() override = default;  // the list deletes its pages
    CodePageCatalogue(const CodePageCatalogue&) = delete;
    CodePageCatalogue& operator=(const CodePageCatalogue&) = delete;

    bool load();  // true when the catalogue is built (now or before)
    bool isLoaded() const { return m_loaded.load(std::memory_order_acquire); }
    const s::col::_array::ArrayP& pages() const { return m_pages; }  // of CodePage
    const CodePage* utf16() const { return m_utf16; }
    const CodePage* utf16BigEndian() const { return m_utf16BigEndian; }
    // How many times this catalogue has read the system's list: once, unless a build failed.
    uint32_t enumerationCount() const { return m_enumerations.load(); }

    // IObject
    const wchar_t* classId() const override { return L"s_system_codepage_CodePageCatalogue"; }
    s::base::IObject* newInstance() const override;

private:
    static int __stdcall collect(wchar_t* numberText);
    bool build();
    bool addPage(int32_t number, const wchar_t* name);
    CodePage* listed(int32_t number) const;
    CodePage* ensure(int32_t number, const wchar_t* name);

    s::col::_array::ArrayP m_pages;  // owns its CodePages (deleted through CleanerIObject)
    std::atomic<bool> m_loaded{false};
    std::atomic<uint32_t> m_enumerations{0};
    bool m_collectFailed = false;
    CodePage* m_utf16 = nullptr;
    CodePage* m_utf16BigEndian = nullptr;
};

// The process's catalogue, made on first use (safe from any thread), kept until the end.
CodePageCatalogue& codePageCatalogue();
bool loadCodePageCatalogue();  // codePageCatalogue().load()

}  // namespace s::system::codepage
