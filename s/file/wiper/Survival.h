// s/file/wiper/Survival.h
//
// Why an item of the failure list is still there, as far as the wiper got with it: what the
// end-of-run list tells the user, in the user's language (the wiper keeps only the kind).
#pragma once
#include <cstdint>

namespace s::file::wiper {

enum class Survival : int32_t {
    kUnknown = 0,        // listed by a caller: no more is known
    kLeftAsItWas,        // nothing of it was written or removed
    kNotFound,           // a queued path that names nothing
    kThroughLink,        // a link: it and what it leads to were left as they were
    kOtherNames,         // a file with other names (hard links): left as it was
    kPartlyOverwritten,  // cut short while overwritten: its data destroyed, its name and size still there
    kPartlyWiped,        // a folder of which some contents were written over or removed
    kNameLeft,           // its data destroyed, its own name still there
    kNameLeftAs,         // its data destroyed, still there under a random name (given with it)
    kStreamsUnknown,     // its data went; its alternate data streams could not be listed
};

}  // namespace s::file::wiper
