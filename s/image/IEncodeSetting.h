// s/image/IEncodeSetting.h
//
// The user's saving choices for one writable format: kept in the settings store under a key
// of their own, made into a codec object for an image or a set, and edited in a settings box
// (made through the hook in s/image/EncodeSettingBoxes.h). Values read from the store or a
// box are brought into their format's range. Used on the thread of the dialog showing it.
#pragma once
#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::map {
class IMappedData;
}  // namespace s::map
namespace s::image::win {
class BufferedImage;
class BufferedImageSet;
}  // namespace s::image::win

namespace s::image {

class IEncodedImage;
class IEncodeSettingBox;

class IEncodeSetting : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    // new codec objects the caller owns; null when none can be made
    virtual IEncodedImage* encodeImageSet(const s::image::win::BufferedImageSet* set) const = 0;
    virtual IEncodedImage* encodeImage(s::image::win::BufferedImage* image) const = 0;
    // the format's box, linked to this object and kept as its box; null without a maker
    virtual IEncodeSettingBox* createBox() = 0;
    // the box's choices into this object, then saved; true without a box
    virtual bool applyBox() = 0;
    virtual bool hasStore() const = 0;
    virtual s::map::IMappedData* getStore() const = 0;
    // keeps a copy of the key text and the store (not owned), then loads
    virtual void attachStore(const wchar_t* baseKey, s::map::IMappedData* store) = 0;
    virtual void load() = 0;
    virtual void save() = 0;
};

}  // namespace s::image
