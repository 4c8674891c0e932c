// s/lang/LocalizerResource.cpp
//
// The localizer of a module's pack resource, read through the module archive.
#include "s/archive/dll/win/Archive.h"
#include "s/lang/LangSystem.h"
#include "s/lang/Localizer.h"
#include "s/thread/Pool.h"
#include "s/xml/Node.h"

namespace s::lang {

Localizer* newLocalizerFromResource(s::archive::dll::win::Archive* archive, const wchar_t* typeName, uint16_t id) {
    Localizer* localizer = s::thread::Pool<Localizer>::obtain();
    if (!localizer) return nullptr;
    s::xml::Node* root = typeName ? s::archive::dll::win::loadXmlResource(archive, typeName, id) : nullptr;
    if (root) {
        localizer->loadXml(root);
        root->releaseToPool();
    }
    localizer->setLanguage(langSystem().uiLanguageName());
    return localizer;
}

}  // namespace s::lang
