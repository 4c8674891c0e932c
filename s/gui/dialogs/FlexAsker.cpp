// s/gui/dialogs/FlexAsker.cpp
#include "s/gui/dialogs/FlexAsker.h"

#include "s/app/IAppBase.h"
#include "s/app/win/AppWindow.h"
#include "s/gui/IBox.h"
#include "s/gui/ITextLocalizer.h"
#include "s/gui/layout/Vertical.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/Spacer.h"
#include "s/gui/win/Wait.h"
#include "s/gui/win/Window.h"
#include "s/gui/win/OnUiThread.h"
#include "s/thread/Pool.h"

namespace s::gui::dialogs {

namespace {

constexpr int32_t kMarginHorizontal = 10;
constexpr int32_t kMarginVertical = 2;
// The spacers of the button row: before Yes, between Yes and No, after No.
constexpr int32_t kGapBefore = 5;
constexpr int32_t kGapBetween = 12;
constexpr int32_t kGapAfter = 10;

s::gui::win::Spacer* newGap(int32_t width) {
    s::gui::win::Spacer* gap = s::thread::Pool<s::gui::win::Spacer>::obtain();
    if (gap) gap->setFixedWidth(width);
    return gap;
}

void addTo(s::gui::IComponent* parent, s::gui::IComponent* child) {
    if (parent && child) parent->addChild(child);
}

HWND handleOf(s::gui::IComponent* component) {
    return component ? component->nativeWindow()->m_hWnd : nullptr;
}

// The window is done with once it closed, or when it has no native window (it never will).
bool isOver(const void* window) {
    auto* w = static_cast<const s::gui::win::Window*>(window);
    return w->isClosed() || !w->getHandle();
}

}  // namespace

FlexAsker::~FlexAsker() { resetForReuse(); }

FlexAsker* FlexAsker::createWindow(s::app::IAppBase* base) {
    FlexAsker* asker = s::thread::Pool<FlexAsker>::obtain();
    if (!asker) return nullptr;
    s::app::win::AppWindow* holder = s::app::win::createAppWindow(
        base, L"FlexAskerWindow", kDefaultWidth, kDefaultHeight, base ? base->skinner() : nullptr);
    if (!holder) {
        asker->releaseToPool();
        return nullptr;
    }
    asker->attach(holder);
    return asker;
}

void FlexAsker::attach(s::app::win::AppWindow* holder) { m_holder = holder; }

bool FlexAsker::ask(HWND parent, const wchar_t* title, const wchar_t* message) {
    m_parent = parent;
    m_answer = false;
    m_checked = false;
    releaseWindow();
    if (!openWindow()) {
        releaseWindow();
        return false;
    }
    m_window->setTitle(title ? title : text(kTitleText));
    buildControls(message ? message : text(kMessageText));
    fitAndPlace(parent);
    const bool parentIsWindow = parent && IsWindow(parent);
    m_window->moveOntoScreen();
    m_window->show(true, true);
    // After the show: showing an application window activates it, which gives the focus
    // to the window itself.
    s::gui::win::onUiThread(*m_window, [this] { focusYes(this); }, s::gui::win::kWaitForever);
    if (parentIsWindow) EnableWindow(parent, FALSE);
    // The asking thread may own the parent: it serves the messages other threads send it
    // (the question's activation among them) while it waits.
    s::gui::win::waitServingSentMessages(&isOver, m_window, nullptr, kPollMs,
                                         s::gui::win::kWaitForever);
    if (parentIsWindow) {
        EnableWindow(parent, TRUE);
        // The question had the activation: it goes back to the window it was asked over,
        // unless another program's window took it meanwhile. The system hands it to a window
        // of its own pick, and the parent, disabled until now, was none to pick (Wine 8.0:
        // often the parent's hidden 0 x 0 owner, a window of this process, took it).
        HWND active = GetForegroundWindow();
        DWORD process = 0;
        if (active) GetWindowThreadProcessId(active, &process);
        if (!active || process == GetCurrentProcessId() || !IsWindowVisible(active)) SetForegroundWindow(parent);
    }
    if (m_checkBox) m_checked = m_checkBox->isChecked();
    return m_answer;
}

bool FlexAsker::openWindow() {
    m_window = s::thread::Pool<s::gui::win::Window, 0>::obtain();
    if (!m_window || !m_window->getHandle()) return false;
    m_window->setResizable(true);
    m_window->setClientEdge(false);
    m_window->setMaximizeBox(false);
    m_window->setMinimizeBox(false);
    m_window->setLayoutManager(s::gui::layout::Vertical::shared());
    if (m_holder) {
        m_holder->setWindow(m_window);
        m_window->applySettings(m_holder, false);
    }
    return true;
}

void FlexAsker::buildControls(const wchar_t* message) {
    s::gui::win::Box* column = s::gui::win::newBox(s::gui::IBox::kVertical, 0, 100, 100, 0, 0, 0,
                                                   kMarginHorizontal, kMarginVertical);
    addTo(column, s::gui::win::newLabelWithText(message, true, false));
    m_checkBox = s::gui::win::newCheckBox(kCheckBoxText, false);
    if (m_checkBox) {
        m_checkBox->setVisible(m_showCheckBox, false);
        m_checkBox->addCheckedListener(this);
        m_checkBox->addUncheckedListener(this);
        addTo(column, m_checkBox);
    }
    s::gui::win::Box* row = s::gui::win::newBox(s::gui::IBox::kRow, 1, 100, -1, 1, 0, 0, 0, 0);
    m_yes = s::gui::win::newButtonFromTextId(kYesText, -1, -1);
    m_no = s::gui::win::newButtonFromTextId(kNoText, -1, -1);
    addTo(row, newGap(kGapBefore));
    addTo(row, m_yes);
    addTo(row, newGap(kGapBetween));
    addTo(row, m_no);
    addTo(row, newGap(kGapAfter));
    addTo(column, row);
    // Return answers Yes unless the focus is on No.
    if (m_yes) m_yes->makeDefault();
    if (m_yes) m_yes->addClickListener(this);
    if (m_no) m_no->addClickListener(this);
    m_window->addCloseListener(this);
    m_window->addKeyDownListener(this);
    m_window->setAppWindow(true);
    m_window->addChild(column);
}

void FlexAsker::fitAndPlace(HWND parent) {
    m_window->doLayout();
    const int32_t wanted = m_window->getMinWidth() + kWidthOverContent;
    if (m_window->getWidth() < wanted) m_window->setSize(wanted, m_window->getHeight());
    RECT r;
    if (parent && IsWindow(parent) && GetWindowRect(parent, &r))
        m_window->setPosition((r.left + r.right) / 2 - m_window->getWidth() / 2,
                              (r.top + r.bottom) / 2 - m_window->getHeight() / 2);
    m_window->doLayout();
}

const wchar_t* FlexAsker::text(int32_t id) const {
    s::gui::ITextLocalizer* texts = m_holder ? m_holder->localizer() : nullptr;
    return texts ? texts->getText(id) : L"";
}

void FlexAsker::focusYes(void* self) {
    auto* asker = static_cast<FlexAsker*>(self);
    if (HWND yes = handleOf(asker->m_yes)) SetFocus(yes);
}

void FlexAsker::moveFocus(void* self) {
    auto* asker = static_cast<FlexAsker*>(self);
    HWND yes = handleOf(asker->m_yes), no = handleOf(asker->m_no);
    SetFocus(GetFocus() == yes ? no : yes);
}

void FlexAsker::onEvent(void* source, int32_t code) {
    if (!m_window) return;
    if (source == static_cast<s::gui::IComponent*>(m_yes) ||
        source == static_cast<s::gui::IComponent*>(m_no)) {
        m_answer = source == static_cast<s::gui::IComponent*>(m_yes);
        m_window->close();
        return;
    }
    if (m_checkBox && source == static_cast<s::gui::IComponent*>(m_checkBox)) {
        m_checked = code == s::gui::ICheckBox::kChecked;
        return;
    }
    if (source == static_cast<s::gui::IWindow*>(m_window) && code == s::gui::kEventKeyDown) onKey();
    // The window's close leaves the answer as it is: No unless Yes was chosen. The parent
    // is enabled before the window goes, so that the activation can return to it.
    if (source == static_cast<s::gui::IWindow*>(m_window) && code == s::gui::kEventClose && m_parent &&
        IsWindow(m_parent))
        EnableWindow(m_parent, TRUE);
}

// Runs on the question's UI thread, where the focus is known.
void FlexAsker::onKey() {
    const int32_t key = m_window->getLastKey();
    if (key == VK_TAB) {
        moveFocus(this);
    } else if (key == VK_RETURN) {
        // The focused button, or the default one (Yes) wherever else the focus is.
        m_answer = GetFocus() != handleOf(m_no);
        m_window->close();
    } else if (key == VK_ESCAPE) {
        m_answer = false;
        m_window->close();
    }
}

void FlexAsker::releaseWindow() {
    if (m_holder) m_holder->setWindow(nullptr);
    if (m_window) m_window->releaseToPool();
    m_window = nullptr;
    m_yes = m_no = nullptr;
    m_checkBox = nullptr;
}

s::base::IObject* FlexAsker::newInstance() const { return s::thread::Pool<FlexAsker>::obtain(); }

void FlexAsker::releaseToPool() { s::thread::Pool<FlexAsker>::release(this); }

void FlexAsker::resetForReuse() {
    releaseWindow();
    if (m_holder) m_holder->releaseToPool();
    m_holder = nullptr;
    m_parent = nullptr;
    m_showCheckBox = true;
    m_answer = false;
    m_checked = false;
}

}  // namespace s::gui::dialogs
