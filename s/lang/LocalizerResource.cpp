// s/lang/LocalizerResource.cpp
//
// The localizer of a module's pack resource. The resource is read with the plain resource
// calls here; the module archive reads it the same way (FindResourceEx with language 0,
// which also finds a resource stored under another language; Wine 8.0, checked).
#include <windows.h>

#include "s/lang/LangSystem.h"
#include "s/lang/Localizer.h"
#include "s/thread/Pool.h"
#include "s/xml/Node.h"

namespace s::lang {

namespace {

// The resource's UTF-8 text parsed into a pooled document; null when it is missing, empty
// or could not be decoded.
s::xml::Node* loadXmlResource(HMODULE module, const wchar_t* typeName, uint16_t id) {
    if (!typeName) return nullptr;
    HRSRC found = FindResourceExW(module, typeName, MAKEINTRESOURCEW(id), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    if (!found) return nullptr;
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = size ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return nullptr;
    s::xml::Node* root = s::thread::Pool<s::xml::Node>::obtain();
    if (root && !root->parseBytes(static_cast<const uint8_t*>(bytes), size)) {
        root->releaseToPool();
        return nullptr;
    }
    return root;
}

}  // namespace

Localizer* newLocalizerFromResource(HMODULE module, const wchar_t* typeName, uint16_t id) {
    Localizer* localizer = s::thread::Pool<Localizer>::obtain();
    if (!localizer) return nullptr;
    if (s::xml::Node* root = loadXmlResource(module, typeName, id)) {
        localizer->loadXml(root);
        root->releaseToPool();
    }
    localizer->setLanguage(langSystem().uiLanguageName());
    return localizer;
}

}  // namespace s::lang
