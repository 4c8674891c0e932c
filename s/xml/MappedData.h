// s/xml/MappedData.h
//
// The settings store in an XML file: key-path segments are elements (separated by "\" or
// "/", compared exactly; empty segments are skipped), value names are attributes (compared
// ignoring case) and the empty value name is the element's text. Changes live in memory
// until save(), which auto-save runs after each change. Pooled, capacity 1000; one thread at
// a time, no lock of its own. Owns its path object and its document. Failures: a missing or
// damaged file gives an empty "savedata" document, a failed save leaves the old file whole
// and is not reported, and every read of what is missing gives its default.
#pragma once
#include "s/map/IMappedData.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::file { class IPath; }

namespace s::xml {

class Node;

class MappedData final : public s::map::IMappedData {
public:
    using IPath = s::file::IPath;
    using StrBuffer = s::str::strbuffer::StrBuffer;

    // Deeper key paths are refused: the parser keeps no more levels than this on reload.
    static constexpr uint32_t kMaxSegments = 200;

    MappedData() = default;
    ~MappedData() override;
    MappedData(const MappedData&) = delete;
    MappedData& operator=(const MappedData&) = delete;

    // Takes `path` (owned; the previous one is released) and loads its file. A file that is
    // missing, unreadable, too large or has no root name gives a fresh "savedata" root; true
    // when the file was loaded. The root is selected.
    bool attachFile(IPath* path);
    Node* document() const { return m_root; }

    // IMappedData
    void save() override;
    void openPath(const wchar_t* path) override;
    void removePath(const wchar_t* path) override;  // the empty path (the root) is refused
    bool selectPath(const wchar_t* path) override;
    bool hasValue(const wchar_t* path, const wchar_t* name) override;
    uint8_t getU8(const wchar_t* path, const wchar_t* name, uint8_t defaultValue) override;
    uint16_t getU16(const wchar_t* path, const wchar_t* name, uint16_t defaultValue) override;
    uint32_t getU32(const wchar_t* path, const wchar_t* name, uint32_t defaultValue) override;
    uint64_t getU64(const wchar_t* path, const wchar_t* name, uint64_t defaultValue) override;
    int8_t getS8(const wchar_t* path, const wchar_t* name, int8_t defaultValue) override;
    int16_t getS16(const wchar_t* path, const wchar_t* name, int16_t defaultValue) override;
    int32_t getS32(const wchar_t* path, const wchar_t* name, int32_t defaultValue) override;
    int64_t getS64(const wchar_t* path, const wchar_t* name, int64_t defaultValue) override;
    float getFloat(const wchar_t* path, const wchar_t* name, float defaultValue) override;
    double getDouble(const wchar_t* path, const wchar_t* name, double defaultValue) override;
    bool getBool(const wchar_t* path, const wchar_t* name, bool defaultValue) override;
    // *wasExpandable is always false: the file does not keep the difference.
    const wchar_t* getString(const wchar_t* path, const wchar_t* name, const wchar_t* defaultText,
                             bool* wasExpandable = nullptr, bool expand = false) override;
    StrArray* getStringList(const wchar_t*, const wchar_t*) override { return nullptr; }
    // Pairs of hexadecimal digits, up to the first pair that is not two digits.
    ArrayU08* getBytes(const wchar_t* path, const wchar_t* name, ArrayU08* bytes = nullptr) override;
    void deleteValue(const wchar_t* path, const wchar_t* name) override;
    void setU8(const wchar_t* path, const wchar_t* name, uint8_t value) override;
    void setU16(const wchar_t* path, const wchar_t* name, uint16_t value) override;
    void setU32(const wchar_t* path, const wchar_t* name, uint32_t value) override;
    void setU64(const wchar_t* path, const wchar_t* name, uint64_t value) override;
    void setS8(const wchar_t* path, const wchar_t* name, int8_t value) override;
    void setS16(const wchar_t* path, const wchar_t* name, int16_t value) override;
    void setS32(const wchar_t* path, const wchar_t* name, int32_t value) override;
    void setS64(const wchar_t* path, const wchar_t* name, int64_t value) override;
    void setFloat(const wchar_t* path, const wchar_t* name, float value) override;
    void setDouble(const wchar_t* path, const wchar_t* name, double value) override;
    void setBool(const wchar_t* path, const wchar_t* name, bool value) override;
    void setString(const wchar_t* path, const wchar_t* name, const wchar_t* text) override;
    void setExpandString(const wchar_t* path, const wchar_t* name, const wchar_t* text) override;
    void setStringList(const wchar_t* path, const wchar_t* name, const StrArray* list) override;  // stores nothing
    void setBytes(const wchar_t* path, const wchar_t* name, const ArrayU08* bytes) override;
    bool getAutoSave() const override { return m_autoSave; }
    void setAutoSave(bool on) override { m_autoSave = on; }

    // IObject
    const wchar_t* classId() const override { return L"s_xml_MappedData"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: path and document released, strings cleared, nothing selected, auto-save off
    void releaseToPool() override;
    void resetForReuse() override;

private:
    Node* walk(const wchar_t* path, bool create);
    bool select(const wchar_t* path, bool create);
    void forgetSelection();
    void saveWhenAuto();
    const wchar_t* valueOf(const wchar_t* path, const wchar_t* name);
    bool unescapedValue(const wchar_t* path, const wchar_t* name);
    template <class F>
    void write(const wchar_t* path, const wchar_t* name, F set);
    void releaseDocument();

    IPath* m_path = nullptr;
    StrBuffer m_scratch;   // getString and getBytes unescape here
    StrBuffer m_lastPath;  // the path of m_selected, compared ignoring case
    Node* m_root = nullptr;
    Node* m_selected = nullptr;  // m_root or below it; null after a failed walk
    bool m_autoSave = false;
};

// A pooled store on the file; the caller releases it to its pool. Null when no store or
// path object could be made.
MappedData* openXmlData(const wchar_t* pathText);

}  // namespace s::xml
