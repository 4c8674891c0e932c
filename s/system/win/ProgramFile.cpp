// s/system/win/ProgramFile.cpp
#include "s/system/win/ProgramFile.h"

#include "mfc/Afx.h"
#include "s/str/strbuffer/StrBuffer.h"

namespace s::system::win {

bool programFileText(s::str::strbuffer::StrBuffer* out) {
    out->clear();
    wchar_t* path = mfc::AfxGetModuleFileName(nullptr);
    const bool ok = path && out->append(path);
    delete[] path;
    if (!ok) out->clear();
    return ok;
}

}  // namespace s::system::win
