// s/gui/dialogs/IFileOpener.h
//
// A file dialog shown over a toolkit window: open or save, one or several files, with a
// title, a start folder, a file name and filters. Runs modally on the caller's UI thread.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui { class IComponent; }
namespace s::str::strarray { class StrArray; }

namespace s::gui::dialogs {

class IFileOpener : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    // True when paths were chosen; a cancelled dialog leaves the list empty.
    virtual bool show(s::gui::IComponent* parent) = 0;
    // The option: with multi-select, several files may be chosen; with value, shortcuts
    // are followed to their targets.
    virtual void setOption(bool flag, bool value) = 0;
    virtual void clearOption() = 0;
    virtual const s::str::strarray::StrArray* getResult() const = 0;
    virtual int32_t getChosenFilter() const = 0;  // 1 first, as the dialog counts
    virtual void setTitle(const wchar_t* title) = 0;
    virtual void setFolder(const wchar_t* folder) = 0;
    virtual void setFileName(const wchar_t* name) = 0;
    virtual void addFilter(const wchar_t* caption, const wchar_t* pattern) = 0;
};

}  // namespace s::gui::dialogs
