// s/gui/dialogs/IFolderSelector.h
//
// The shell's folder browser shown over a toolkit window. Runs modally on the caller's UI
// thread.
#pragma once
#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::gui { class IComponent; }

namespace s::gui::dialogs {

class IFolderSelector : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    // True when a folder was chosen; start folder and title may be null.
    virtual bool show(s::gui::IComponent* parent, const wchar_t* startFolder, const wchar_t* title) = 0;
    virtual const wchar_t* getPath() const = 0;
};

}  // namespace s::gui::dialogs
