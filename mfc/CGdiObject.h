// mfc/CGdiObject.h
//
// An owned GDI object: deleted by DeleteObject() or the destructor, never copied. Attach
// frees the handle held before; Detach hands the handle back and forgets it.
#pragma once
#include <windows.h>

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    BOOL Attach(HGDIOBJ object) {
        DeleteObject();
        m_hObject = object;
        return object != nullptr;
    }
    HGDIOBJ Detach() {
        HGDIOBJ object = m_hObject;
        m_hObject = nullptr;
        return object;
    }
    // FALSE when there was nothing to delete or the system refused.
    BOOL DeleteObject() {
        if (!m_hObject) return FALSE;
        BOOL done = ::DeleteObject(m_hObject);
        m_hObject = nullptr;
        return done;
    }

    HGDIOBJ m_hObject = nullptr;
};
