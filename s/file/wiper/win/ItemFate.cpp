// s/file/wiper/win/ItemFate.cpp
#include "s/file/wiper/win/ItemFate.h"

namespace s::file::wiper::win {

Survival survivalOf(const ItemFate& fate, bool folder) {
    if (folder) {
        if (fate.inside) return Survival::kPartlyWiped;
        return fate.refused != Survival::kUnknown ? fate.refused : Survival::kLeftAsItWas;
    }
    if (fate.destroyed) return Survival::kNameLeft;
    if (fate.written) return Survival::kPartlyOverwritten;
    return fate.refused != Survival::kUnknown ? fate.refused : Survival::kLeftAsItWas;
}

}  // namespace s::file::wiper::win
