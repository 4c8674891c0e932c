// s/file/wiper/win/ItemFate.h
//
// What became of one item during a run, kept by the wiper while it works on the item, and
// the rule that turns it into what the end-of-run list says of an item that stayed. Pure;
// any thread.
#pragma once
#include "s/file/wiper/Survival.h"

namespace s::file::wiper::win {

struct ItemFate {
    bool written = false;    // its overwrite began: its data is no longer what it was
    bool destroyed = false;  // overwritten whole and cut to nothing
    bool renamed = false;    // it was given a random name
    bool inside = false;     // a folder: something in it was written or removed
    // Why a check refused the item (a link, other names); kUnknown when none did. What was
    // written before counts more (see survivalOf).
    Survival refused = Survival::kUnknown;
};

// How an item that is still under its first name was left: a refusal says why; a folder is
// partly wiped when anything in it went; a file's data is partly overwritten once its
// overwrite began, destroyed with only its name left once overwritten and cut to nothing;
// otherwise it is as it was.
Survival survivalOf(const ItemFate& fate, bool folder);

}  // namespace s::file::wiper::win
