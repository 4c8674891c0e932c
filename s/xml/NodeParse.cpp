// s/xml/NodeParse.cpp
//
// The parser and the writer of the dialect. Every scan stops at the end of the text (the
// first NUL), and every step of a loop consumes at least one character, so no input makes
// the parser read past its text or loop without end.
#include <cwchar>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"
#include "s/xml/Node.h"
#include "s/xml/XmlChars.h"

namespace s::xml {

namespace {

const wchar_t* afterChar(const wchar_t* p, const wchar_t* end, wchar_t c) {
    p = findChar(p, end, c);
    return p < end ? p + 1 : end;
}

// p is just after "<!": the comment ends after the next "-->".
const wchar_t* afterComment(const wchar_t* p, const wchar_t* end) {
    for (; p < end; ++p)
        if (startsWithAt(p, end, L"-->", 3)) return p + 3;
    return end;
}

const wchar_t* nameEnd(const wchar_t* p, const wchar_t* end) {
    while (p < end && !isXmlSpace(*p) && *p != L'/' && *p != L'>') ++p;
    return p;
}

bool isClosingTag(const wchar_t* p, const wchar_t* end) { return end - p >= 2 && p[1] == L'/'; }

}  // namespace

const wchar_t* Node::parse(const wchar_t* text) {
    clear();
    if (!text) return text;
    return parseElement(text, text + std::wcslen(text), 0);
}

const wchar_t* Node::parseElement(const wchar_t* p, const wchar_t* end, uint32_t depth) {
    p = findChar(p, end, L'<');
    if (p == end) return end;
    p = skipSpace(p + 1, end);
    if (p < end && *p == L'!') {
        setName(L"!--", 3);
        return afterComment(p + 1, end);
    }
    const wchar_t* name = p;
    p = nameEnd(p, end);
    setName(name, static_cast<int32_t>(p - name));
    p = Attributes::parseTag(p, end, &m_attributes);
    if (p == end) return end;
    if (*p == L'/') return afterChar(p, end, L'>');
    return parseContent(p + 1, end, depth);
}

// p is just after the '>' of the opening tag.
const wchar_t* Node::parseContent(const wchar_t* p, const wchar_t* end, uint32_t depth) {
    for (;;) {
        const wchar_t* text = skipSpace(p, end);
        p = findChar(text, end, L'<');
        if (p > text) addTextRun(text, p);
        if (p == end) return end;
        if (isClosingTag(p, end)) return afterChar(p, end, L'>');
        Node* child = depth + 1 < kMaxDepth ? s::thread::Pool<Node>::obtain() : nullptr;
        if (!child) {
            p = skipElement(p, end);
            continue;
        }
        p = child->parseElement(p, end, depth + 1);
        if (child->isComment())
            child->releaseToPool();
        else
            appendChild(child);
    }
}

// Passes over one element and all it holds without building anything and without using
// the call stack for depth; p is at its '<'. The tags are read by the parser's rules.
const wchar_t* Node::skipElement(const wchar_t* p, const wchar_t* end) {
    uint32_t open = 0;
    for (;;) {
        const wchar_t* q = skipSpace(p + 1, end);
        if (q < end && *q == L'!') {
            p = afterComment(q + 1, end);
        } else {
            q = Attributes::parseTag(nameEnd(q, end), end, nullptr);
            if (q == end) return end;
            p = q + 1;
            if (*q == L'/') p = afterChar(q, end, L'>');
            else ++open;
        }
        for (;;) {
            if (open == 0) return p;
            p = findChar(p, end, L'<');
            if (p == end) return end;
            if (!isClosingTag(p, end)) break;
            p = afterChar(p, end, L'>');
            --open;
        }
    }
}

bool Node::addTextRun(const wchar_t* text, const wchar_t* end) {
    return m_attributes.add(L"", 0, text, static_cast<int32_t>(end - text));
}

bool Node::writeTo(StrBuffer& out) const {
    if (!out.appendChar(L'<') || !out.append(name(), static_cast<int32_t>(m_nameLength))) return false;
    const AttrPair* text = nullptr;
    for (uint32_t i = 0; i < m_attributes.count(); ++i) {
        const AttrPair* pair = m_attributes.at(i);
        if (!pair->nameLength) {
            if (!text) text = pair;
            continue;
        }
        if (!out.appendChar(L' ') || !out.append(pair->name, static_cast<int32_t>(pair->nameLength)) ||
            !out.append(L"=\"", 2) || !out.append(pair->value, static_cast<int32_t>(pair->valueLength)) ||
            !out.appendChar(L'"'))
            return false;
    }
    if (!out.appendChar(L'>')) return false;
    if (text && !out.append(text->value, static_cast<int32_t>(text->valueLength))) return false;
    for (uint32_t i = 0; i < m_children.count(); ++i)
        if (!childAt(i)->writeTo(out)) return false;
    return out.append(L"</", 2) && out.append(name(), static_cast<int32_t>(m_nameLength)) && out.appendChar(L'>');
}

Node::StrBuffer* Node::toText(StrBuffer* out, bool append) const {
    StrBuffer* result = s::str::strbuffer::resultString(out, append);
    if (!result) return nullptr;
    if (writeTo(*result)) return result;
    if (!out) result->releaseToPool();
    return nullptr;
}

Node::ArrayU08* Node::toBytes(ArrayU08* out, bool append) const {
    StrBuffer text;
    if (!writeTo(text)) return nullptr;
    return text.toUtf8(out, append);
}

bool Node::parseBytes(const uint8_t* bytes, uint32_t count) {
    clear();
    if (!bytes || count == 0) return true;
    if (count > 0x7FFFFFFF) return false;
    StrBuffer text;
    if (!text.setFromUtf8(bytes, false, static_cast<int32_t>(count))) return false;
    parse(text.cString());
    return true;
}

}  // namespace s::xml
