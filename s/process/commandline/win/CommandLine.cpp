// s/process/commandline/win/CommandLine.cpp
#include "s/process/commandline/win/CommandLine.h"

#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"

namespace s::process::commandline::win {

void CommandLine::parseParam(const wchar_t* param, bool flag, bool /*last*/) {
    if (!param) param = L"";
    if (flag) m_parameters.addBuffer(s::str::strbuffer::newStrBufferConcat(L"-", param));
    else m_parameters.addString(param);
}

const wchar_t* CommandLine::parameterAt(uint32_t index) const {
    const s::str::strbuffer::StrBuffer* text = m_parameters.at(index);
    return text ? text->cString() : L"";
}

s::base::IObject* CommandLine::newInstance() const {
    return s::thread::Pool<CommandLine>::obtain();
}

void CommandLine::releaseToPool() { s::thread::Pool<CommandLine>::release(this); }

}  // namespace s::process::commandline::win
