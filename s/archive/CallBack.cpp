// s/archive/CallBack.cpp
#include "s/archive/CallBack.h"

#include "s/archive/IProgressControl.h"
#include "s/thread/Pool.h"

namespace s::archive {

CallBack::~CallBack() { hold(nullptr); }

void CallBack::setTotal(int64_t total) {
    m_total = total;
    if (forwards()) m_control->setRange(0, static_cast<int32_t>(total));
}

void CallBack::setPosition(int64_t position) {
    m_position = position;
    if (forwards()) m_control->setPosition(static_cast<int32_t>(position));
}

void CallBack::hold(s::thread::IPoolable* object) {
    if (m_held && m_held != object) m_held->releaseToPool();
    m_held = object;
}

s::base::IObject* CallBack::newInstance() const { return s::thread::Pool<CallBack>::obtain(); }

void CallBack::releaseToPool() { s::thread::Pool<CallBack>::release(this); }

void CallBack::resetForReuse() {
    m_control = nullptr;
    m_total = 0;
    m_position = 100;
    m_list.clear();
    hold(nullptr);
}

}  // namespace s::archive
