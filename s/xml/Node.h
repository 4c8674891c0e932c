// s/xml/Node.h
//
// The element of the program's own XML dialect (no declaration, no CDATA, double quotes
// only, every element closed by "</name>", no whitespace between elements). Pooled,
// capacity 1000: owns its name, its attributes and its children (released to the pool with
// it). One thread at a time. The parser never fails: malformed text gives what the rules
// make of it, and content nested deeper than kMaxDepth is skipped. Files answer false when
// they cannot be read or written, or are larger than kMaxFileBytes. Split by theme:
// Node.cpp (tree), NodeParse.cpp (parser, writer), NodeValues.cpp (typed attributes),
// NodeFile.cpp (files).
#pragma once
#include "s/col/_array/ArrayP.h"
#include "s/thread/IPoolable.h"
#include "s/xml/Attributes.h"
#include "s/xml/IXml.h"

namespace s::xml {

class Node final : public IXml, public virtual s::thread::IPoolable {
public:
    // The documents need four levels; a few hundred keeps a hostile file from exhausting the
    // 1 MiB stack of a 32-bit thread.
    static constexpr uint32_t kMaxDepth = 256;
    // Settings files and packs are a few kilobytes; anything above this is not ours.
    static constexpr uint32_t kMaxFileBytes = 64u << 20;

    Node();
    ~Node() override;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    // The pair of that name (first match, ignoring case); *index untouched on a miss.
    bool findAttribute(const wchar_t* name, uint32_t* index) const;
    bool addAttribute(const wchar_t* name, const wchar_t* value, int32_t valueLength);
    // Writes the document beside the file ("<path>.tmp"); saveFile then replaces the file
    // with it in one step, so an interrupted save never leaves a truncated file.
    bool writeTempFile(IPath* path, StrBuffer* tempPath) const;

    // IXml
    uint32_t childCount() const override { return m_children.count(); }
    void clear() override;
    void writeIndented(uint32_t) const override {}
    // From NUL-terminated text; answers the position after the element.
    const wchar_t* parse(const wchar_t* text) override;
    // UTF-8 bytes (invalid ones become U+FFFD; a NUL ends the text); false when they could
    // not be decoded (too large, out of memory).
    bool parseBytes(const uint8_t* bytes, uint32_t count) override;
    const wchar_t* name() const override { return m_name ? m_name : L""; }
    bool setName(const wchar_t* text, int32_t length) override;
    bool nameEquals(const wchar_t* text, int32_t length) const override;
    bool isComment() const override { return m_nameLength && m_name[0] == L'!'; }
    Node* childAt(uint32_t i) const override { return m_children.item<Node>(i); }
    Node* addChildNamed(const wchar_t* text, int32_t length) override;  // null when none could be made
    bool appendChild(IXml* child) override;  // takes a Node from the pool; false: it is released
    void removeChildAt(uint32_t i) override;
    int32_t findChild(const wchar_t* text, int32_t length) const override;  // -1 when none
    Node* childByName(const wchar_t* text, int32_t length) const override;

    // Each setter appends a pair (one of that name already there stays).
    bool setS64(const wchar_t* name, int64_t value) override;
    bool setU32(const wchar_t* name, uint32_t value) override;
    bool setU16(const wchar_t* name, uint16_t value) override;
    bool setU8(const wchar_t* name, uint8_t value) override;
    bool setU64(const wchar_t* name, uint64_t value) override;  // as signed: above INT64_MAX is negative
    bool setS32(const wchar_t* name, int32_t value) override;
    bool setS16(const wchar_t* name, int16_t value) override;
    bool setS8(const wchar_t* name, int8_t value) override;
    bool setFloat(const wchar_t* name, float value) override;  // "%f"
    bool setDouble(const wchar_t* name, double value) override;
    // Escaped by the text rule for the empty name (element text), else the attribute rule.
    bool setText(const wchar_t* name, const wchar_t* text) override;
    bool setHex64(const wchar_t* name, const uint64_t* values, uint32_t count) override;
    bool setHex32(const wchar_t* name, const uint32_t* values, uint32_t count) override;
    bool setHex16(const wchar_t* name, const uint16_t* values, uint32_t count) override;
    bool setHex8(const wchar_t* name, const uint8_t* values, uint32_t count) override;
    // Each value as two "%08x" halves, the low half first.
    bool setHex64AsHalves(const wchar_t* name, const uint64_t* values, uint32_t count) override;

    // Getters read the first pair of that name (ignoring case), else the default.
    const wchar_t* getText(const wchar_t* name, const wchar_t* defaultText) const override;  // still escaped
    bool getBool(const wchar_t* name, bool defaultValue) const override;  // "1" or "true..."
    int8_t getS8(const wchar_t* name, int8_t defaultValue) const override;
    int16_t getS16(const wchar_t* name, int16_t defaultValue) const override;
    int32_t getS32(const wchar_t* name, int32_t defaultValue) const override;
    int64_t getS64(const wchar_t* name, int64_t defaultValue) const override;
    uint8_t getU8(const wchar_t* name, uint8_t defaultValue) const override;
    uint16_t getU16(const wchar_t* name, uint16_t defaultValue) const override;
    uint32_t getU32(const wchar_t* name, uint32_t defaultValue) const override;
    // Unescaped by the rule it was escaped with; true when the pair exists (else the default
    // text is written).
    bool getUnescapedText(const wchar_t* name, StrBuffer* out, bool append,
                          const wchar_t* defaultText) const override;

    // The caller's buffer (cleared unless append) or a pooled one; null when memory ran out.
    StrBuffer* toText(StrBuffer* out, bool append) const override;
    ArrayU08* toBytes(ArrayU08* out, bool append) const override;
    Attributes& attributes() override { return m_attributes; }
    const Attributes& attributes() const { return m_attributes; }
    // Reads the whole file and parses it (the tree is cleared first).
    bool loadFileText(const wchar_t* path) override;
    bool loadFile(IPath* path) override;
    // Creates the folder when missing, writes beside the file and replaces it.
    bool saveFileText(const wchar_t* path) const override;
    bool saveFile(IPath* path) const override;

    // IObject
    const wchar_t* classId() const override { return L"s_xml_Node"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: cleared
    void releaseToPool() override;
    void resetForReuse() override { clear(); }

private:
    const wchar_t* parseElement(const wchar_t* p, const wchar_t* end, uint32_t depth);
    const wchar_t* parseContent(const wchar_t* p, const wchar_t* end, uint32_t depth);
    static const wchar_t* skipElement(const wchar_t* p, const wchar_t* end);
    bool addTextRun(const wchar_t* text, const wchar_t* end);
    bool writeTo(StrBuffer& out) const;
    bool setFormatted(const wchar_t* name, const StrBuffer& value);
    const AttrPair* pairNamed(const wchar_t* name) const { return m_attributes.findPair(name); }

    wchar_t* m_name = nullptr;
    uint32_t m_nameLength = 0;
    Attributes m_attributes;
    s::col::_array::ArrayP m_children;  // Nodes, released to their pool
};

}  // namespace s::xml
