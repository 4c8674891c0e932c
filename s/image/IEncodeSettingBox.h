// s/image/IEncodeSettingBox.h
//
// A settings box as the encode settings see it: linked to one settings object, whose
// choices it writes back into it when asked. The boxes themselves are the dialogs' work.
#pragma once
#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::image {

class IEncodeSetting;

class IEncodeSettingBox : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual void link(IEncodeSetting* setting) = 0;
    virtual void applyTo(IEncodeSetting* setting) = 0;
};

}  // namespace s::image
