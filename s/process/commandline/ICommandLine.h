// s/process/commandline/ICommandLine.h
//
// The program's command-line parameters, in command-line order, each a text; switches are
// kept as "-" and their text whichever of '-' or '/' began them. Filled once on the start-up
// thread, then only read.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::process::commandline {

class ICommandLine : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual uint32_t count() const = 0;  // 0 when the program was started without arguments
    // The parameter at index; the empty text outside the list.
    virtual const wchar_t* parameterAt(uint32_t index) const = 0;
    virtual uint32_t parameterCount() const = 0;
};

}  // namespace s::process::commandline
