// s/gui/dialogs/About3.cpp
#include "s/gui/dialogs/About3.h"

#include "s/app/IAppBase.h"
#include "s/app/IAppWindow.h"
#include "s/archive/dll/win/Archive.h"
#include "s/archive/icon/Archive.h"
#include "s/gui/ITextLocalizer.h"
#include "s/gui/dialogs/AboutWindow.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/drawer/window/win/Thin.h"
#include "s/gui/layout/Vertical.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/Image.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/UiScale.h"
#include "s/gui/win/Window.h"
#include "s/image/ico/win/IconImage.h"
#include "s/image/win/BufferedImage.h"
#include "s/thread/Pool.h"

namespace s::gui::dialogs {

namespace {
constexpr uint16_t kIconGroup = 128;
constexpr int32_t kMargin = 10;
constexpr int32_t kGap = 6;
constexpr int32_t kCloseHeight = 20;
using s::gui::win::Box;
using s::gui::win::Label;
using s::gui::win::newBox;
}  // namespace

About3* About3::obtain(s::app::IAppWindow* holder) {
    About3* about = s::thread::Pool<About3>::obtain();
    if (!about) return nullptr;
    about->m_holder = holder;
    about->m_localizer = holder ? holder->localizer() : nullptr;
    about->m_store = holder && holder->appBase() ? holder->appBase()->saveData() : nullptr;
    return about;
}

int32_t About3::iconSizeForScale(int32_t scale) { return scale >= 4 ? 256 : (scale >= 2 ? 128 : 64); }

const wchar_t* About3::textOr(s::gui::ITextLocalizer* localizer, int32_t id, const wchar_t* english) {
    const wchar_t* text = localizer ? localizer->getText(id) : nullptr;
    return text && *text ? text : (english ? english : L"");
}

const wchar_t* About3::text(int32_t id, const wchar_t* english) const { return textOr(m_localizer, id, english); }

int32_t About3::base() const {
    s::app::IAppBase* app = m_holder ? m_holder->appBase() : nullptr;
    return app ? static_cast<int32_t>(app->textBase()) : 500000;
}

void buildAboutWindow(About3* about, HWND parent) {
    if (about) about->build(parent);
}

void About3::build(HWND parent) {
    releaseWindow();
    m_scale = s::gui::win::uiScale();
    m_window = s::thread::Pool<s::gui::win::Window, 0>::obtain();
    if (!m_window) return;
    m_window->setResizable(false);
    m_window->setMaximizeBox(false);
    m_window->setMinimizeBox(false);
    m_window->setClientEdge(false);
    // The title bar stays the system's, with its close box and Alt+F4; the skin paints inside.
    m_window->setKeepNativeFrame(true);
    if (m_holder) {
        m_holder->setWindow(m_window);
        m_window->applySettings(m_holder, false);
    }
    m_parent = parent;
    // The width is the window's own at every scale, the height what the content then needs.
    m_window->setSize(AboutWindow::kWidth * m_scale, m_window->getHeight());
    m_window->setTitle(text(kTitle, L"Version Information"));
    m_window->setLayoutManager(s::gui::layout::Vertical::shared());
    m_window->addKeyDownListener(this);
    m_window->addCloseListener(this);

    m_column = newBox(s::gui::IBox::kVertical, 0, 100.0, 100.0, 0, kGap, kGap, kMargin, kMargin);
    Box* top = newBox(s::gui::IBox::kRow, 0, 100.0, -1.0, 0, kMargin, 0, 0, 0);
    Box* icon = iconBox();
    if (icon) top->addChild(icon);
    // The window keeps its size: the texts get what is left beside the icon, and wrap.
    const int32_t rowsWidth = m_window->getInnerWidth() - 2 * kMargin - (icon ? iconSize() + kMargin : 0);
    top->addChild(textRows(rowsWidth));
    m_column->addChild(top);
    m_column->addChild(donationBox());
    m_close = s::gui::win::newButtonWithText(text(kCloseCaption, L"Close"), -1, kCloseHeight * m_scale);
    m_close->setWidthPercent(100);
    m_close->addClickListener(this);
    m_column->addChild(m_close);
    applySkin();
    m_window->addChild(m_column);
    fitTexts();
    m_window->doLayout();
    m_window->setInnerHeight(m_column->getMinHeight());
    m_window->doLayout();
    place(parent);
    m_window->show(true, true);
}

Box* About3::iconBox() {
    m_hasIcon = false;
    s::app::IAppBase* app = m_holder ? m_holder->appBase() : nullptr;
    s::archive::dll::win::Archive* resources = app ? app->resourceArchive() : nullptr;
    s::archive::icon::Archive* icons = resources ? s::archive::icon::newIconArchive(resources, kIconGroup) : nullptr;
    if (!icons) return nullptr;
    const int32_t side = iconSize();
    uint32_t index = 0;
    s::image::win::BufferedImage* picture = nullptr;
    if (icons->findBestEntry(side, side, &index)) {
        if (s::image::ico::win::IconImage* image = icons->imageAt(index)) {
            picture = image->toBufferedImage(0, nullptr);
            image->releaseToPool();
        }
    }
    icons->releaseToPool();
    if (!picture) return nullptr;
    m_hasIcon = true;
    Box* box = newBox(s::gui::IBox::kVertical, 0, -1.0, -1.0, 0, 0, 0, 0, 0);
    box->addChild(s::gui::win::newImageSized(side, side, picture));
    return box;
}

Box* About3::pairRow(int32_t captionId, const wchar_t* english, const wchar_t* value, int32_t width,
                     bool wrap, Label** valueLabel) {
    Box* row = newBox(s::gui::IBox::kRow, 0, -1.0, -1.0, 0, kGap, 0, 0, 0);
    row->setFixedWidth(width, false);
    Label* caption = s::gui::win::newLabelWithText(text(captionId, english), false, false);
    caption->setTextColour(0, 0, 0);
    Label* shown = s::gui::win::newLabelWithText(value, false, false);  // measures its whole width
    m_rows.push_back({row, caption, shown, valueLabel, nullptr, width, wrap});
    row->addChild(caption);
    row->addChild(shown);
    *valueLabel = shown;
    return row;
}

Box* About3::textRows(int32_t width) {
    const int32_t b = base();
    Box* rows = newBox(s::gui::IBox::kVertical, 0, -1.0, -1.0, 0, 0, kGap, 0, 0);
    rows->setFixedWidth(width, false);
    rows->addChild(pairRow(kVersionCaption, L"Version:", text(b + kVersion, L""), width, true, &m_valueLabels[0]));
    rows->addChild(pairRow(kUpdatedCaption, L"Last Updated:", text(b + kUpdated, L""), width, true, &m_valueLabels[1]));
    rows->addChild(pairRow(kLicenseCaption, L"License:", text(b + kLicense, L""), width, true, &m_valueLabels[2]));
    rows->addChild(pairRow(kUrlCaption, L"URL:", text(kMakerPage, L""), width, false, &m_urlLabel));
    m_urlLabel->setLink(true);
    m_urlLabel->setLinkTarget(m_urlLabel->getText());
    m_urlLabel->setLinkColours(kLinkColour, kLinkHoverColour);
    return rows;
}

// Texts measure themselves once their windows exist: then each value gets the width its
// caption leaves, and a value too long for one line the lines it needs (the row takes its
// children's heights before they know their widths), with room for words that do not fill
// a line.
void About3::fitTexts() {
    for (const PairRow& row : m_rows) {
        const int32_t valueWidth = row.width - row.caption->getMinWidth() - kGap;
        if (valueWidth <= 0) continue;
        const int32_t fullWidth = row.value->getMinWidth();
        if (!row.wrap || fullWidth <= valueWidth) {
            row.value->setEllipsis(true);
            row.value->setFixedSize(valueWidth, -1);
            continue;
        }
        // A label wraps by the font it was made with: a wrapping one takes the place of the
        // one that measured the whole width.
        const int32_t lines = (fullWidth * 6 / 5 + valueWidth - 1) / valueWidth;
        const int32_t height = lines * row.caption->getMinHeight();
        Label* wrapped = s::gui::win::newLabelWithText(row.value->getText(), true, false);
        wrapped->setFixedSize(valueWidth, height);
        if (row.drawer) wrapped->setDrawer(row.drawer, false);
        row.box->setFixedHeight(height, false);
        row.box->removeChild(row.value, true);
        row.box->addChild(wrapped);
        *row.slot = wrapped;
    }
    m_rows.clear();
}

// The frame is the outer box's colour showing around the inner one.
Box* About3::donationBox() {
    const int32_t b = base();
    Box* frame = newBox(s::gui::IBox::kVertical, 0, 100.0, -1.0, 0, 0, 0, 1, 1);
    frame->setBackgroundColour(GetRValue(kDonationFrame), GetGValue(kDonationFrame), GetBValue(kDonationFrame), false);
    Box* inner = newBox(s::gui::IBox::kVertical, 0, 100.0, -1.0, 0, 0, 4, 8, 6);
    inner->setBackgroundColour(GetRValue(kDonationBackground), GetGValue(kDonationBackground),
                               GetBValue(kDonationBackground), false);
    Label* note = s::gui::win::newLabelWithText(text(b + kDonationNote, L""), true, false);
    note->setTargetPercent(100, -1);
    note->setTextColour(0, 0, 0);
    m_donationTextId = b + kDonationPage;
    m_donationLabel = s::gui::win::newLabelWithText(text(b + kDonationLink, L""), false, false);
    m_donationLabel->setLink(true);
    m_donationLabel->setLinkTarget(text(m_donationTextId, L""));
    m_donationLabel->setLinkColours(kLinkColour, kLinkHoverColour);
    inner->addChild(note);
    inner->addChild(m_donationLabel);
    frame->addChild(inner);
    return frame;
}

// The skin paints the window's own area and controls; the captions keep their black, the
// links their colours, and the donation box its own look.
void About3::applySkin() {
    s::gui::drawer::ISkin* skin = m_skinner ? m_skinner->getCurrentSkin() : nullptr;
    if (!skin) return;
    if (auto* frame = dynamic_cast<s::gui::drawer::window::win::Thin*>(skin->getWindowDrawer())) {
        const COLORREF back = frame->getBackgroundColour();
        m_column->setBackgroundColour(GetRValue(back), GetGValue(back), GetBValue(back), false);
    }
    if (skin->getButtonDrawer()) m_close->setDrawer(skin->getButtonDrawer(), false);
    if (s::gui::drawer::IText* texts = skin->getTextDrawer())
        for (Label* value : m_valueLabels) value->setDrawer(texts, false);
    for (PairRow& row : m_rows) row.drawer = row.value == m_urlLabel ? nullptr : skin->getTextDrawer();
}

void About3::place(HWND parent) {
    if ((m_holder && m_holder->hasPosition()) || !parent || !IsWindow(parent)) {
        m_window->moveOntoScreen();
        return;
    }
    RECT r = {};
    GetWindowRect(parent, &r);
    m_window->setPosition((r.left + r.right) / 2 - m_window->getWidth() / 2,
                          (r.top + r.bottom) / 2 - m_window->getHeight() / 2);
    m_window->moveOntoScreen();
}

// Close, Escape and Return close the window; the window it was shown over is active again.
void About3::onEvent(void* source, int32_t code) {
    if (!m_window) return;
    if (m_close && source == static_cast<s::gui::IComponent*>(m_close) && code == s::gui::IButton::kClicked) {
        m_window->close();
        return;
    }
    if (source != static_cast<s::gui::IWindow*>(m_window)) return;
    if (code == s::gui::kEventKeyDown) {
        const int32_t key = m_window->getLastKey();
        if (key == VK_ESCAPE || key == VK_RETURN) m_window->close();
    } else if (code == s::gui::kEventClose && m_parent && IsWindow(m_parent)) {
        SetForegroundWindow(m_parent);
    }
}

void About3::releaseWindow() {
    if (!m_window) return;
    // A window still shown keeps its place for the next build.
    m_window->storeSettings();
    if (m_holder && m_holder->window() == m_window) m_holder->setWindow(nullptr);
    m_window->releaseToPool();
    m_window = nullptr;
    m_column = nullptr;
    m_close = nullptr;
    m_urlLabel = m_donationLabel = nullptr;
    for (Label*& value : m_valueLabels) value = nullptr;
}

s::base::IObject* About3::newInstance() const { return s::thread::Pool<About3>::obtain(); }

void About3::releaseToPool() { s::thread::Pool<About3>::release(this); }

void About3::resetForReuse() {
    releaseWindow();
    m_holder = nullptr;
    m_localizer = nullptr;
    m_store = nullptr;
    m_skinner = nullptr;
    m_scale = 1;
    m_donationTextId = -1;
    m_hasIcon = false;
    m_parent = nullptr;
}

}  // namespace s::gui::dialogs
