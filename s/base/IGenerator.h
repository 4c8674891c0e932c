// s/base/IGenerator.h
//
// Hands out an object (a pool's obtain). Null when none could be made.
#pragma once

namespace s::base {

class IGenerator {
public:
    virtual ~IGenerator() = default;
    virtual void* generate() = 0;
};

}  // namespace s::base
