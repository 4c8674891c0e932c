// s/file/gui/dialogs/brakvane/Dialog.cpp
#include "s/file/gui/dialogs/brakvane/Dialog.h"

#include <windows.h>
#include <cwchar>

#include "s/app/IAppWindow.h"
#include "s/file/win/PathWin.h"
#include "s/file/wiper/IMethod.h"
#include "s/file/wiper/IWiper.h"
#include "s/file/wiper/win/Method_DoD.h"
#include "s/file/wiper/win/Method_DoD_E.h"
#include "s/file/wiper/win/Method_Gutmann.h"
#include "s/file/wiper/win/Method_Pseudorandom.h"
#include "s/file/wiper/win/Wiper.h"
#include "s/gui/IBox.h"
#include "s/gui/IWindow.h"
#include "s/gui/combobox/ComboBoxItem.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/Window.h"
#include "s/lang/Localizer.h"
#include "s/thread/Pool.h"

namespace s::file::gui::dialogs::brakvane {

namespace {

using s::file::wiper::IWiper;

struct MethodRow {
    int32_t caption;
    int32_t repeats;
    int32_t line;
    int32_t count;
};

constexpr MethodRow kMethods[Dialog::kMethodCount] = {
    {1100000, 20, 1200100, 1200101},  // Gutmann
    {1100100, 15, 1200200, 1200201},  // DoD E, C, E
    {1100200, 7, 1200300, 1200301},   // DoD E
    {1100300, 2, 1200400, 1200401},   // pseudo-random
};
constexpr int32_t kPanelTitleText = 1200000;
constexpr int32_t kStepTexts[] = {1200901, 1200902, 1200903, 1200904};

IWiper* obtainPooledWiper() { return s::thread::Pool<s::file::wiper::win::Wiper>::obtain(); }

void releasePooledWiper(IWiper* wiper) {
    static_cast<s::file::wiper::win::Wiper*>(wiper)->releaseToPool();
}

constexpr Dialog::WiperSource kPooledWipers = {&obtainPooledWiper, &releasePooledWiper};
const Dialog::WiperSource* g_wipers = &kPooledWipers;

void addTo(s::gui::IComponent* parent, s::gui::IComponent* child) {
    if (parent && child) parent->addChild(child);
}

}  // namespace

void Dialog::setWiperSource(const WiperSource* source) { g_wipers = source ? source : &kPooledWipers; }

Dialog::~Dialog() { resetForReuse(); }

Dialog* Dialog::obtain(s::app::IAppWindow* owner) {
    Dialog* dialog = s::thread::Pool<Dialog>::obtain();
    if (dialog) dialog->attach(owner);
    return dialog;
}

s::base::IObject* Dialog::newInstance() const { return s::thread::Pool<Dialog>::obtain(); }

void Dialog::releaseToPool() { s::thread::Pool<Dialog>::release(this); }

// The base waits until the task ended; only then may the wiper go.
void Dialog::resetForReuse() {
    s::gui::dialogs::dragndrop::Dialog::resetForReuse();
    releaseWiper();
    m_failures.reset();
    m_notice.setText(L"");
}

void Dialog::releaseWiper() {
    if (m_wiper) g_wipers->release(m_wiper);
    m_wiper = nullptr;
}

// --- methods ----------------------------------------------------------------------------

int32_t Dialog::methodIndexOf(int32_t comboIndex) {
    return comboIndex >= 0 && comboIndex < kMethodCount ? comboIndex : kDefaultMethod;
}

s::file::wiper::IMethod* Dialog::newMethod(int32_t index) {
    switch (methodIndexOf(index)) {
    case 0: return s::thread::Pool<s::file::wiper::win::Method_Gutmann>::obtain();
    case 1: return s::thread::Pool<s::file::wiper::win::Method_DoD>::obtain();
    case 2: return s::thread::Pool<s::file::wiper::win::Method_DoD_E>::obtain();
    default: return s::thread::Pool<s::file::wiper::win::Method_Pseudorandom>::obtain();
    }
}

int32_t Dialog::repeatCount(int32_t index) { return kMethods[methodIndexOf(index)].repeats; }

bool Dialog::prepareWiper() {
    if (!m_wiper) m_wiper = g_wipers->obtain();
    if (!m_wiper) return false;
    if (m_wiper->isRunning()) return true;
    m_wiper->reset();
    // Without its write buffer a wiper must not run: the drop is refused instead.
    if (!m_wiper->prepare()) return false;
    // No selection (-1) takes the default method rather than none.
    const int32_t index = methodIndexOf(m_option ? m_option->getSelectedIndex() : -1);
    const int32_t count = repeatCount(index);
    m_wiper->setSizeChangeCount(count);
    m_wiper->setRenameCount(count);
    m_wiper->setAttributeChangeCount(count);
    m_wiper->setTimestampChangeCount(count);
    m_wiper->setMethod(newMethod(index));
    return true;
}

const wchar_t* Dialog::prepareFailureText() {
    return L"The shredder could not get the memory it works with. Nothing was shredded.";
}

// --- controls ---------------------------------------------------------------------------

s::gui::win::ComboBox* Dialog::createOptionControl() {
    s::gui::win::ComboBox* combo = s::gui::win::newComboBox(-1);
    if (!combo) return nullptr;
    combo->setTargetPercent(100, -1);  // the whole cell beside its label
    for (const MethodRow& row : kMethods)
        if (s::gui::combobox::ComboBoxItem* entry = s::gui::combobox::ComboBoxItem::create(m_localizer, row.caption))
            combo->addItem(entry);
    return combo;
}

s::gui::win::Box* Dialog::createDescriptionPanel() {
    s::gui::win::Box* stack = s::gui::win::newBox(s::gui::IBox::kPile, 0, 100, -1, 0, 0, 0, 0, 0);
    if (!stack) return nullptr;
    for (int32_t i = 0; i < kMethodCount; ++i) {
        s::gui::win::Box* panel = newMethodPanel(i);
        if (!panel) continue;
        // Only the panel itself: its rows stay visible for when it is shown.
        panel->setVisible(i == 0, false);
        stack->addChild(panel);
    }
    return stack;
}

s::gui::win::Box* Dialog::newMethodPanel(int32_t index) {
    const int32_t margin = 10 * m_scale;
    s::gui::win::Box* panel =
        s::gui::win::newBox(s::gui::IBox::kVertical, 0, 100, -1, 0, 0, 4 * m_scale, margin, margin);
    if (!panel) return nullptr;
    addTo(panel, s::gui::win::newLabel(kPanelTitleText, false, false));
    s::gui::win::Box* rows = s::gui::win::newBox(s::gui::IBox::kVertical, 0, 100, -1, 0, 0, 2 * m_scale, 0, 0);
    addTo(rows, s::gui::win::newLabel(kMethods[index].line, true, false));
    for (int32_t step : kStepTexts) {
        s::gui::win::Box* row = s::gui::win::newBox(s::gui::IBox::kRow, 0, 100, -1, 1, 0, 0, 0, 0);
        addTo(row, s::gui::win::newLabel(step, false, false));
        addTo(row, s::gui::win::newLabel(kMethods[index].count, false, false));
        addTo(rows, row);
    }
    addTo(panel, rows);
    return panel;
}

// The close prepares the wiper for the next start, but never under a run: the task may be
// between its last added path and the wiper's start, when the wiper does not run yet.
bool Dialog::onControlEvent(void* source, int32_t code) {
    if (!m_window || source != static_cast<s::gui::IWindow*>(m_window) || code != s::gui::kEventClose)
        return false;
    s::thread::Lock lock(m_lock);
    if (!m_busy) prepareWiper();
    return false;
}

// --- the run ----------------------------------------------------------------------------

void Dialog::run() {
    if (m_owner) m_owner->setTaskbarProgressState(m_window);
    sendStatus(kStart, 0, 0, nullptr);
    {
        s::thread::Lock lock(m_lock);
        m_failures.reset();
    }
    if (handOverQueue()) {
        const bool started = m_wiper->start();
        if (started) followWiper();
        // The loop ended by a cancel: the wiper is stopped before the end is reported.
        if (m_wiper->isRunning()) m_wiper->stop(true);
        collectFailures(started);
    }
    if (m_owner) m_owner->clearTaskbarProgress(m_window);
    sendStatus(kEnd, 0, 0, nullptr);
}

// False when there is nothing to hand over.
bool Dialog::handOverQueue() {
    s::thread::Lock lock(m_lock);
    if (!m_wiper || m_queue.count() == 0) return false;
    for (uint32_t i = 0; i < m_queue.count() && !m_cancel; ++i)
        if (s::str::strbuffer::StrBuffer* path = m_queue.at(i)) m_wiper->addPath(path->cString());
    return true;
}

void Dialog::followWiper() {
    s::str::strbuffer::StrBuffer* current = s::thread::Pool<s::str::strbuffer::StrBuffer>::obtain();
    while (m_wiper->isRunning()) {
        if (m_cancel) break;
        Sleep(kPollMs);
        int32_t percent = m_wiper->getProgressPercent();
        if (percent > 100) percent = 100;
        m_wiper->getCurrentPath(current);
        if (m_owner) m_owner->setTaskbarProgressValue(m_window, 100, static_cast<uint64_t>(percent));
        sendStatus(kUpdate, 100, percent, current ? current->cString() : L"");
        if (!m_wiper->isRunning()) break;
    }
    if (current) current->releaseToPool();
}

// What the run left: the wiper's list, and every queued item that is still there and not
// listed (a cancel leaves the item in work, and a wiper that never started leaves all).
void Dialog::collectFailures(bool started) {
    s::str::strarray::StrArray* failed = started ? m_wiper->getFailedPaths() : nullptr;
    s::thread::Lock lock(m_lock);
    if (failed) {
        for (uint32_t i = 0; i < failed->count(); ++i)
            if (failed->at(i)) m_failures.addString(failed->at(i)->cString());
        failed->releaseToPool();
    }
    for (uint32_t i = 0; i < m_queue.count(); ++i) {
        const wchar_t* queued = m_queue.at(i) ? m_queue.at(i)->cString() : nullptr;
        if (queued && isStillThere(queued) && !isListed(queued)) m_failures.addString(queued);
    }
}

bool Dialog::isStillThere(const wchar_t* path) {
    s::file::win::PathWin* item = s::file::win::pathFromString(path);
    const bool there = item && item->exists();
    if (item) item->releaseToPool();
    return there;
}

// Listed as it is, or as "PATH (now NAME)" and the like.
bool Dialog::isListed(const wchar_t* path) const {
    const size_t length = wcslen(path);
    for (uint32_t i = 0; i < m_failures.count(); ++i) {
        const wchar_t* listed = m_failures.at(i)->cString();
        if (wcsncmp(listed, path, length) == 0 && (listed[length] == 0 || listed[length] == L' ')) return true;
    }
    return false;
}

// On the UI thread, in the end event, while the dialog is still busy: a drop meanwhile is
// refused. Nobody is told when the window was closed.
void Dialog::onFinished() {
    if (m_failures.count() == 0 || isWindowClosed()) return;
    m_notice.setText(L"These items could not be wiped:");
    for (uint32_t i = 0; i < m_failures.count(); ++i) {
        m_notice.append(L"\r\n");
        m_notice.append(m_failures.at(i)->cString());
    }
    m_window->showInformation(m_notice.cString());
}

}  // namespace s::file::gui::dialogs::brakvane
