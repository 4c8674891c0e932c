// s/gui/drawer/Skinner.h
//
// The named skins of one skin family, the current one, and the listeners that repaint when
// it changes. The skins are owned (released with the Skinner); the current skin and the
// listeners are not. Built on the thread that creates the window; no lock of its own.
// Pooled, capacity 1000.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/col/_array/ArrayP.h"
#include "s/gui/drawer/ISkin.h"
#include "s/gui/drawer/ISkinListener.h"
#include "s/str/strarray/StrArray.h"
#include "s/thread/IPoolable.h"

namespace s::str::strbuffer {
class StrBuffer;
}  // namespace s::str::strbuffer

namespace s::gui::drawer {

class Skinner : public s::base::IObject, public s::thread::IPoolable {
public:
    Skinner();
    ~Skinner() override;
    Skinner(const Skinner&) = delete;
    Skinner& operator=(const Skinner&) = delete;

    const wchar_t* getFamilyName() const;
    void setFamilyName(const wchar_t* name);
    // Keeps the skin and a copy of its name at the same index.
    bool addSkin(ISkin* skin);
    // The built-in skins of the family: "Thin" or "ThinWindow" (ignoring case); another
    // family adds none. Called twice, it adds every skin twice.
    void registerSchemes();
    // The first skin whose whole name equals `name` ignoring case; false with -1 for none.
    bool findSkinIndex(const wchar_t* name, int32_t* index) const;
    uint32_t getSkinCount() const { return m_skins.count(); }
    ISkin* getSkin(uint32_t index) const { return m_skins.item<ISkin>(index); }
    ISkin* getCurrentSkin() const { return m_current; }
    // The named skin, or the first one when the name is unknown, becomes current; the
    // listeners are told only when that changed the current skin.
    bool selectSkin(const wchar_t* name);
    void addListener(ISkinListener* listener);
    void removeListener(ISkinListener* listener);
    uint32_t getListenerCount() const { return m_listeners.count(); }
    // Every listener in list order, the count read again after each call, so listeners
    // added meanwhile are called in the same pass.
    void notifyListeners();

    // IObject
    const wchar_t* classId() const override { return L"s_gui_drawer_Skinner"; }
    s::base::IObject* newInstance() const override;
    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override;

private:
    void releaseSkins();

    s::str::strbuffer::StrBuffer* m_family = nullptr;
    s::col::_array::ArrayP m_skins;
    s::str::strarray::StrArray m_names;
    ISkin* m_current = nullptr;
    s::col::_array::ArrayP m_listeners;
};

// A pooled Skinner of the "ThinWindow" family with its schemes registered.
Skinner* newSkinnerThinWindow();

}  // namespace s::gui::drawer
