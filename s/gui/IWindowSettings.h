// s/gui/IWindowSettings.h
//
// What a top-level window reads from and writes to the settings kept beside it: its title
// text id, its saved geometry and view options, and the language it was last shown in. The
// settings object belongs to the application; the window only holds a pointer to it.
#pragma once
#include <cstdint>

namespace s::gui::drawer {
class Skinner;
}  // namespace s::gui::drawer
namespace s::image {
class IBufferedImageSet;
}  // namespace s::image

namespace s::gui {

class ITextLocalizer;

class IWindowSettings {
public:
    virtual ~IWindowSettings() = default;
    virtual ITextLocalizer* localizer() = 0;  // null: the window keeps the one it has
    virtual int32_t titleTextId() = 0;        // -1: no title text
    virtual bool hasPosition() = 0;
    virtual int32_t getX() = 0;
    virtual int32_t getY() = 0;
    virtual int32_t getWidth() = 0;
    virtual int32_t getHeight() = 0;
    virtual void setX(int32_t x) = 0;
    virtual void setY(int32_t y) = 0;
    virtual void setWidth(int32_t width) = 0;
    virtual void setHeight(int32_t height) = 0;
    virtual bool getMaximized() = 0;
    virtual void setMaximized(bool maximized) = 0;
    virtual bool getEasyDrag() = 0;
    virtual bool getKeepOnTop() = 0;
    virtual const wchar_t* getMiddleClickAction() = 0;  // "DoNothing", "Close" or "Iconize"
    virtual void setLanguage(const wchar_t* name) = 0;
    virtual void saveStore() = 0;
    // The window's icon in its sizes, smallest first (null: none); the window picks two by
    // the UI scale.
    virtual s::image::IBufferedImageSet* iconSet() = 0;
    virtual s::gui::drawer::Skinner* skinner() = 0;  // null: the window keeps its look  // writes the settings store out (the session is ending)
};

}  // namespace s::gui
