// s/lang/Localizer.h
//
// The language pack of the program: one LangPack per language in document order (owned),
// the current one, and the components to tell when it changes. Every interface text is
// asked for by id in the current language; the answer belongs to the pack and is never
// null (the shared empty text when the id is missing, or when there is no pack at all).
//
// Filled on the start-up thread before any window exists; afterwards lookups come from the
// UI threads and selection from the main window's. Only the listener list is locked: its
// components add and remove themselves from their own threads. Listeners are told over a
// copy of the list, so one may remove itself (or another) while it re-texts; one removed
// during the round is not called afterwards. Pooled, capacity 1000.
#pragma once
#include <windows.h>

#include <cstdint>

#include "s/base/IObject.h"
#include "s/col/_array/ArrayP.h"
#include "s/gui/ITextLocalizer.h"
#include "s/process/win/ICaptionSource.h"
#include "s/thread/IPoolable.h"
#include "s/thread/ObjLocker.h"

namespace s::gui::events { class IEventListener; }
namespace s::xml { class Node; }

namespace s::archive::dll::win { class Archive; }

namespace s::lang {

class LangPack;

class Localizer final : public s::base::IObject,
                        public virtual s::thread::IPoolable,
                        public s::gui::ITextLocalizer,
                        public s::process::win::ICaptionSource {
public:
    using IEventListener = s::gui::events::IEventListener;

    // The code listeners get when the language changed; the source is the localizer as its
    // ITextLocalizer, the face by which components know it.
    static constexpr int32_t kLanguageChanged = 0;

    Localizer();
    ~Localizer() override;
    Localizer(const Localizer&) = delete;
    Localizer& operator=(const Localizer&) = delete;

    // Appends the languages and texts of a pack document (root element "lang"): every pack
    // ends with every id, the first child of an entry giving the text of the packs it
    // lacks. A root without "languages" or "entries" gives fewer packs or texts.
    void loadXml(const s::xml::Node* root);

    // The text of id in the current language (made current first when none is).
    const wchar_t* getText(int32_t id) override;
    bool hasText(int32_t id);

    // The pack found by name, else "English", else the first; listeners are told when the
    // current pack changed. Nothing happens without packs.
    void setLanguage(const wchar_t* englishName);
    // The pack at index; an index outside the list is ignored.
    void setLanguageByIndex(int32_t index);

    // By English name ignoring case, with the Chinese, Portuguese and Serbian variants
    // tried for names that begin with those words; null when nothing matches.
    LangPack* findLanguage(const wchar_t* name) const;
    LangPack* findByTag(const wchar_t* tag) const;  // ignoring case

    uint32_t packCount() const { return m_packs.count(); }
    LangPack* packAt(uint32_t index) const { return m_packs.item<LangPack>(index); }
    // The current pack, chosen as a lookup does when none is; null without packs.
    LangPack* currentPack();
    int32_t currentIndex();  // -1 without packs
    const wchar_t* currentLanguageName() override;  // English name; empty without packs

    // Listeners are not owned; adding one twice lists it twice.
    void addListener(IEventListener* listener) override;
    void removeListener(IEventListener* listener) override;  // every occurrence
    uint32_t listenerCount();

    // ICaptionSource: the pack at index's text of textId
    uint32_t languageCount() const override { return packCount(); }
    const wchar_t* captionAt(uint32_t index, uint32_t textId) const override;

    // IObject
    const wchar_t* classId() const override { return L"s_lang_Localizer"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: packs released, no current pack, no listeners
    void releaseToPool() override;
    void resetForReuse() override;

private:
    void loadLanguages(const s::xml::Node* languages);
    void loadEntry(const s::xml::Node* entry);
    LangPack* packNamed(const wchar_t* englishName) const;
    LangPack* systemPack() const;
    void makeCurrent(LangPack* pack);
    bool isListening(IEventListener* listener);
    void notifyListeners();

    s::col::_array::ArrayP m_packs;  // LangPacks, released to their pool
    LangPack* m_current = nullptr;
    s::thread::ObjLocker m_listenerLock;
    s::col::_array::ArrayP m_listeners;  // not owned
};

// A localizer filled from the pack document stored in the archive's module (type name, id),
// with the system's interface language selected; the caller releases it to its pool. A
// missing or damaged resource gives a localizer without packs (every text empty). Null
// only when no localizer could be had.
Localizer* newLocalizerFromResource(s::archive::dll::win::Archive* archive, const wchar_t* typeName, uint16_t id);

}  // namespace s::lang
