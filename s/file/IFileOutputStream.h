// s/file/IFileOutputStream.h
//
// A buffered output stream over a file, opened by path, that can also read back through the
// same handle (s::file::win::FileOutputStream). One thread at a time; taken from its pool,
// given back with closeAndRelease, which writes what is still buffered first.
#pragma once
#include "s/base/IObject.h"
#include "s/io/IInputStream.h"
#include "s/io/IOutputStream.h"

namespace s::file {

class IFileOutputStream : public s::base::IObject, public s::io::IOutputStream, public s::io::IInputStream {
public:
    // Closes what was open, then opens the file for writing: appending (made when missing)
    // or emptied; false when it cannot be opened.
    virtual bool open(const wchar_t* path, bool append) = 0;
    virtual const wchar_t* interfaceClassId() const { return L"s_file_IFileOutputStream"; }

    // Both stream faces share one position and one handle: one operation serves both.
    void close() override = 0;
    uint64_t position() override = 0;
    bool canSeek() override = 0;
    bool seekStart() override = 0;
    bool seekEnd() override = 0;
    bool seek(uint64_t position) override = 0;
    bool seekFromEnd(uint64_t distance) override = 0;
    uint64_t skip(uint64_t distance) override = 0;
    uint64_t skipBack(uint64_t distance) override = 0;
    void detach() override = 0;
    void closeAndRelease() override = 0;
};

}  // namespace s::file
