// tests/s/file/wiper/win/ItemFateTest.cpp
//
// What the end-of-run list says of an item that stayed, from what became of it.
#include "s/file/wiper/win/ItemFate.h"

#include <gtest/gtest.h>

namespace {

using s::file::wiper::Survival;
using s::file::wiper::win::ItemFate;

TEST(ItemFate, HowAnItemThatStayedWasLeft) {
    struct Row {
        ItemFate fate;  // written, destroyed, renamed, inside, refused
        bool folder;
        Survival said;
        const char* why;
    } const rows[] = {
        {{}, false, Survival::kLeftAsItWas, "nothing happened to it"},
        {{}, true, Survival::kLeftAsItWas, "a folder of which nothing went"},
        {{true, false, false, false, Survival::kUnknown}, false, Survival::kPartlyOverwritten,
         "cut short while overwritten"},
        {{true, true, false, false, Survival::kUnknown}, false, Survival::kNameLeft,
         "overwritten and cut to nothing, but not renamed"},
        {{false, false, false, true, Survival::kUnknown}, true, Survival::kPartlyWiped, "a folder that lost a child"},
        {{false, false, false, true, Survival::kThroughLink}, true, Survival::kPartlyWiped,
         "what went from a folder counts more than a refusal"},
        {{false, false, false, false, Survival::kThroughLink}, false, Survival::kThroughLink,
         "refused as a link before anything was written"},
        {{false, false, false, false, Survival::kOtherNames}, false, Survival::kOtherNames,
         "refused for its other names"},
        {{false, false, false, false, Survival::kThroughLink}, true, Survival::kThroughLink,
         "a folder refused as a link"},
        {{true, false, false, false, Survival::kThroughLink}, false, Survival::kPartlyOverwritten,
         "written data counts more than a later refusal"},
        {{false, false, true, false, Survival::kUnknown}, false, Survival::kLeftAsItWas,
         "a new name alone says nothing of its data"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(row.said, s::file::wiper::win::survivalOf(row.fate, row.folder));
    }
}

}  // namespace
