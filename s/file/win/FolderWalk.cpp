// s/file/win/FolderWalk.cpp
#include "s/file/win/FolderWalk.h"

#include <new>

#include "s/col/_array/ArrayP.h"
#include "s/file/win/IFolderVisitor.h"
#include "s/file/win/PathWin.h"

namespace s::file::win {

namespace {

using s::col::_array::ArrayP;

// One folder in work. The folder's path object belongs to its parent's listing (or to the
// caller, for the top), which stays alive while the frame is on the stack.
struct Frame {
    PathWin* folder;
    void* state;
    void* parent;
    ArrayP* children;
    uint32_t next;
    bool whole;
};

Frame* openFrame(PathWin& folder, void* state, void* parent, IFolderVisitor& visitor) {
    Frame* frame = new (std::nothrow) Frame{&folder, state, parent, nullptr, 0, false};
    void* handle = frame ? visitor.listingHandle(state) : nullptr;
    if (frame)
        frame->children = handle ? folder.listEveryChildThrough(handle, &frame->whole) : folder.listEveryChild(&frame->whole);
    if (frame && !frame->children) frame->whole = false;
    return frame;
}

uint32_t childCount(const Frame& frame) { return frame.children ? frame.children->count() : 0; }

void closeFrame(Frame* frame, IFolderVisitor& visitor) {
    visitor.leave(*frame->folder, frame->state, frame->parent, frame->whole);
    if (frame->children) frame->children->releaseToPool();
    delete frame;
}

}  // namespace

bool walkFolders(PathWin& top, IFolderVisitor& visitor) {
    ArrayP frames;
    bool made = true;
    // A folder that cannot get a frame is left at once, as a folder not read to its end.
    auto descend = [&](PathWin& folder, void* state, void* parent) {
        Frame* frame = openFrame(folder, state, parent, visitor);
        if (frame && frames.add(frame)) return;
        made = false;
        if (frame) {
            frame->whole = false;
            closeFrame(frame, visitor);
        } else {
            visitor.leave(folder, state, parent, false);
        }
    };
    if (void* state = visitor.enter(top, nullptr, 0, 1)) descend(top, state, nullptr);
    while (frames.count()) {
        Frame* frame = static_cast<Frame*>(frames.last());
        const uint32_t count = childCount(*frame);
        if (frame->next >= count || !visitor.goOn(frame->state)) {
            if (frame->next < count) frame->whole = false;
            frames.dropLast(1);
            closeFrame(frame, visitor);
            continue;
        }
        const uint32_t index = frame->next++;
        PathWin& child = *frame->children->item<PathWin>(index);
        if (void* state = visitor.enter(child, frame->state, index, count)) descend(child, state, frame->state);
    }
    return made;
}

}  // namespace s::file::win
