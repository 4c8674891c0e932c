// s/lang/LangPack.h
//
// One language of the pack: its tag ("eng"), English name ("Chinese_Simplified") and native
// name, and its texts by numeric id (in the order added; the first text of an id wins) and
// by string id. Owns every text. Pooled, capacity 1000; filled on one thread, read by many
// afterwards, no lock of its own.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/col/_array/ArrayS32.h"
#include "s/map/MapTable.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/IPoolable.h"

namespace s::lang {

class LangPack final : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    using StrBuffer = s::str::strbuffer::StrBuffer;

    // The broken l of Venetian and the letter older systems' fonts show in its place.
    static constexpr wchar_t kVenetianL = 0x019A;
    static constexpr wchar_t kOlderSystemsL = 0x0142;

    LangPack();
    ~LangPack() override;
    LangPack(const LangPack&) = delete;
    LangPack& operator=(const LangPack&) = delete;

    // Null texts count as empty. False when memory ran out.
    bool setNames(const wchar_t* tag, const wchar_t* englishName, const wchar_t* nativeName);
    const StrBuffer& tagName() const { return m_tag; }
    const StrBuffer& englishName() const { return m_englishName; }
    const StrBuffer& nativeName() const { return m_nativeName; }

    // Appends a text (a copy; null is empty). Texts of the pack tagged exactly "vec" get
    // U+019A as U+0142 while the system is older than version 6.0. False when memory ran out.
    bool addText(int32_t id, const wchar_t* text);
    // The same by a string id; an id already there keeps its first text.
    bool addTextById(const wchar_t* id, const wchar_t* text);

    uint32_t textCount() const { return m_ids.count(); }
    int32_t idAt(uint32_t i) const { return m_ids.get(i); }
    const wchar_t* textAt(uint32_t i) const;  // null beyond the count
    bool hasId(int32_t id) const;
    // The text of the first occurrence of id; null when the pack lacks it.
    const wchar_t* findText(int32_t id) const;
    const wchar_t* findTextById(const wchar_t* id) const;
    uint32_t stringIdCount() const { return m_stringIds.count(); }

    // IObject
    const wchar_t* classId() const override { return L"s_lang_LangPack"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: names, ids, texts and the map emptied
    void releaseToPool() override;
    void resetForReuse() override;

private:
    StrBuffer* newText(const wchar_t* text) const;
    void useTextRules();

    StrBuffer m_tag;
    StrBuffer m_englishName;
    StrBuffer m_nativeName;
    s::col::_array::ArrayS32 m_ids;
    s::str::strarray::StrArray m_texts;      // parallel to m_ids
    s::str::strarray::StrArray m_stringIds;  // the map's keys, owned here
    s::map::MapTable m_byStringId;           // string id -> its text (owned by the map)
    bool m_repairsVenetian = false;
};

}  // namespace s::lang
