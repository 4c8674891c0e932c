// s/gui/dialogs/About3.h
//
// The "Version Information" window: the application icon, the version, the date of the
// last update, the licence, the maker's page as a link, a donation note with its link, and
// a Close button. It lives in the top-level window of its holder "AboutWindow", whose UI
// thread runs its events; links open through the shell. Each build releases the window of
// the build before and makes a new one, so there is never more than one. Texts whose id
// the language pack lacks show their English text. Pooled.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "s/base/IObject.h"
#include "s/gui/events/IEventListener.h"
#include "s/thread/IPoolable.h"

namespace s::app { class IAppWindow; }
namespace s::gui { class ITextLocalizer; }
namespace s::gui::drawer { class IText; class Skinner; }
namespace s::gui::win { class Box; class Button; class Label; class Window; }
namespace s::map { class IMappedData; }

namespace s::gui::dialogs {

class About3 final : public s::gui::events::IEventListener,
                     public s::base::IObject,
                     public virtual s::thread::IPoolable {
public:
    static constexpr int32_t kTitle = 400100;
    static constexpr int32_t kVersionCaption = 400010;
    static constexpr int32_t kUpdatedCaption = 400020;
    static constexpr int32_t kLicenseCaption = 400050;
    static constexpr int32_t kUrlCaption = 400080;
    static constexpr int32_t kCloseCaption = 400120;
    static constexpr int32_t kMakerPage = 101000;
    // after the product's text base
    static constexpr int32_t kVersion = 10, kUpdated = 20, kLicense = 50;
    static constexpr int32_t kDonationNote = 89, kDonationLink = 90, kDonationPage = 100;
    static constexpr uint32_t kLinkColour = RGB(0, 170, 0);
    static constexpr uint32_t kLinkHoverColour = RGB(170, 170, 0);
    static constexpr uint32_t kDonationBackground = RGB(238, 250, 199);
    static constexpr uint32_t kDonationFrame = RGB(154, 206, 2);

    // From the pool, with the holder's localizer and store (the holder is not owned).
    static About3* obtain(s::app::IAppWindow* holder);
    // 64 pixels at scale 1, 128 at 2, 256 at 4.
    static int32_t iconSizeForScale(int32_t scale);
    // The localizer's text, or the English one when it has none for the id.
    static const wchar_t* textOr(s::gui::ITextLocalizer* localizer, int32_t id, const wchar_t* english);

    // The skinner whose current skin paints the window's controls (not owned; none: the
    // default drawers).
    void setSkinner(s::gui::drawer::Skinner* skinner) { m_skinner = skinner; }

    // Builds the window's contents anew and shows it over the parent (centred on it when
    // the holder keeps no place). Called on the parent's UI thread.
    void build(HWND parent);

    s::app::IAppWindow* holder() const { return m_holder; }
    s::gui::win::Window* window() const { return m_window; }
    s::gui::win::Label* urlLabel() const { return m_urlLabel; }
    s::gui::win::Label* donationLabel() const { return m_donationLabel; }
    s::gui::win::Button* closeButton() const { return m_close; }
    int32_t donationTextId() const { return m_donationTextId; }
    int32_t iconSize() const { return iconSizeForScale(m_scale); }
    bool hasIcon() const { return m_hasIcon; }

    // IEventListener: the Close button closes the window.
    void onEvent(void* source, int32_t code) override;

    // IObject
    const wchar_t* classId() const override { return L"s_gui_dialogs_About3"; }
    s::base::IObject* newInstance() const override;
    // IPoolable: the window goes with the object; the holder stays its keeper's.
    void releaseToPool() override;
    void resetForReuse() override;

private:
    void releaseWindow();
    const wchar_t* text(int32_t id, const wchar_t* english) const;
    int32_t base() const;
    s::gui::win::Box* iconBox();
    s::gui::win::Box* textRows(int32_t width);
    s::gui::win::Box* donationBox();
    void applySkin();
    void fitTexts();
    s::gui::win::Box* pairRow(int32_t captionId, const wchar_t* english, const wchar_t* value,
                              int32_t width, bool wrap, s::gui::win::Label** valueLabel);
    void place(HWND parent);

    s::app::IAppWindow* m_holder = nullptr;
    s::gui::ITextLocalizer* m_localizer = nullptr;
    s::map::IMappedData* m_store = nullptr;
    s::gui::drawer::Skinner* m_skinner = nullptr;
    s::gui::win::Label* m_valueLabels[3] = {};
    s::gui::win::Box* m_column = nullptr;
    s::gui::win::Window* m_window = nullptr;
    int32_t m_scale = 1;
    s::gui::win::Button* m_close = nullptr;
    s::gui::win::Label* m_urlLabel = nullptr;
    s::gui::win::Label* m_donationLabel = nullptr;
    int32_t m_donationTextId = -1;
    bool m_hasIcon = false;
    HWND m_parent = nullptr;  // the window it is shown over, active again when it closes
    struct PairRow {
        s::gui::win::Box* box;
        s::gui::win::Label* caption;
        s::gui::win::Label* value;
        s::gui::win::Label** slot;
        s::gui::drawer::IText* drawer;
        int32_t width;
        bool wrap;
    };
    std::vector<PairRow> m_rows;  // while building
};

// Builds the About window of that object and shows it over the parent (what AboutWindow
// calls for the About command).
void buildAboutWindow(About3* about, HWND parent);

}  // namespace s::gui::dialogs
