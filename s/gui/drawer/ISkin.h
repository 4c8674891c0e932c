// s/gui/drawer/ISkin.h
//
// A skin: a name and one drawer of every family, all set up from one colour scheme. The
// skin owns its drawers and gives them back to their pools when it is released; a setter
// only stores the reference (it does not release a drawer it replaces).
#pragma once
#include "s/base/IObject.h"
#include "s/gui/drawer/IWindow.h"
#include "s/gui/drawer/IButton.h"
#include "s/gui/drawer/IText.h"
#include "s/gui/drawer/IScrollBar.h"
#include "s/gui/drawer/ICheckBox.h"
#include "s/gui/drawer/IRadioButton.h"
#include "s/gui/drawer/ISlider.h"
#include "s/gui/drawer/ICounter.h"
#include "s/gui/drawer/IListHeader.h"
#include "s/gui/drawer/IListBox.h"
#include "s/gui/drawer/IStatusBar.h"
#include "s/gui/drawer/IMenu.h"
#include "s/gui/drawer/ICombo.h"
#include "s/gui/drawer/IGroupBox.h"
#include "s/gui/drawer/ITabBox.h"
#include "s/thread/IPoolable.h"

namespace s::gui::drawer {

class ISkin : public s::base::IObject, public virtual s::thread::IPoolable {
public:
    virtual const wchar_t* getName() const = 0;
    virtual void setName(const wchar_t* name) = 0;
    virtual IWindow* getWindowDrawer() const = 0;
    virtual void setWindowDrawer(IWindow* drawer) = 0;
    virtual IButton* getButtonDrawer() const = 0;
    virtual void setButtonDrawer(IButton* drawer) = 0;
    virtual IText* getTextDrawer() const = 0;
    virtual void setTextDrawer(IText* drawer) = 0;
    virtual IScrollBar* getScrollBarDrawer() const = 0;
    virtual void setScrollBarDrawer(IScrollBar* drawer) = 0;
    virtual ICheckBox* getCheckBoxDrawer() const = 0;
    virtual void setCheckBoxDrawer(ICheckBox* drawer) = 0;
    virtual IRadioButton* getRadioButtonDrawer() const = 0;
    virtual void setRadioButtonDrawer(IRadioButton* drawer) = 0;
    virtual ISlider* getSliderDrawer() const = 0;
    virtual void setSliderDrawer(ISlider* drawer) = 0;
    virtual ICounter* getCounterDrawer() const = 0;
    virtual void setCounterDrawer(ICounter* drawer) = 0;
    virtual IListHeader* getListHeaderDrawer() const = 0;
    virtual void setListHeaderDrawer(IListHeader* drawer) = 0;
    virtual IListBox* getListBoxDrawer() const = 0;
    virtual void setListBoxDrawer(IListBox* drawer) = 0;
    virtual IStatusBar* getStatusBarDrawer() const = 0;
    virtual void setStatusBarDrawer(IStatusBar* drawer) = 0;
    virtual IMenu* getMenuDrawer() const = 0;
    virtual void setMenuDrawer(IMenu* drawer) = 0;
    virtual ICombo* getComboDrawer() const = 0;
    virtual void setComboDrawer(ICombo* drawer) = 0;
    virtual IGroupBox* getGroupBoxDrawer() const = 0;
    virtual void setGroupBoxDrawer(IGroupBox* drawer) = 0;
    virtual ITabBox* getTabBoxDrawer() const = 0;
    virtual void setTabBoxDrawer(ITabBox* drawer) = 0;
};

}  // namespace s::gui::drawer
