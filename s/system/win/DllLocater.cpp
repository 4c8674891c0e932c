// s/system/win/DllLocater.cpp
#include "s/system/win/DllLocater.h"

#include "s/thread/Pool.h"

namespace s::system::win {

DllLocater::DllLocater(const wchar_t* fileName) { load(fileName); }

DllLocater::~DllLocater() { release(); }

bool DllLocater::load(const wchar_t* fileName) {
    release();
    if (fileName) m_module = LoadLibraryW(fileName);
    return m_module != nullptr;
}

void DllLocater::release() {
    if (m_module) FreeLibrary(m_module);
    m_module = nullptr;
}

FARPROC DllLocater::function(const char* name) const {
    return m_module && name ? GetProcAddress(m_module, name) : nullptr;
}

s::base::IObject* DllLocater::newInstance() const { return s::thread::Pool<DllLocater>::obtain(); }

void DllLocater::releaseToPool() { s::thread::Pool<DllLocater>::release(this); }

}  // namespace s::system::win
