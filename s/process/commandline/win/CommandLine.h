// s/process/commandline/win/CommandLine.h
//
// The command line as a list of texts, filled by the framework-style parser through
// ParseParam (see mfc/CommandLineParser). The parser's own reading of switches is never
// used. Pooled (capacity 1000); the pool reset empties the list. No lock: filled once on the
// start-up thread. A text that cannot be stored for lack of memory is left out.
#pragma once
#include <cstdint>

#include "mfc/CCommandLineInfo.h"
#include "s/process/commandline/ICommandLine.h"
#include "s/str/strarray/StrArray.h"

namespace s::process::commandline::win {

class CommandLine final : public s::process::commandline::ICommandLine,
                          public mfc::CCommandLineInfo {
public:
    CommandLine() = default;
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // A switch (flag set, its '-' or '/' already taken off) is kept as "-" + text, any other
    // argument unchanged; last is not used.
    void parseParam(const wchar_t* param, bool flag, bool last);
    void ParseParam(const wchar_t* param, BOOL flag, BOOL last) override {
        parseParam(param, flag != FALSE, last != FALSE);
    }

    // ICommandLine
    uint32_t count() const override { return m_parameters.count(); }
    const wchar_t* parameterAt(uint32_t index) const override;
    uint32_t parameterCount() const override { return count(); }

    // IObject
    const wchar_t* classId() const override { return L"s_process_commandline_win_CommandLine"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override { m_parameters.reset(); }

private:
    s::str::strarray::StrArray m_parameters;
};

}  // namespace s::process::commandline::win
