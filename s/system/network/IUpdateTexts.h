// s/system/network/IUpdateTexts.h
//
// The texts of the update check by id (the language pack, plugged in later): never null,
// the empty text when the pack lacks the id.
#pragma once
#include <cstdint>

namespace s::system::network {

class IUpdateTexts {
public:
    virtual ~IUpdateTexts() = default;
    virtual const wchar_t* text(uint32_t id) = 0;
};

}  // namespace s::system::network
