// s/archive/CallBack.h
//
// The progress of a long operation: a 64-bit total and position that the operation updates
// and that are forwarded to an attached progress control while the total fits its 32-bit
// range (at most 0xFFFFFF). The control is not owned; the list's elements are not owned;
// the held object is owned and released on reset. No lock: it forwards on the calling
// thread, and its owner keeps it to one thread at a time.
#pragma once
#include <cstdint>

#include "s/base/IObject.h"
#include "s/col/_array/ArrayP.h"
#include "s/thread/IPoolable.h"

namespace s::archive {

class IProgressControl;

class CallBack final : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    // Totals above this are kept but not forwarded.
    static constexpr int64_t kForwardLimit = 0xFFFFFF;

    CallBack() = default;
    ~CallBack() override;
    CallBack(const CallBack&) = delete;
    CallBack& operator=(const CallBack&) = delete;

    void attach(IProgressControl* control) { m_control = control; }  // null detaches
    IProgressControl* control() const { return m_control; }

    // Stores the total; forwards the range 0 .. total while it is at most kForwardLimit.
    void setTotal(int64_t total);
    // Stores the position; forwards its low 32 bits while the stored total is at most
    // kForwardLimit.
    void setPosition(int64_t position);
    int64_t total() const { return m_total; }
    int64_t position() const { return m_position; }

    s::col::_array::ArrayP& list() { return m_list; }
    // The owned object, released to its pool on reset (and the one held before now).
    void hold(s::thread::IPoolable* object);
    s::thread::IPoolable* held() const { return m_held; }

    // IObject
    const wchar_t* classId() const override { return L"s_archive_CallBack"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: total 0, position 100, no control, empty list, the held object released
    void releaseToPool() override;
    void resetForReuse() override;

private:
    bool forwards() const { return m_control && m_total <= kForwardLimit; }

    IProgressControl* m_control = nullptr;
    int64_t m_total = 0;
    int64_t m_position = 100;
    s::col::_array::ArrayP m_list;
    s::thread::IPoolable* m_held = nullptr;
};

}  // namespace s::archive
