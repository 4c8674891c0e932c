// s/image/EncodeSetting.h
//
// What the four formats' settings share: the store (not owned) and the key under which the
// format keeps its values (base key + "\" + the format's key name), the box (not owned), and
// loading and saving through the format's readValues and writeValues. Every value that comes
// from the store or a box passes clampValues: a stored value out of range would otherwise
// reach the codecs (a GIF depth of 9 asks for 511 palette entries of a 256-entry table).
#pragma once
#include <cstdint>
#include <string>

#include "s/image/IEncodeSetting.h"

namespace s::image {

class EncodeSetting : public IEncodeSetting {
public:
    IEncodeSettingBox* createBox() override;
    bool applyBox() override;
    bool hasStore() const override { return m_store != nullptr; }
    s::map::IMappedData* getStore() const override { return m_store; }
    void attachStore(const wchar_t* baseKey, s::map::IMappedData* store) override;
    void load() override;
    void save() override;

    IEncodeSettingBox* getBox() const { return m_box; }
    const wchar_t* keyPath() const { return m_keyPath.c_str(); }

    static uint8_t clampColour(int32_t value) { return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value)); }

protected:
    // "BmpEncodeSetting" and the like
    virtual const wchar_t* keyName() const = 0;
    virtual const wchar_t* boxClassId() const = 0;
    virtual void readValues(s::map::IMappedData* store, const wchar_t* path) = 0;
    virtual void writeValues(s::map::IMappedData* store, const wchar_t* path) const = 0;
    virtual void clampValues() = 0;
    // what resetting the common part means: store, key and box forgotten
    void forgetStoreAndBox();

private:
    s::map::IMappedData* m_store = nullptr;
    std::wstring m_keyPath;
    IEncodeSettingBox* m_box = nullptr;
};

}  // namespace s::image
