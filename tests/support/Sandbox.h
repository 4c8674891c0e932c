// tests/support/Sandbox.h
//
// A fresh folder for one test, on the fixture drive that the Wine session maps (its root is
// named by S_SANDBOX_ROOT and must hold the marker file "sandbox.root"). Every test that
// creates, wipes, renames or deletes files works only inside one. The destructor removes the
// folder and everything in it; links met on the way are removed, never followed.
#pragma once
#include <string>

namespace tests {

class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    bool ok() const { return !m_path.empty(); }  // false: no fixture drive, nothing made
    const std::wstring& path() const { return m_path; }
    std::wstring at(const std::wstring& relative) const { return m_path + L"\\" + relative; }

    bool makeFolder(const std::wstring& relative) const;
    bool writeFile(const std::wstring& relative, const std::string& bytes) const;
    bool readFile(const std::wstring& relative, std::string* bytes) const;
    bool exists(const std::wstring& relative) const;
    // A symbolic link at `link` to `target` (relative to the link's folder, inside the
    // fixture drive), made by the session; false when it did not appear within 5 s.
    bool makeLink(const std::wstring& link, const std::wstring& target) const;
    // Another name `link` of the file `target` (relative to the link's folder, inside the
    // fixture drive): a hard link, made by the session; false when it did not appear
    // within 5 s.
    bool makeHardLink(const std::wstring& link, const std::wstring& target) const;

    // An empty file in the sandbox folder `folder` ("" for the sandbox itself) under a Linux
    // name that Windows may not express (UTF-8, "?" "*" "|" allowed), made by the session;
    // false when the request was not handled within 5 s.
    bool makeHostFile(const std::wstring& folder, const std::string& utf8Name) const;
    // A named pipe (FIFO) of the host there, made the same way.
    bool makeHostFifo(const std::wstring& folder, const std::string& utf8Name) const;

private:
    bool linkRequest(const std::wstring& link, const std::wstring& target, const wchar_t* kind) const;
    bool hostRequest(const std::wstring& folder, const std::string& utf8Name, const wchar_t* kind) const;

    std::wstring m_path;
};

}  // namespace tests
