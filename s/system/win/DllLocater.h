// s/system/win/DllLocater.h
//
// Keeps one module loaded for as long as the object lives: the owner of a library whose
// functions are looked up at run time (ntdll, sfc ...). The handle is null when nothing is
// loaded (no name, or LoadLibraryW failed). Not locked: one owner at a time; a static
// instance is filled once under its user's lock and only read afterwards.
#pragma once
#include <windows.h>

#include "s/base/IObject.h"
#include "s/thread/IPoolable.h"

namespace s::system::win {

class DllLocater final : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    explicit DllLocater(const wchar_t* fileName = nullptr);
    ~DllLocater() override;
    DllLocater(const DllLocater&) = delete;
    DllLocater& operator=(const DllLocater&) = delete;

    // Frees the module held before, then loads fileName (null: nothing); true when loaded.
    bool load(const wchar_t* fileName);
    // FreeLibrary of the held module; the handle is null afterwards.
    void release();

    HMODULE handle() const { return m_module; }
    bool isLoaded() const { return m_module != nullptr; }
    // GetProcAddress in the held module; null when nothing is loaded or the name is missing.
    FARPROC function(const char* name) const;

    // IObject
    const wchar_t* classId() const override { return L"s_system_win_DllLocater"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: the module is freed
    void releaseToPool() override;
    void resetForReuse() override { release(); }

private:
    HMODULE m_module = nullptr;
};

}  // namespace s::system::win
