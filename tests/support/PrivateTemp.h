// tests/support/PrivateTemp.h
//
// Points this process's temporary folder (TMP and TEMP, which GetTempPathW reads) at a
// sandbox of its own for one test, and back afterwards. Tests that count the temporary files
// a download leaves run side by side with others making files of the same prefix; in one
// shared folder each would see the other's.
#pragma once
#include <string>
#include <vector>

#include "support/Sandbox.h"

namespace tests {

class PrivateTemp {
public:
    PrivateTemp();
    ~PrivateTemp();
    PrivateTemp(const PrivateTemp&) = delete;
    PrivateTemp& operator=(const PrivateTemp&) = delete;

    bool ok() const { return m_moved; }

private:
    Sandbox m_box;
    std::wstring m_tmp, m_temp;
    bool m_hadTmp = false, m_hadTemp = false, m_moved = false;
};

// The names of the files matching `pattern` (e.g. L"NEW*.tmp") in the temporary folder now.
std::vector<std::wstring> tempFiles(const wchar_t* pattern);

}  // namespace tests
