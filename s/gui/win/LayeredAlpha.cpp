// s/gui/win/LayeredAlpha.cpp
#include "s/gui/win/LayeredAlpha.h"

#include <mutex>

namespace s::gui::win {

namespace {

std::mutex g_lookupLock;
bool g_looked = false;
SetLayeredAlphaFunction g_function = nullptr;
LoadLibraryFunction g_loader = nullptr;

}  // namespace

SetLayeredAlphaFunction layeredAlphaFunction(DWORD* loadError) {
    *loadError = 0;
    std::lock_guard<std::mutex> lock(g_lookupLock);
    if (g_looked) return g_function;
    g_looked = true;
    // Kept loaded for the process: the function is called as long as windows exist.
    HMODULE user32 = g_loader ? g_loader(L"user32.dll") : LoadLibraryW(L"user32.dll");
    if (!user32) {
        *loadError = GetLastError();
        return nullptr;
    }
    g_function = reinterpret_cast<SetLayeredAlphaFunction>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
    return g_function;
}

std::wstring alphaLoadFailureText(DWORD error) {
    return L"Failed to Load user32Dll.dll!!\nError Code - " + std::to_wstring(error);
}

void setUser32Loader(LoadLibraryFunction loader) {
    std::lock_guard<std::mutex> lock(g_lookupLock);
    g_loader = loader;
    g_looked = false;
    g_function = nullptr;
}

}  // namespace s::gui::win
