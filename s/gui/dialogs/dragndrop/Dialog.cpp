// s/gui/dialogs/dragndrop/Dialog.cpp
#include "s/gui/dialogs/dragndrop/Dialog.h"

#include <windows.h>

#include <cwchar>

#include "s/app/IAppBase.h"
#include "s/app/IAppWindow.h"
#include "s/app/win/AppBase.h"
#include "s/file/IPath.h"
#include "s/file/win/PathWin.h"
#include "s/gui/IBox.h"
#include "s/gui/combobox/ComboBoxItem.h"
#include "s/gui/dialogs/FlexAsker.h"
#include "s/gui/dialogs/win/FileOpener.h"
#include "s/gui/dialogs/win/FolderSelector.h"
#include "s/gui/layout/Vertical.h"
#include "s/gui/menuitem/MenuItem.h"
#include "s/gui/win/Box.h"
#include "s/gui/win/Button.h"
#include "s/gui/win/CheckBox.h"
#include "s/gui/win/ComboBox.h"
#include "s/gui/win/GroupBox.h"
#include "s/gui/win/Label.h"
#include "s/gui/win/MenuEx.h"
#include "s/gui/win/PopupMenu.h"
#include "s/gui/win/ProgressBar.h"
#include "s/gui/win/Spacer.h"
#include "s/gui/win/StatusBar.h"
#include "s/gui/win/UiScale.h"
#include "s/gui/win/Wait.h"
#include "s/gui/win/Window.h"
#include "s/lang/LangPack.h"
#include "s/lang/Localizer.h"
#include "s/map/IMappedData.h"
#include "s/system/win/ShellOpen.h"
#include "s/thread/Pool.h"
#include "s/thread/win/Thread.h"
#include "s/time/Time.h"

namespace s::gui::dialogs::dragndrop {

namespace {

using s::gui::win::Box;
using s::gui::win::newBox;

constexpr int32_t kKeepOnTopText = 1000000;
constexpr int32_t kDropBoxText = 1001000;
constexpr int32_t kDropPromptText = 1002000;
constexpr int32_t kUnrecoverableText = 1003000;
constexpr int32_t kMethodText = 1004000;
constexpr int32_t kDetailedText = 1005000;
constexpr int32_t kMinimizeText = 1006000;
constexpr int32_t kCancelText = 1006050;
constexpr int32_t kMakerPageText = 101000;
constexpr uint32_t kDoneShownMs = 3000;
constexpr int32_t kMoreSoftwarePageText = 108000;
constexpr int32_t kWorkplacePageText = 108200;
constexpr int32_t kTranslatePageText = 108500;
constexpr int32_t kProgressSteps = 1000;
constexpr int32_t kHalvingLimit = 0x7FFF;
constexpr const wchar_t* kCanceling = L"Canceling..";
constexpr int32_t kDropMargin = 2;
constexpr int32_t kStatusGap = 8;
// The file menu of the output-folder option.
constexpr int32_t kFileMenuText = 608000;
constexpr int32_t kOpenFilesText = 608010;
constexpr int32_t kOutputFolderMenuText = 608100;
constexpr int32_t kBesideItemText = 608210;
constexpr int32_t kSubfolderText = 608220;
constexpr int32_t kDesktopText = 608230;
constexpr int32_t kCustomFolderText = 608240;
constexpr int32_t kChooseFolderText = 608250;

struct FolderChoice {
    int32_t command, mode, textId;
};
constexpr FolderChoice kFolderChoices[] = {
    {Dialog::kOutputBesideItem, OutputFolder::kBesideItem, kBesideItemText},
    {Dialog::kOutputSubfolder, OutputFolder::kSubfolder, kSubfolderText},
    {Dialog::kOutputDesktop, OutputFolder::kDesktop, kDesktopText},
    {Dialog::kOutputCustom, OutputFolder::kCustom, kCustomFolderText},
};

int32_t commandOfMode(int32_t mode) {
    for (const FolderChoice& choice : kFolderChoices)
        if (choice.mode == mode) return choice.command;
    return Dialog::kOutputBesideItem;
}

s::gui::win::Spacer* newGap(int32_t width, int32_t height) {
    s::gui::win::Spacer* gap = s::thread::Pool<s::gui::win::Spacer>::obtain();
    if (!gap) return nullptr;
    gap->setFixedWidth(width);
    gap->setFixedHeight(height);
    return gap;
}

void addTo(s::gui::IComponent* parent, s::gui::IComponent* child) {
    s::gui::menuitem::MenuItem::addChild(parent, child);
}

// The drop area's two lines, in the quiet grey that leaves the frame's title in front.
s::gui::win::Label* promptLabel(int32_t textId) {
    s::gui::win::Label* label = s::gui::win::newLabel(textId, true, false);
    if (label) label->setTextColour(119, 119, 119);
    return label;
}

s::gui::menuitem::MenuItem* item(s::gui::ITextLocalizer* texts, int32_t textId, int32_t command,
                                 bool checked) {
    return s::gui::menuitem::MenuItem::create(texts, textId, command, checked);
}

void addSeparator(s::gui::win::PopupMenu* menu) {
    if (s::gui::menuitem::MenuItem* separator = s::gui::menuitem::newMenuSeparator())
        menu->addItem(separator);
}

}  // namespace

// --- life -------------------------------------------------------------------------------

Dialog::Dialog() {
    m_worker = s::thread::Pool<s::thread::win::Thread>::obtain();
    if (m_worker) m_worker->setPriority(basePriority());
    m_progressObject.attach(&m_progressControl);
}

Dialog::~Dialog() {
    resetForReuse();
    if (m_worker) m_worker->releaseToPool();
    m_worker = nullptr;
}

void Dialog::attach(s::app::IAppWindow* owner) {
    m_owner = owner;
    s::app::IAppBase* base = owner ? owner->appBase() : nullptr;
    m_localizer = base ? base->localizer() : nullptr;
    m_store = base ? base->saveData() : nullptr;
}

s::base::IObject* Dialog::newInstance() const { return s::thread::Pool<Dialog>::obtain(); }

void Dialog::releaseToPool() { s::thread::Pool<Dialog>::release(this); }

void Dialog::resetForReuse() {
    cancel(true);
    releaseUi();
    m_scale = 1;
    m_section = L"View";
    m_compact = true;
    m_rightClickTransform = true;
    m_askConfirmation = false;
    {
        s::thread::Lock lock(m_lock);
        m_busy = false;
        m_queue.reset();
    }
    m_cancel = false;
    m_handlingDrop = false;
    m_closeAfterRun = false;
    m_endUnseen = false;
    m_minimisedToTray = m_trayPriority = false;
    m_finishedNotice = true;
    m_outputFolder.reset();
    m_lastOutputBrowse.setText(L"");
    m_lastFileBrowse.setText(L"");
    m_startTime = 0;
    m_currentEntry = 0;
    m_progressObject.setTotal(0);
    m_progressObject.setPosition(0);
    m_path.setText(L"");
    m_message.setText(L"");
    keepStatusTrail(0);
    m_owner = nullptr;
    m_store = nullptr;
    m_localizer = nullptr;
}

// The window goes with its controls (its UI thread stopped); the menu bar is one of them.
void Dialog::releaseUi() {
    m_about.release();  // before the main window: it is shown over it
    m_progressControl.bar = nullptr;
    if (m_owner) m_owner->setWindow(nullptr);
    if (m_window) m_window->releaseToPool();
    m_window = nullptr;
    m_menuBar = nullptr;
    m_viewMenu = m_languageMenu = m_aboutMenu = m_fileMenu = m_folderMenu = nullptr;
    m_optionPanel = nullptr;
    m_main = m_dropColumn = m_topRow = m_rightColumn = nullptr;
    m_leftGap = m_rightGap = nullptr;
    m_dropBox = nullptr;
    m_keepOnTop = nullptr;
    m_option = nullptr;
    m_description = nullptr;
    m_toggle = nullptr;
    m_statusBar = nullptr;
    m_status = m_status2 = m_link = nullptr;
    m_linkBox = m_progressBox = nullptr;
    m_progress = nullptr;
    m_cancelButton = nullptr;
}

// --- texts and settings -----------------------------------------------------------------

const wchar_t* Dialog::text(int32_t id) { return m_localizer ? m_localizer->getText(id) : L""; }

const wchar_t* Dialog::viewPath() { return m_owner ? m_owner->settingPath(L"View") : L"View"; }

const wchar_t* Dialog::geometryPath() {
    return m_owner ? m_owner->settingPath(m_section) : m_section;
}

// --- building ---------------------------------------------------------------------------

bool Dialog::buildUi() {
    if (!showUi()) return false;
    return waitUntilClosed(s::gui::win::kWaitForever);
}

bool Dialog::showUi() {
    m_scale = s::gui::win::uiScale();
    m_section = m_scale >= 4 ? L"View8K" : m_scale >= 2 ? L"View4K" : L"View";
    if (!buildWindow()) return false;
    m_outputFolder.setMode(defaultOutputFolderMode());
    if (hasOutputFolderOption()) {
        readOutputFolderSettings();
        buildFileMenu();
    }
    buildLanguageMenu();
    buildDropColumn();
    m_rightClickTransform = m_store ? m_store->getBool(viewPath(), L"RightClickTransform", true) : true;
    buildViewMenu();
    if (hasConfirmationOption())
        m_askConfirmation = m_store ? m_store->getBool(viewPath(), L"AskConfirmation", true) : true;
    buildAboutMenu();
    buildMenuBar();
    buildRightColumn();
    buildStatusBar();
    buildOptionPanel();
    m_progressControl.bar = m_progress;
    afterBuild();
    restoreOption();
    listen();
    const bool compact =
        m_store ? m_store->getBool(viewPath(), L"CompactView", defaultCompactView()) : defaultCompactView();
    setCompactView(compact, false);
    m_window->doLayout();
    m_window->show(true, true);
    if (m_owner) m_owner->checkForUpdate(m_window);
    return true;
}

bool Dialog::waitUntilClosed(uint32_t limitMs) {
    // A window without a native window never closes: waiting for it would never end.
    if (!m_window || !m_window->getHandle()) return false;
    return m_window->waitUntilClosed(limitMs);
}

bool Dialog::isWindowClosed() const { return !m_window || !m_window->getHandle() || m_window->isClosed(); }

bool Dialog::buildWindow() {
    m_window = s::thread::Pool<s::gui::win::Window, 0>::obtain();
    if (!m_window) return false;
    m_window->setMaximizeBox(hasMaximizeBox());
    m_window->setResizable(true);
    m_window->setClientEdge(false);
    m_window->setLayoutManager(s::gui::layout::Vertical::shared());
    m_window->setKeyboardNavigation(true);
    if (m_owner) {
        m_owner->setWindow(m_window);
        m_window->applySettings(m_owner, true);
    }
    return m_window->getHandle() != nullptr;
}

void Dialog::buildLanguageMenu() {
    m_languageMenu = s::gui::win::newPopupMenu(700000, m_localizer);
    if (!m_languageMenu) return;
    m_languageMenu->addItem(item(m_localizer, 700001, kTranslate, false));
    addSeparator(m_languageMenu);
    if (!m_localizer) return;
    const int32_t current = m_localizer->currentIndex();
    for (uint32_t i = 0; i < m_localizer->packCount(); ++i) {
        s::gui::menuitem::MenuItem* entry =
            s::gui::menuitem::newMenuItem(m_localizer->packAt(i)->nativeName().cString(),
                                          kFirstLanguage + static_cast<int32_t>(i));
        if (!entry) continue;
        entry->setRadio(true);
        entry->setChecked(static_cast<int32_t>(i) == current);
        m_languageMenu->addItem(entry);
    }
}

void Dialog::buildViewMenu() {
    m_viewMenu = s::gui::win::newPopupMenu(609000, m_localizer);
    if (!m_viewMenu) return;
    m_viewMenu->addItem(item(m_localizer, 609100, kKeepOnTop, m_owner && m_owner->getKeepOnTop()));
    if (hasRightClickTransform())
        m_viewMenu->addItem(item(m_localizer, 609200, kRightClickTransform, m_rightClickTransform));
    m_viewMenu->addItem(item(m_localizer, 609300, kEasyDrag, m_owner && m_owner->getEasyDrag()));
    m_viewMenu->addItem(
        item(m_localizer, 609350, kCloseByMiddleClick, m_owner && m_owner->isMiddleClickClose()));
    if (hasConfirmationOption()) {
        addSeparator(m_viewMenu);
        const bool ask = m_store ? m_store->getBool(viewPath(), L"AskConfirmation", true) : true;
        m_viewMenu->addItem(item(m_localizer, 400390, kAskConfirmation, ask));
    }
}

void Dialog::buildAboutMenu() {
    m_aboutMenu = s::gui::win::newPopupMenu(701000, m_localizer);
    if (!m_aboutMenu) return;
    m_aboutMenu->addItem(item(m_localizer, 701100, kVersionInformation, false));
    addSeparator(m_aboutMenu);
    m_aboutMenu->addItem(item(m_localizer, 701200, kSoftwarePage, false));
    m_aboutMenu->addItem(item(m_localizer, 701300, kTellDevelopers, false));
    addSeparator(m_aboutMenu);
    m_aboutMenu->addItem(item(m_localizer, 107000, kMoreSoftware, false));
    addSeparator(m_aboutMenu);
    m_aboutMenu->addItem(item(m_localizer, 108100, kWorkplace, false));
}

void Dialog::buildMenuBar() {
    m_menuBar = s::gui::win::newMenuEx(100);
    if (!m_menuBar) return;
    if (m_fileMenu) m_menuBar->addItem(m_fileMenu);
    if (m_viewMenu) m_menuBar->addItem(m_viewMenu);
    if (m_languageMenu) m_menuBar->addItem(m_languageMenu);
    if (m_aboutMenu) m_menuBar->addItem(m_aboutMenu);
    if (m_scale > 1) m_menuBar->setSpacing(6 * m_scale, 3 * m_scale);
    m_menuBar->addCommandListener(this);
    m_window->addChild(m_menuBar);
}

void Dialog::buildDropColumn() {
    // No margins on the boxes that hold share-sized children: a share of the inner width
    // plus a margin would ask for more than the parent has, and the parent again.
    // The content takes the window's height down to the status bar, and the drop box what the
    // column leaves: the status bar stays at the bottom whatever size the window gets.
    m_main = newBox(s::gui::IBox::kVertical, 0, 100, 100, 0, 4 * m_scale, 4 * m_scale, 0, 0);
    m_dropColumn = newBox(s::gui::IBox::kVertical, 0, 100, 100, 0, 0, 2 * m_scale, 0, 0);
    m_topRow = newBox(s::gui::IBox::kRow, 0, 100, -1, 1, 0, 0, 0, 0);
    m_keepOnTop = s::gui::win::newCheckBox(kKeepOnTopText, m_owner && m_owner->getKeepOnTop());
    m_leftGap = newGap(5 * m_scale, 1);
    m_rightGap = newGap(5 * m_scale, 1);
    addTo(m_topRow, m_leftGap);
    addTo(m_topRow, m_keepOnTop);
    addTo(m_topRow, m_rightGap);
    addTo(m_dropColumn, m_topRow);
    m_dropBox = s::gui::win::newGroupBox(s::gui::IBox::kVertical, 0, 2 * m_scale, text(kDropBoxText), -1);
    if (m_dropBox) {
        m_dropBox->setTitleId(kDropBoxText);
        m_dropBox->setFrameColour(145, 155, 156);
        m_dropBox->setMinimumSize(100, 100);
        m_dropBox->setTargetPercent(100, 100);
        s::gui::IBox* content = m_dropBox->getContent();
        if (content) {
            // The group box's own 20-pixel margins would leave the drop column of the large
            // view too little room for its lines.
            content->setMarginHorizontal(kDropMargin * m_scale, false);
            content->setAcceptFiles(true);
            addTo(content, promptLabel(kDropPromptText));
            addTo(content, s::gui::win::newLabelWithText(L"", false, false));
            addTo(content, s::gui::win::newLabelWithText(L"", false, false));
            addTo(content, promptLabel(kUnrecoverableText));
        }
    }
    addTo(m_dropColumn, m_dropBox);
    addTo(m_main, m_dropColumn);
}

void Dialog::buildRightColumn() {
    m_rightColumn = newBox(s::gui::IBox::kVertical, 0, 100, -1, 0, 0, 4 * m_scale, 0, 0);
    Box* methodRow = newBox(s::gui::IBox::kRow, 0, 100, -1, 1, 4 * m_scale, 0, 0, 0);
    addTo(methodRow, s::gui::win::newLabel(kMethodText, false, false));
    m_option = createOptionControl();
    addTo(methodRow, m_option);
    addTo(m_rightColumn, methodRow);
    m_description = createDescriptionPanel();
    if (m_description) m_description->setBackgroundWhite(false);
    addTo(m_rightColumn, m_description);
    Box* toggleRow = newBox(s::gui::IBox::kRow, 2, 100, -1, 1, 0, 0, 0, 0);
    m_toggle = s::gui::win::newButtonFromTextId(kDetailedText, -1, -1);
    addTo(toggleRow, m_toggle);
    addTo(m_rightColumn, toggleRow);
    addTo(m_main, m_rightColumn);
    m_window->addChild(m_main);
}

void Dialog::buildStatusBar() {
    m_statusBar = s::gui::win::newStatusBar(2 * m_scale, 1 * m_scale);
    if (!m_statusBar) return;
    m_status = s::gui::win::newLabel(kReadyText, false, true);
    m_status2 = s::gui::win::newLabelWithText(L"", false, false);
    m_linkBox = newBox(s::gui::IBox::kRow, 2, -1, -1, 1, 0, 0, 0, 0);
    m_link = s::gui::win::newLabelWithText(L"ostrel", false, false);
    if (m_link) {
        m_link->setLink(true);
        m_link->setTextColour(51, 51, 51);
        m_link->setLinkColours(RGB(51, 51, 51), RGB(0, 0, 238));
    }
    addTo(m_linkBox, m_link);
    // The status text and what follows it (the link, or the progress) read as two.
    if (m_linkBox) m_linkBox->setMarginLeft(kStatusGap * m_scale, false);
    m_progressBox = newBox(s::gui::IBox::kRow, 2, -1, -1, 1, 0, 0, 0, 0);
    m_progress = s::thread::Pool<s::gui::win::ProgressBar>::obtain();
    if (m_progress) {
        m_progress->setFixedWidth(100 * m_scale);
        m_progress->setFixedHeight(16 * m_scale);
        m_progress->setRange(0, kProgressSteps);
    }
    if (m_progressBox) m_progressBox->setMarginLeft(kStatusGap * m_scale, false);
    addTo(m_progressBox, m_progress);
    if (cancelButtonGap() > 0) addTo(m_progressBox, newGap(cancelButtonGap(), 1));
    m_cancelButton = s::gui::win::newButtonFromTextId(
        kCancelText, cancelButtonWidth() > 0 ? cancelButtonWidth() : -1, 18 * m_scale);
    addTo(m_progressBox, m_cancelButton);
    if (m_progressBox) {
        m_progressBox->setCollapsed(true);
        m_progressBox->setVisible(false, true);
    }
    addTo(m_statusBar, m_status);
    addTo(m_statusBar, m_status2);
    addTo(m_statusBar, m_linkBox);
    addTo(m_statusBar, m_progressBox);
    m_window->addChild(m_statusBar);
}

// The saved option found again whatever the language: by the text id saved beside the
// caption, else by the caption ("ConvertTo", ignoring case) in the current language or in
// any other pack (settings older than the id, or saved before a language change); else the
// default one.
void Dialog::restoreOption() {
    if (!m_option) return;
    const int32_t savedId = m_store ? m_store->getS32(viewPath(), L"ConvertToId", -1) : -1;
    const wchar_t* caption = m_store ? m_store->getString(viewPath(), L"ConvertTo", L"", nullptr, false) : L"";
    int32_t chosen = savedId >= 0 ? optionWithTextId(savedId) : -1;
    if (chosen < 0) chosen = optionWithCaption(caption);
    m_option->setSelection(chosen >= 0 ? chosen : defaultOptionIndex(), false);
    if (usesOptionBoxes())
        rebuildOptionBox();
    else if (m_description)
        m_description->showOnlyChild(m_option->getSelectedIndex());
}

int32_t Dialog::optionWithTextId(int32_t textId) const {
    for (uint32_t i = 0; i < m_option->getItemCount(); ++i) {
        s::gui::combobox::ComboBoxItem* entry = m_option->getItem(static_cast<int32_t>(i));
        if (entry && entry->getTextId() == textId) return static_cast<int32_t>(i);
    }
    return -1;
}

int32_t Dialog::optionWithCaption(const wchar_t* caption) const {
    if (!caption || !*caption) return -1;
    for (uint32_t i = 0; i < m_option->getItemCount(); ++i) {
        s::gui::combobox::ComboBoxItem* entry = m_option->getItem(static_cast<int32_t>(i));
        if (entry && _wcsicmp(entry->getCaption(), caption) == 0) return static_cast<int32_t>(i);
    }
    if (!m_localizer) return -1;
    for (uint32_t i = 0; i < m_option->getItemCount(); ++i) {
        s::gui::combobox::ComboBoxItem* entry = m_option->getItem(static_cast<int32_t>(i));
        if (!entry || entry->getTextId() < 0) continue;
        for (uint32_t pack = 0; pack < m_localizer->languageCount(); ++pack) {
            const wchar_t* text = m_localizer->captionAt(pack, static_cast<uint32_t>(entry->getTextId()));
            if (text && *text && _wcsicmp(text, caption) == 0) return static_cast<int32_t>(i);
        }
    }
    return -1;
}

void Dialog::listen() {
    if (m_keepOnTop) {
        m_keepOnTop->addCheckedListener(this);
        m_keepOnTop->addUncheckedListener(this);
    }
    if (m_dropBox) m_dropBox->addListener(this);
    if (dropOnWholeWindow() && m_main) {
        m_main->setAcceptFiles(true);
        m_main->addFilesDroppedListener(this);
    }
    if (m_option) m_option->addSelectionListener(this);
    if (m_toggle) m_toggle->addClickListener(this);
    if (m_cancelButton) m_cancelButton->addClickListener(this);
    if (m_link) m_link->addClickListener(this);
    m_window->addCloseListener(this);
    m_window->addRightDownListener(this);
    m_window->addRestoreListener(this);
    m_window->addUserEventListener(this);
}

s::gui::win::ComboBox* Dialog::createOptionControl() {
    s::gui::win::ComboBox* combo = s::gui::win::newComboBox(-1);
    if (combo) combo->setTargetPercent(100, -1);
    return combo;
}

Box* Dialog::createDescriptionPanel() { return newBox(s::gui::IBox::kVertical, 0, 100, -1, 0, 0, 0, 0, 0); }

bool Dialog::onControlEvent(void*, int32_t) { return false; }

// --- views ------------------------------------------------------------------------------

void Dialog::setCompactView(bool compact, bool saveCurrentSize) {
    if (saveCurrentSize && m_store && m_window) {
        const wchar_t* path = geometryPath();
        m_store->setS32(path, m_compact ? L"SmallWidth" : L"LargeWidth", m_window->getWidth());
        path = geometryPath();
        m_store->setS32(path, m_compact ? L"SmallHeight" : L"LargeHeight", m_window->getHeight());
    }
    m_compact = compact;
    if (m_main) {
        if (compact) m_main->setLayoutVertical(); else m_main->setLayoutRow();
    }
    if (m_dropColumn) {
        if (compact)
            m_dropColumn->setWidthPercent(100, false);
        else
            m_dropColumn->setFixedWidth(dropColumnWidth(), false);

    }
    if (m_leftGap && m_rightGap) {
        m_leftGap->setWidth(compact ? 5 * m_scale : 9 * m_scale);
    }
    // Beside the drop column the right one takes the whole height, the description what the
    // method row and the button leave; collapsed below the drop box it takes no room at all.
    if (m_rightColumn) m_rightColumn->setHeightPercent(compact ? -1 : 100, false);
    if (m_description) {
        m_description->setCollapsed(compact);
        if (compact)
            m_description->setFixedHeight(0, false);
        else
            m_description->setHeightPercent(100, false);
        m_description->setVisible(!compact, false);
        if (!compact && m_option && !usesOptionBoxes()) m_description->showOnlyChild(m_option->getSelectedIndex());
    }
    setViewLabel();
    int32_t width = compact ? compactWidth() : largeWidth();
    int32_t height = compact ? compactHeight() : largeHeight();
    if (m_store) {
        width = m_store->getS32(geometryPath(), compact ? L"SmallWidth" : L"LargeWidth", width);
        height = m_store->getS32(geometryPath(), compact ? L"SmallHeight" : L"LargeHeight", height);
    }
    if (m_window) {
        m_window->setSize(width, height);
        m_window->doLayout();
        // Never so low that the status bar or the view button is cut off.
        if (m_window->getHeight() < m_window->getMinHeight())
            m_window->setSize(m_window->getWidth(), m_window->getMinHeight());
    }
    if (m_store) m_store->setBool(viewPath(), L"CompactView", compact);
}

void Dialog::setViewLabel() {
    if (m_toggle) m_toggle->setTextId(m_compact ? kDetailedText : kMinimizeText);
}

void Dialog::storeSize() {
    if (!m_store || !m_window) return;
    const int32_t width = m_window->getWidth(), height = m_window->getHeight();
    m_store->setS32(geometryPath(), m_compact ? L"SmallWidth" : L"LargeWidth", width);
    m_store->setS32(geometryPath(), m_compact ? L"SmallHeight" : L"LargeHeight", height);
}

void Dialog::toggleView() {
    m_window->show(false, false);
    setCompactView(!m_compact, true);
    m_window->show(true, true);
}

// --- drops ------------------------------------------------------------------------------

void Dialog::onDrop(const s::str::strarray::StrArray* paths) {
    if (!paths || paths->count() == 0) return;
    // A question or message box of an earlier drop serves messages while it is open: a
    // drop arriving then is refused, so nothing is asked or queued twice.
    if (m_handlingDrop) return;
    m_handlingDrop = true;
    handleDrop(paths);
    m_handlingDrop = false;
}

// The lock is held only around the busy state and the queue, never while a question or a
// message box waits: a close or a log-off served meanwhile releases the dialog from the main
// thread, which takes the lock too.
bool Dialog::handleDrop(const s::str::strarray::StrArray* paths) {
    if (isBusy()) return false;
    if (m_askConfirmation && !confirm()) return false;
    if (isWindowClosed()) return false;
    bool prepared = false;
    {
        s::thread::Lock lock(m_lock);
        if (m_busy) return false;
        prepared = prepare();
    }
    if (!prepared) {
        // Nothing may run on what could not be prepared.
        const wchar_t* why = prepareFailureText();
        if (why && *why && m_window) m_window->showInformation(why);
        return false;
    }
    if (!checkOutputFolder(paths->at(0) ? paths->at(0)->cString() : L"")) return false;
    if (isWindowClosed()) return false;
    s::thread::Lock lock(m_lock);
    if (m_busy) return false;
    queueAndStart(paths);
    return true;
}

// A question still open when the window closes is answered No, so the drop's handling
// ends with the window.
bool Dialog::confirm() {
    s::app::IAppBase* base = m_owner ? m_owner->appBase() : nullptr;
    FlexAsker* asker = FlexAsker::createWindow(base);
    if (!asker) return false;
    m_asker = asker;
    const bool yes = asker->ask(m_window ? m_window->getHandle() : nullptr, confirmationTitle(),
                                confirmationText());
    m_asker = nullptr;
    if (asker->isDontAskChecked()) {
        m_askConfirmation = false;
        if (m_menuBar) m_menuBar->setItemChecked(kAskConfirmation, false);
        if (m_store) m_store->setBool(viewPath(), L"AskConfirmation", false);
    }
    asker->releaseToPool();
    return yes;
}

bool Dialog::checkOutputFolder(const wchar_t* firstPath) {
    s::file::win::PathWin* folder = m_outputFolder.resolve(firstPath, text(kSubfolderNameText));
    if (m_outputFolder.check(createMissingFolder())) return true;
    m_message.setText(m_localizer && m_localizer->hasText(kOutputFolderText)
                          ? m_localizer->getText(kOutputFolderText)
                          : L"The output folder is inaccessible or write-protected.");
    if (folder) {
        m_message.append(L"\r\n\"");
        m_message.append(folder->getFullPath());
        m_message.append(L"\"");
    }
    if (m_window) m_window->showInformation(m_message.cString());
    return false;
}

void Dialog::queueAndStart(const s::str::strarray::StrArray* paths) {
    for (uint32_t i = 0; i < paths->count(); ++i)
        if (paths->at(i)) m_queue.addString(paths->at(i)->cString());
    m_busy = true;
    m_cancel = false;
    updatePriority(true);
    if (!m_worker || !m_worker->runOnce(this)) {
        m_busy = false;
        m_queue.reset();
    }
}

bool Dialog::isBusy() {
    s::thread::Lock lock(m_lock);
    return m_busy;
}

uint32_t Dialog::queuedCount() {
    s::thread::Lock lock(m_lock);
    return m_queue.count();
}

void Dialog::cancel(bool waitForIdle) {
    m_cancel = true;
    if (waitForIdle) {
        while (m_worker && !m_worker->isIdle()) Sleep(kIdlePollMs);
        m_cancel = false;
        return;
    }
    setStatus(kCanceling);
}

// --- the base task ----------------------------------------------------------------------

void Dialog::sendStatus(const wchar_t* name, int32_t value1, int32_t value2, const wchar_t* text) {
    if (m_window) m_window->sendUserEvent(name, value1, value2, text);
}

void Dialog::run() {
    if (m_owner) m_owner->setTaskbarProgressState(m_window);
    sendStatus(kStart, 0, 0, nullptr);
    for (uint32_t i = 0;; ++i) {
        int32_t count = 0;
        {
            s::thread::Lock lock(m_lock);
            if (i >= m_queue.count() || m_cancel) break;
            m_currentEntry = static_cast<int32_t>(i) + 1;
            count = static_cast<int32_t>(m_queue.count());
        }
        // Sent outside the lock: the UI thread takes it in its handlers.
        if (m_owner) m_owner->setTaskbarProgressValue(m_window, count, i);
        sendStatus(kUpdate, count, static_cast<int32_t>(i), L"EntryName");
    }
    if (m_owner) m_owner->clearTaskbarProgress(m_window);
    sendStatus(kEnd, 0, 0, nullptr);
}

// --- events -----------------------------------------------------------------------------

void Dialog::onEvent(void* source, int32_t code) {
    if (!m_window) return;
    const bool fromWindow = source == static_cast<s::gui::IWindow*>(m_window);
    if (fromWindow && code == s::gui::kEventClose) storeSize();
    if (onControlEvent(source, code)) return;
    if (m_keepOnTop && source == static_cast<s::gui::IComponent*>(m_keepOnTop)) {
        const bool on = m_keepOnTop->isChecked();
        m_window->setTopmost(on);
        if (m_owner) m_owner->setKeepOnTop(on);
        if (m_menuBar) m_menuBar->setItemChecked(kKeepOnTop, on);
        return;
    }
    if (fromWindow) {
        if (code == s::gui::kEventClose) onWindowClose();
        if (code == s::gui::kEventRestore) onRestored();
        if (code == s::gui::kEventRightDown && hasRightClickTransform() && m_rightClickTransform) toggleView();
        if (code == s::gui::kEventUser) onUserEvent();
        return;
    }
    if (m_link && source == static_cast<s::gui::IComponent*>(m_link)) {
        s::system::win::shellOpen(text(kMakerPageText));
    } else if (m_toggle && source == static_cast<s::gui::IComponent*>(m_toggle)) {
        if (hasRightClickTransform()) toggleView();
    } else if (m_option && source == static_cast<s::gui::IComponent*>(m_option)) {
        onOptionChanged();
    } else if (m_cancelButton && source == static_cast<s::gui::IComponent*>(m_cancelButton)) {
        cancel(false);
    } else if (m_dropBox && source == static_cast<s::gui::IComponent*>(m_dropBox)) {
        s::gui::IBox* content = m_dropBox->getContent();
        if (content) onDrop(content->getDroppedFiles());
    } else if (m_main && source == static_cast<s::gui::IComponent*>(m_main) && code == s::gui::IBox::kFilesDropped) {
        onDrop(m_main->getDroppedFiles());
    } else if (m_menuBar && source == static_cast<s::gui::IComponent*>(m_menuBar)) {
        onCommand(m_menuBar->getChosenCommand());
    }
}

// See the header. The user's close waits for the end of the run; the end of the session
// waits here, serving the task's reports, until the run has stopped.
void Dialog::onWindowClose() {
    // An open question would keep the window's thread inside its box: it answers No.
    if (m_asker && m_asker->window()) m_asker->window()->close();
    if (!isBusy()) return;
    if (m_window->isUserClose() && !m_window->isShuttingDown()) {
        m_closeAfterRun = true;
        m_window->vetoClose();
        cancel(false);
        return;
    }
    m_endUnseen = true;
    cancel(false);
    if (m_window->isShuttingDown()) waitForIdleServingSent(kSessionEndWaitMs);
}

bool Dialog::waitForIdleServingSent(uint32_t limitMs) {
    if (!m_worker) return true;
    return s::gui::win::waitServingSentMessages(
        [](const void* worker) { return static_cast<const s::thread::win::Thread*>(worker)->isIdle(); }, m_worker,
        nullptr, kIdlePollMs, limitMs);
}

void Dialog::onOptionChanged() {
    const int32_t index = m_option->getSelectedIndex();
    if (usesOptionBoxes())
        rebuildOptionBox();
    else if (m_description)
        m_description->showOnlyChild(index);
    m_window->doLayout();
    s::gui::combobox::ComboBoxItem* chosen = m_option->getSelectedItem();
    if (!m_store || !chosen) return;
    m_store->setString(viewPath(), L"ConvertTo", chosen->getCaption());
    m_store->setS32(viewPath(), L"ConvertToId", chosen->getTextId());
}

void Dialog::onCommand(int32_t id) {
    s::app::IAppBase* base = m_owner ? m_owner->appBase() : nullptr;
    const bool checked = m_menuBar && m_menuBar->isItemChecked(id);
    switch (id) {
    case kKeepOnTop:
        m_menuBar->setItemChecked(id, !checked);
        if (m_keepOnTop) m_keepOnTop->setCheckedSilently(!checked);
        m_window->setTopmost(!checked);
        if (m_owner) m_owner->setKeepOnTop(!checked);
        return;
    case kRightClickTransform:
        m_menuBar->setItemChecked(id, !checked);
        m_rightClickTransform = !checked;
        if (m_store) m_store->setBool(viewPath(), L"RightClickTransform", !checked);
        return;
    case kEasyDrag:
        m_menuBar->setItemChecked(id, !checked);
        m_window->setEasyDrag(!checked);
        if (m_owner) m_owner->setEasyDrag(!checked);
        return;
    case kCloseByMiddleClick:
        m_menuBar->setItemChecked(id, !checked);
        m_window->setMiddleClickAction(!checked ? L"Close" : L"DoNothing");
        if (m_owner) m_owner->setMiddleClickAction(!checked ? L"Close" : L"DoNothing");
        return;
    case kAskConfirmation:
        m_menuBar->setItemChecked(id, !checked);
        m_askConfirmation = !checked;
        if (m_store) m_store->setBool(viewPath(), L"AskConfirmation", !checked);
        return;
    case kTranslate: s::system::win::shellOpen(text(kTranslatePageText)); return;
    case kVersionInformation: showAbout(); return;
    case kSoftwarePage:
        if (base) s::system::win::shellOpen(text(static_cast<int32_t>(base->textBase()) + 3));
        return;
    case kTellDevelopers:
        if (base) s::system::win::shellOpen(text(static_cast<int32_t>(base->textBase()) + 4));
        return;
    case kMoreSoftware: s::system::win::shellOpen(text(kMoreSoftwarePageText)); return;
    case kWorkplace: s::system::win::shellOpen(text(kWorkplacePageText)); return;
    default: break;
    }
    if (onFileCommand(id)) return;
    if (id < kFirstLanguage || id > kLastLanguage || !m_localizer) return;
    // Only the packs of the list: any command id can arrive, not only the menu's.
    const int32_t index = id - kFirstLanguage;
    if (index >= static_cast<int32_t>(m_localizer->packCount())) return;
    m_localizer->setLanguageByIndex(index);
    if (m_languageMenu) m_languageMenu->checkRadioByCommand(id);
    if (m_owner) m_owner->setLanguage(m_localizer->currentLanguageName());
    m_window->doLayout();
}

// The version window over this one; its holder and window are kept for the next time.
void Dialog::showAbout() {
    if (!m_owner || !m_window) return;
    m_about.show(m_owner->appBase(), m_window->getHandle());
}

void Dialog::setStatus(const wchar_t* text) {
    if (!m_status) return;
    m_status->setText(text, true);
    addToTrail(text);
}

void Dialog::keepStatusTrail(uint32_t limit) {
    s::thread::Lock lock(m_trailLock);
    m_trailLimit = limit;
    m_trail.reset();
}

uint32_t Dialog::copyStatusTrail(s::str::strarray::StrArray* out) {
    s::thread::Lock lock(m_trailLock);
    if (out) {
        out->reset();
        for (uint32_t i = 0; i < m_trail.count(); ++i)
            if (m_trail.at(i)) out->addString(m_trail.at(i)->cString());
    }
    return m_trail.count();
}

// Only while asked for, and only the latest texts: a run reports every 100 ms.
void Dialog::addToTrail(const wchar_t* text) {
    s::thread::Lock lock(m_trailLock);
    if (m_trailLimit == 0) return;
    while (m_trail.count() >= m_trailLimit) {
        auto* oldest = static_cast<s::str::strbuffer::StrBuffer*>(m_trail.list().removeAt(0));
        if (oldest) oldest->releaseToPool();
    }
    m_trail.addString(text ? text : L"");
}

void Dialog::onUserEvent() {
    const wchar_t* name = m_window->getEventName();
    if (!name) return;
    if (wcscmp(name, kStart) == 0) onStart();
    else if (wcscmp(name, kUpdate) == 0)
        onUpdate(m_window->getEventValue1(), m_window->getEventValue2(), m_window->getEventText());
    else if (wcscmp(name, kEnd) == 0) onEnd();
    else if (wcscmp(name, kFinishedNotice) == 0) m_window->showInformation(text(kDoneText));
}

void Dialog::onStart() {
    m_startTime = s::time::currentTimeMillis();
    if (m_linkBox) {
        m_linkBox->setCollapsed(true);
        m_linkBox->setVisible(false, true);
    }
    if (m_progressBox) {
        m_progressBox->setCollapsed(false);
        m_progressBox->setVisible(true, true);
    }
    m_progressObject.setTotal(kProgressSteps);
    m_progressObject.setPosition(0);
    m_window->doLayout();
}

void Dialog::onUpdate(int32_t total, int32_t done, const wchar_t* text) {
    if (m_cancel) return;
    while (total > kHalvingLimit) {
        total >>= 1;
        done >>= 1;
    }
    m_progressObject.setTotal(total + 1);
    m_progressObject.setPosition(done + 1);
    setStatus(text ? text : L"");
}

void Dialog::onEnd() {
    m_progressObject.setTotal(1);
    m_progressObject.setPosition(1);
    if (m_status2) m_status2->setText(L"", true);
    addToTrail(text(kDoneText));
    if (m_progressBox) {
        m_progressBox->setCollapsed(true);
        m_progressBox->setVisible(false, true);
    }
    if (m_linkBox) {
        m_linkBox->setCollapsed(false);
        m_linkBox->setVisible(true, true);
    }
    setStatus(text(kReadyText));
    // "Done!" and "Ready" come in one step: shown for good, the first would never be seen.
    // It stands for a while and gives way to "Ready" (or at once to the next run's texts).
    if (m_status) m_status->showTemporaryText(text(kDoneText), kDoneShownMs);
    m_window->doLayout();
    onFinished();
    m_startTime = 0;
    {
        s::thread::Lock lock(m_lock);
        m_queue.reset();
        m_currentEntry = 0;
        m_busy = false;
        m_cancel = false;
    }
    m_endUnseen = false;
    // The user's close, held back until the end of the run was shown, goes through now.
    if (m_closeAfterRun) {
        m_closeAfterRun = false;
        m_window->close();
    }
}

// --- options, priority and the output folder ---------------------------------------------

Box* Dialog::createOptionBox(int32_t, const wchar_t*, int32_t, int32_t) { return nullptr; }

Box* Dialog::createOptionPanel() { return newBox(s::gui::IBox::kVertical, 0, 100, -1, 0, 0, 0, 0, 0); }

void Dialog::buildOptionPanel() {
    if (!hasOptionPanel()) return;
    m_optionPanel = createOptionPanel();
    addTo(m_rightColumn, m_optionPanel);
}

// The option box of the chosen item replaces the one shown before.
void Dialog::rebuildOptionBox() {
    if (!m_description || !m_option) return;
    m_description->removeAllChildren(true);
    const int32_t index = m_option->getSelectedIndex();
    s::gui::combobox::ComboBoxItem* chosen = m_option->getSelectedItem();
    Box* box = createOptionBox(index, chosen ? chosen->getCaption() : L"", chosen ? chosen->getKey() : 0,
                               chosen ? chosen->getListFlags() : 0);
    addTo(m_description, box);
}

// A notice the user may not be looking for: told after the end's handling, so that the run's
// end (and the worker waiting for it) never waits for the box.
void Dialog::onFinished() {
    if (!hasOptionPanel() || !m_finishedNotice || m_cancel) return;
    if (m_window) m_window->postUserEvent(kFinishedNotice, 0, 0, nullptr);
}

void Dialog::updatePriority(bool force) {
    if (!m_worker) return;
    if (m_minimisedToTray) {
        if (!force && m_trayPriority) return;
        m_worker->setPriority(kTrayPriority);
        m_trayPriority = true;
        return;
    }
    if (!force && !m_trayPriority) return;
    m_worker->setPriority(basePriority());
    m_trayPriority = false;
}

int32_t Dialog::workerPriority() const {
    return m_worker ? m_worker->getPriority() : THREAD_PRIORITY_ERROR_RETURN;
}

void Dialog::minimiseToTray() {
    if (!m_window) return;
    m_window->minimise();
    m_window->hideToTray();
    m_minimisedToTray = true;
    updatePriority(false);
}

void Dialog::onRestored() {
    m_minimisedToTray = false;
    updatePriority(false);
}

const wchar_t* Dialog::filePath() { return m_owner ? m_owner->settingPath(L"File") : L"File"; }

void Dialog::readOutputFolderSettings() {
    s::file::win::PathWin* desktop = s::file::win::getDesktopFolder();
    const wchar_t* start = desktop ? desktop->getFullPath() : L"";
    if (m_store) {
        m_outputFolder.setMode(m_store->getS32(filePath(), L"OutputFolderSetting", defaultOutputFolderMode()));
        m_outputFolder.setCustomPath(m_store->getString(filePath(), L"OutputDirCustomPath0", L"", nullptr, false));
        m_lastOutputBrowse.setText(m_store->getString(filePath(), L"LastBrowsedOutputDirPath", start, nullptr, false));
        m_lastFileBrowse.setText(m_store->getString(filePath(), L"LastBrowsedFileLoadDirPath", start, nullptr, false));
    } else {
        m_lastOutputBrowse.setText(start);
        m_lastFileBrowse.setText(start);
    }
    if (desktop) desktop->releaseToPool();
}

// "Open Files...", then the folder choices: in the file menu itself, or in a sub-menu.
void Dialog::buildFileMenu() {
    m_fileMenu = s::gui::win::newPopupMenu(kFileMenuText, m_localizer);
    if (!m_fileMenu) return;
    m_fileMenu->addItem(item(m_localizer, kOpenFilesText, kOpenFiles, false));
    addSeparator(m_fileMenu);
    m_folderMenu = outputFolderMenuInline() ? m_fileMenu : s::gui::win::newPopupMenu(kOutputFolderMenuText, m_localizer);
    if (!m_folderMenu) return;
    for (const FolderChoice& choice : kFolderChoices) {
        s::gui::menuitem::MenuItem* entry = item(m_localizer, choice.textId, choice.command, false);
        if (!entry) continue;
        entry->setRadio(true);
        m_folderMenu->addItem(entry);
    }
    addSeparator(m_folderMenu);
    m_folderMenu->addItem(item(m_localizer, kChooseFolderText, kChooseOutputFolder, false));
    if (m_folderMenu != m_fileMenu) m_fileMenu->addSubMenu(m_folderMenu);
    checkOutputFolderItem();
}

void Dialog::checkOutputFolderItem() {
    if (m_folderMenu) m_folderMenu->checkRadioByCommand(commandOfMode(m_outputFolder.mode()));
}

void Dialog::setOutputFolderMode(int32_t mode) {
    m_outputFolder.setMode(mode);
    checkOutputFolderItem();
    if (m_store && hasOutputFolderOption()) m_store->setS32(filePath(), L"OutputFolderSetting", mode);
}

void Dialog::setCustomOutputFolder(const wchar_t* path) {
    m_outputFolder.setCustomPath(path);
    m_lastOutputBrowse.setText(path ? path : L"");
    if (m_store && hasOutputFolderOption()) {
        m_store->setString(filePath(), L"OutputDirCustomPath0", m_outputFolder.customPath());
        m_store->setString(filePath(), L"LastBrowsedOutputDirPath", m_lastOutputBrowse.cString());
    }
    setOutputFolderMode(OutputFolder::kCustom);
}

bool Dialog::onFileCommand(int32_t id) {
    if (id == kOpenFiles) {
        openFiles();
        return true;
    }
    if (id == kChooseOutputFolder || (id == kOutputCustom && !*m_outputFolder.customPath())) {
        chooseOutputFolder();
        return true;
    }
    for (const FolderChoice& choice : kFolderChoices) {
        if (choice.command != id) continue;
        setOutputFolderMode(choice.mode);
        return true;
    }
    return false;
}

// The files chosen are handled as if dropped on the drop box.
void Dialog::openFiles() {
    s::gui::dialogs::win::FileOpener* opener = s::thread::Pool<s::gui::dialogs::win::FileOpener>::obtain();
    if (!opener) return;
    opener->setOption(true, false);
    opener->setFolder(m_lastFileBrowse.cString());
    const s::str::strarray::StrArray* chosen = opener->show(m_window) ? opener->getResult() : nullptr;
    if (chosen && chosen->count() && chosen->at(0)) {
        s::file::win::PathWin* first = s::file::win::pathFromString(chosen->at(0)->cString());
        s::file::IPath* folder = first ? first->parentFolder() : nullptr;
        if (folder) m_lastFileBrowse.setText(folder->getFullPath());
        if (folder) folder->releaseToPool();
        if (first) first->releaseToPool();
        if (m_store) m_store->setString(filePath(), L"LastBrowsedFileLoadDirPath", m_lastFileBrowse.cString());
        onDrop(chosen);
    }
    opener->releaseToPool();
}

void Dialog::chooseOutputFolder() {
    s::gui::dialogs::win::FolderSelector* selector = s::thread::Pool<s::gui::dialogs::win::FolderSelector>::obtain();
    if (!selector) return;
    if (selector->show(m_window, m_lastOutputBrowse.cString(), nullptr) && *selector->getPath())
        setCustomOutputFolder(selector->getPath());
    else
        checkOutputFolderItem();  // the choice stays what it was
    selector->releaseToPool();
}

void Dialog::ProgressControl::setRange(int32_t minimum, int32_t maximum) {
    if (bar) bar->setRange(minimum, maximum);
}

void Dialog::ProgressControl::setPosition(int32_t position) {
    if (bar) bar->setPosition(position);
}

}  // namespace s::gui::dialogs::dragndrop
