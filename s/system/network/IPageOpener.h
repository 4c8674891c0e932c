// s/system/network/IPageOpener.h
//
// Opens an address with the shell (the user's browser). A seam so that tests record it.
#pragma once

namespace s::system::network {

class IPageOpener {
public:
    virtual ~IPageOpener() = default;
    virtual void open(const wchar_t* address) = 0;
};

}  // namespace s::system::network
