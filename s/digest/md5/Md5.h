// s/digest/md5/Md5.h
//
// The MD5 message digest of RFC 1321 behind IDigester. A fresh or reset digester and one
// that has just finished are all ready for a new message. Pooled; one thread at a time.
// digestHex is the digest operation of strings and arrays.
#pragma once
#include <cstdint>

#include "s/col/_array/ArrayU08.h"
#include "s/digest/IDigester.h"
#include "s/thread/IPoolable.h"

namespace s::digest::md5 {

class Md5 final : public s::digest::IDigester, public virtual s::thread::IPoolable {
public:
    static constexpr uint32_t kLength = 16;

    Md5();
    ~Md5() override = default;
    Md5(const Md5&) = delete;
    Md5& operator=(const Md5&) = delete;

    bool hasData() const { return m_hasData; }             // fed since the last init or finish
    const s::col::_array::ArrayU08& result() const { return m_result; }  // the last own result

    // IDigester
    uint32_t digestLength() const override { return kLength; }
    void update(const void* data, uint32_t byteCount) override;
    void finish(uint8_t* target) override;
    void init() override;
    s::str::strbuffer::StrBuffer* resultHex(s::str::strbuffer::StrBuffer* string, bool append) const override;

    // IObject
    const wchar_t* classId() const override { return L"s_digest_md5_Md5"; }
    s::base::IObject* newInstance() const override;

    // IPoolable
    void releaseToPool() override;
    void resetForReuse() override { init(); }

private:
    void transform(const uint8_t* block);

    bool m_hasData = false;
    s::col::_array::ArrayU08 m_result;
    uint32_t m_state[4];
    uint64_t m_bitLength = 0;
    uint8_t m_block[64];
};

// Feeds byteCount bytes to the digester (a pooled Md5, released afterwards, when null),
// finishes it into its own result and answers that result as hexadecimal text in result
// (cleared unless append) or a pooled string. Null when no string could be had.
s::str::strbuffer::StrBuffer* digestHex(s::digest::IDigester* digester, const void* data,
                                        uint32_t byteCount, s::str::strbuffer::StrBuffer* result,
                                        bool append);

}  // namespace s::digest::md5
