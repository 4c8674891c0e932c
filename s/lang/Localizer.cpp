// s/lang/Localizer.cpp
#include "s/lang/Localizer.h"

#include <cwchar>

#include "s/gui/events/IEventListener.h"
#include "s/lang/LangPack.h"
#include "s/lang/LangSystem.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"
#include "s/xml/Node.h"

namespace s::lang {

namespace {

using s::str::strbuffer::StrBuffer;
using s::xml::Node;

const wchar_t kEmpty[] = L"";

bool startsWithIgnoringCase(const wchar_t* text, const wchar_t* prefix) {
    return _wcsnicmp(text, prefix, std::wcslen(prefix)) == 0;
}

// The decimal value of the leading digits (the pack's ids all fit in 31 bits).
int32_t numericId(const wchar_t* text) {
    uint32_t value = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text) value = value * 10 + static_cast<uint32_t>(*text - L'0');
    return static_cast<int32_t>(value);
}

bool isNumericId(const wchar_t* id) { return id[0] >= L'0' && id[0] <= L'9'; }

// An attribute or the element's own text, unescaped; the empty text when it is missing.
void readText(const Node* node, const wchar_t* name, StrBuffer* out) {
    if (!node->getUnescapedText(name, out, false, L"")) out->clear();
}

}  // namespace

Localizer::Localizer() { m_packs.setElementDestructor(&s::thread::Pool<LangPack>::pooler()); }

Localizer::~Localizer() { resetForReuse(); }

void Localizer::loadXml(const Node* root) {
    if (!root) return;
    if (const Node* languages = root->childByName(L"languages", -1)) loadLanguages(languages);
    const Node* entries = root->childByName(L"entries", -1);
    if (!entries) return;
    for (uint32_t i = 0; i < entries->childCount(); ++i) {
        const Node* entry = entries->childAt(i);
        if (entry->nameEquals(L"entry", -1)) loadEntry(entry);
    }
}

void Localizer::loadLanguages(const Node* languages) {
    StrBuffer tag, english, native;
    for (uint32_t i = 0; i < languages->childCount(); ++i) {
        const Node* entry = languages->childAt(i);
        if (!entry->nameEquals(L"entry", -1)) continue;
        LangPack* pack = s::thread::Pool<LangPack>::obtain();
        if (!pack) return;
        readText(entry, L"tagName", &tag);
        readText(entry, L"engName", &english);
        readText(entry, L"trueName", &native);
        if (!pack->setNames(tag.cString(), english.cString(), native.cString()) || !m_packs.add(pack)) {
            pack->releaseToPool();
            return;
        }
    }
}

// Each language's own text, then the first child's text for every pack that lacks the id.
void Localizer::loadEntry(const Node* entry) {
    StrBuffer id, text, fallback;
    readText(entry, L"id", &id);
    const bool numeric = isNumericId(id.cString());
    const int32_t number = numeric ? numericId(id.cString()) : 0;
    for (uint32_t i = 0; i < entry->childCount(); ++i) {
        const Node* translation = entry->childAt(i);
        readText(translation, L"", &text);
        if (i == 0) fallback.setStr(&text);
        if (LangPack* pack = findByTag(translation->name())) {
            if (numeric)
                pack->addText(number, text.cString());
            else
                pack->addTextById(id.cString(), text.cString());
        }
    }
    for (uint32_t p = 0; p < packCount(); ++p) {
        LangPack* pack = packAt(p);
        if (numeric && !pack->hasId(number)) pack->addText(number, fallback.cString());
        if (!numeric && !pack->findTextById(id.cString())) pack->addTextById(id.cString(), fallback.cString());
    }
}

LangPack* Localizer::currentPack() {
    if (!m_current) m_current = systemPack();
    return m_current;
}

int32_t Localizer::currentIndex() {
    int32_t index = -1;
    LangPack* pack = currentPack();
    return pack && m_packs.indexOf(pack, &index) ? index : -1;
}

LangPack* Localizer::systemPack() const {
    LangPack* pack = findLanguage(langSystem().uiLanguageName());
    return pack ? pack : packAt(0);
}

const wchar_t* Localizer::currentLanguageName() {
    LangPack* pack = currentPack();
    return pack ? pack->englishName().cString() : kEmpty;
}

const wchar_t* Localizer::getText(int32_t id) {
    LangPack* pack = currentPack();
    const wchar_t* text = pack ? pack->findText(id) : nullptr;
    return text ? text : kEmpty;
}

bool Localizer::hasText(int32_t id) { return getText(id)[0] != 0; }

void Localizer::setLanguage(const wchar_t* englishName) {
    LangPack* current = currentPack();
    if (!current) return;
    const wchar_t* name = englishName ? englishName : L"";
    if (_wcsicmp(current->englishName().cString(), name) == 0) return;
    LangPack* pack = findLanguage(name);
    if (!pack) pack = packNamed(L"English");
    if (!pack) pack = packAt(0);
    makeCurrent(pack);
}

void Localizer::setLanguageByIndex(int32_t index) {
    if (index < 0 || static_cast<uint32_t>(index) >= packCount()) return;
    currentPack();  // a first choice is no change to tell of
    makeCurrent(packAt(static_cast<uint32_t>(index)));
}

void Localizer::makeCurrent(LangPack* pack) {
    if (!pack || pack == m_current) return;
    m_current = pack;
    notifyListeners();
}

LangPack* Localizer::packNamed(const wchar_t* englishName) const {
    for (uint32_t i = 0; i < packCount(); ++i)
        if (_wcsicmp(packAt(i)->englishName().cString(), englishName) == 0) return packAt(i);
    return nullptr;
}

LangPack* Localizer::findLanguage(const wchar_t* name) const {
    if (!name) return nullptr;
    if (LangPack* exact = packNamed(name)) return exact;
    // A system language without a pack of its own gets the variant that has one.
    struct Variants {
        const wchar_t* prefix;
        const wchar_t* first;
        const wchar_t* second;
    };
    static const Variants kVariants[] = {
        {L"Chinese", L"CHINESE_SIMPLIFIED", L"CHINESE_TRADITIONAL"},
        {L"Portuguese", L"PORTUGUESE_BRAZILIAN", L"PORTUGUESE_PORTUGAL"},
        {L"Serbian", L"SERBIAN_CYRILLIC", L"SERBIAN_LATIN"},
    };
    LangPack* found = nullptr;
    for (const Variants& v : kVariants) {
        if (!startsWithIgnoringCase(name, v.prefix)) continue;
        if (LangPack* pack = packNamed(v.first))
            found = pack;
        else if (LangPack* other = packNamed(v.second))
            found = other;
    }
    return found;
}

LangPack* Localizer::findByTag(const wchar_t* tag) const {
    if (!tag) return nullptr;
    for (uint32_t i = 0; i < packCount(); ++i)
        if (_wcsicmp(packAt(i)->tagName().cString(), tag) == 0) return packAt(i);
    return nullptr;
}

void Localizer::addListener(IEventListener* listener) {
    if (!listener) return;
    s::thread::Lock lock(m_listenerLock);
    m_listeners.add(listener);
}

void Localizer::removeListener(IEventListener* listener) {
    s::thread::Lock lock(m_listenerLock);
    int32_t index = -1;
    while (m_listeners.indexOf(listener, &index)) m_listeners.removeAt(static_cast<uint32_t>(index));
}

uint32_t Localizer::listenerCount() {
    s::thread::Lock lock(m_listenerLock);
    return m_listeners.count();
}

bool Localizer::isListening(IEventListener* listener) {
    s::thread::Lock lock(m_listenerLock);
    return m_listeners.indexOf(listener);
}

// Listeners run outside the lock: one re-texting on its own thread may wait for another
// that is adding itself meanwhile.
void Localizer::notifyListeners() {
    s::col::_array::ArrayP round;
    {
        s::thread::Lock lock(m_listenerLock);
        for (uint32_t i = 0; i < m_listeners.count(); ++i)
            if (!round.add(m_listeners.get(i))) break;
    }
    // Components know the localizer by its text face and compare the source with that.
    void* source = static_cast<s::gui::ITextLocalizer*>(this);
    for (uint32_t i = 0; i < round.count(); ++i) {
        IEventListener* listener = round.item<IEventListener>(i);
        if (isListening(listener)) listener->onEvent(source, kLanguageChanged);
    }
}

const wchar_t* Localizer::captionAt(uint32_t index, uint32_t textId) const {
    const LangPack* pack = packAt(index);
    const wchar_t* text = pack ? pack->findText(static_cast<int32_t>(textId)) : nullptr;
    return text ? text : kEmpty;
}

s::base::IObject* Localizer::newInstance() const { return s::thread::Pool<Localizer>::obtain(); }

void Localizer::releaseToPool() { s::thread::Pool<Localizer>::release(this); }

void Localizer::resetForReuse() {
    m_packs.freeAll();
    m_current = nullptr;
    s::thread::Lock lock(m_listenerLock);
    m_listeners.freeBuffer();  // owns nothing: only the pointers go
}

}  // namespace s::lang
