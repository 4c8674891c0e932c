// s/image/filters/IFilter.h
//
// A filter an image runs over its pixels (applyFilters). The owned flag tells the image that
// holds it whether to release it to its pool on removal. A filter that cannot run returns null.
#pragma once
#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::image::win {
class BufferedImage;
}  // namespace s::image::win

namespace s::image::filters {

class IFilter : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    // A constant text: images compare filters by this pointer.
    virtual const wchar_t* getName() const = 0;
    virtual bool isOwned() const = 0;
    virtual void setOwned(bool flag) = 0;
    // The filtered copy of source in target (or, when none, in a new pooled image).
    virtual s::image::win::BufferedImage* apply(const s::image::win::BufferedImage* source,
                                                s::image::win::BufferedImage* target) = 0;
};

}  // namespace s::image::filters
