// s/gui/dialogs/dragndrop/Dialog.h
//
// The drop-box dialog of the main window: menu bar, drop box, option combo, description
// panel, status bar with progress bar and Cancel. Dropped paths are confirmed, queued and
// handed to a task on the dialog's own worker thread, whose three status events ("Process
// StatusStart", "ProcessStatusUpdate", "ProcessStatusEnd") drive the progress shown. What
// is done with the paths is the hooks' business: a product class overrides them.
//
// Threads: the dialog lives on its window's UI thread, but buildUi runs on the main thread
// (and blocks it until the window closed) and the task on the worker. The lock guards the
// queue and the busy flag; nothing is ever sent to the window while it is held, and no
// question or message box waits under it, so the UI thread may take it from any handler
// and the main thread's release never waits for a box. A drop handled while an earlier one still waits in
// a question or a message box (their loops serve messages) is refused. Pooled.
//
// A close during a run stops the run as Cancel does. The user's own close keeps the window
// until the run has ended and its end (with what onFinished shows) was seen, then closes
// it; a close from outside (another program's WM_CLOSE, the end of the session) lets the
// window go at once and the run end unseen, and at the end of the session it returns only
// once the run has stopped (the system may end the process as soon as it returns).
#pragma once
#include <atomic>
#include <cstdint>

#include "s/archive/CallBack.h"
#include "s/archive/IProgressControl.h"
#include "s/base/IObject.h"
#include "s/gui/dialogs/AboutWindow.h"
#include "s/gui/dialogs/dragndrop/OutputFolder.h"
#include "s/gui/events/IEventListener.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/IPoolable.h"
#include "s/thread/ITask.h"
#include "s/thread/ObjLocker.h"

namespace s::app { class IAppWindow; }
namespace s::map { class IMappedData; }
namespace s::lang { class Localizer; }
namespace s::thread::win { class Thread; }
namespace s::gui { class IComponent; }
namespace s::gui::win {
class Box;
class Button;
class CheckBox;
class ComboBox;
class GroupBox;
class Label;
class MenuEx;
class PopupMenu;
class ProgressBar;
class StatusBar;
class Window;
}  // namespace s::gui::win

namespace s::gui::dialogs { class FlexAsker; }

namespace s::gui::dialogs::dragndrop {

class Dialog : public s::gui::events::IEventListener,
               public s::base::IObject,
               public virtual s::thread::IPoolable,
               public s::thread::ITask {
public:
    // Menu commands.
    enum Command : int32_t {
        kTranslate = 0,
        kFirstLanguage = 2,  // + the pack's index
        kLastLanguage = 99,
        kKeepOnTop = 100,
        kRightClickTransform = 110,
        kEasyDrag = 120,
        kCloseByMiddleClick = 125,
        kAskConfirmation = 250,
        kOpenFiles = 300,
        kOutputBesideItem = 310,  // the output-folder choices, one per mode
        kOutputSubfolder = 311,
        kOutputDesktop = 312,
        kOutputCustom = 320,
        kChooseOutputFolder = 330,
        kVersionInformation = 10000,
        kSoftwarePage = 10100,
        kTellDevelopers = 10200,
        kMoreSoftware = 10900,
        kWorkplace = 10950,
    };
    static constexpr const wchar_t* kStart = L"ProcessStatusStart";
    static constexpr const wchar_t* kUpdate = L"ProcessStatusUpdate";
    static constexpr const wchar_t* kEnd = L"ProcessStatusEnd";
    // Posted after a run's end when the option panel asks for a notice.
    static constexpr const wchar_t* kFinishedNotice = L"ProcessFinishedNotice";
    static constexpr int32_t kReadyText = 609450;
    static constexpr int32_t kDoneText = 609460;
    static constexpr int32_t kOutputFolderText = 608299;
    static constexpr int32_t kSubfolderNameText = 608225;
    static constexpr int32_t kTrayPriority = -2;
    static constexpr uint32_t kIdlePollMs = 20;
    // How long the end of the session waits for a run to stop: a task stops its work within
    // 5000 ms (the wiper's limit) and notices the cancel within its 100 ms poll.
    static constexpr uint32_t kSessionEndWaitMs = 6000;

    Dialog();
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Owner, its localizer and the application's settings store.
    void attach(s::app::IAppWindow* owner);
    // Builds and shows the window, then waits until it has closed (or at once when it has
    // no native window, which would never close). Main thread; once per dialog.
    bool buildUi();
    // The pieces of buildUi: build and show; wait.
    bool showUi();
    bool waitUntilClosed(uint32_t limitMs);

    void onDrop(const s::str::strarray::StrArray* paths);
    bool checkOutputFolder(const wchar_t* firstPath);
    void setCompactView(bool compact, bool saveCurrentSize);
    void cancel(bool waitForIdle);
    // Minimises the window and hides it in the tray; the run goes on below its usual
    // priority until the window is restored. UI thread.
    void minimiseToTray();
    // The output folder, as its menu chooses it (menu commands 310 to 330); saved with the
    // output-folder option. UI thread.
    void setOutputFolderMode(int32_t mode);
    void setCustomOutputFolder(const wchar_t* path);
    // The About window; see the definition.
    virtual void showAbout();

    // The base task: reports each queued entry.
    void run() override;
    void onEvent(void* source, int32_t code) override;

    // State, for the owner and the tests.
    s::gui::win::Window* window() const { return m_window; }
    bool isBusy();
    bool isCancelRequested() const { return m_cancel.load(); }
    bool isCompact() const { return m_compact; }
    bool isAskingConfirmation() const { return m_askConfirmation; }
    uint32_t queuedCount();
    s::gui::win::ComboBox* optionControl() const { return m_option; }
    s::gui::win::GroupBox* dropBox() const { return m_dropBox; }
    s::gui::win::MenuEx* menuBar() const { return m_menuBar; }
    s::gui::win::Label* statusLabel() const { return m_status; }
    s::gui::win::ProgressBar* progressBar() const { return m_progress; }
    s::gui::win::Button* cancelButton() const { return m_cancelButton; }
    s::gui::win::Button* toggleButton() const { return m_toggle; }
    s::gui::win::Box* descriptionPanel() const { return m_description; }
    s::gui::win::Box* mainBox() const { return m_main; }
    s::gui::win::Box* optionPanel() const { return m_optionPanel; }
    s::gui::win::PopupMenu* fileMenu() const { return m_fileMenu; }
    const OutputFolder& outputFolder() const { return m_outputFolder; }
    bool isMinimisedToTray() const { return m_minimisedToTray; }
    bool isFinishedNoticeOn() const { return m_finishedNotice; }
    void setFinishedNotice(bool on) { m_finishedNotice = on; }
    // The worker's priority now (THREAD_PRIORITY_ERROR_RETURN without a worker).
    int32_t workerPriority() const;
    s::gui::win::CheckBox* keepOnTopBox() const { return m_keepOnTop; }
    s::gui::win::StatusBar* statusBar() const { return m_statusBar; }
    // The status texts shown, oldest first, kept for drivers ("Done!" soon gives way to
    // "Ready") only from keepStatusTrail on, and only the latest `limit` of them (0: none,
    // the trail is emptied). Any thread.
    void keepStatusTrail(uint32_t limit);
    // The trail as it is now into *out (its content replaced; may be null); its length.
    uint32_t copyStatusTrail(s::str::strarray::StrArray* out);
    const wchar_t* viewSection() const { return m_section; }
    int32_t scale() const { return m_scale; }

    // IObject
    const wchar_t* classId() const override { return L"s_gui_dialogs_dragndrop_Dialog"; }
    s::base::IObject* newInstance() const override;
    // IPoolable: waits until the task ended, then releases the window and the menus.
    void releaseToPool() override;
    void resetForReuse() override;

protected:
    // Hooks, with the base's behaviour.
    virtual int32_t compactWidth() { return 250 * m_scale; }
    virtual int32_t compactHeight() { return 250 * m_scale; }
    virtual int32_t largeWidth() { return 450 * m_scale; }
    virtual int32_t largeHeight() { return 450 * m_scale; }
    virtual bool prepare() { return true; }
    // Why prepare refused, shown to the user.
    virtual const wchar_t* prepareFailureText() { return L""; }
    virtual s::gui::win::ComboBox* createOptionControl();
    virtual s::gui::win::Box* createDescriptionPanel();
    virtual void afterBuild() {}
    virtual bool onControlEvent(void* source, int32_t code);
    virtual bool usesOptionBoxes() { return false; }
    // The options of the option combo's item at index (its caption, its key and its list
    // flags), shown in the description panel in place of the one before; none by default.
    virtual s::gui::win::Box* createOptionBox(int32_t index, const wchar_t* text, int32_t value1, int32_t value2);
    virtual bool hasMaximizeBox() { return false; }
    // Drops anywhere in the window's content, not only on the drop box.
    virtual bool dropOnWholeWindow() { return false; }
    virtual s::gui::win::Box* createOptionPanel();
    virtual bool hasOptionPanel() { return false; }
    // The end of a run: with an option panel whose finished notice is on, a run that was not
    // cancelled is told in a message box.
    virtual void onFinished();
    virtual int32_t basePriority() { return -1; }
    // The worker's priority: lower while the window is hidden in the tray (set once), else
    // basePriority; force sets it even when it should be so already.
    virtual void updatePriority(bool force);
    virtual bool hasRightClickTransform() { return true; }
    virtual bool defaultCompactView() { return true; }
    virtual int32_t dropColumnWidth() { return 125; }
    virtual int32_t cancelButtonWidth() { return 0; }
    virtual int32_t cancelButtonGap() { return 0; }
    virtual int32_t defaultOptionIndex() { return 0; }
    virtual bool hasConfirmationOption() { return false; }
    virtual const wchar_t* confirmationTitle() { return nullptr; }
    virtual const wchar_t* confirmationText() { return nullptr; }
    virtual bool hasOutputFolderOption() { return false; }
    // The folder choices stand in the file menu itself, not in a sub-menu of it.
    virtual bool outputFolderMenuInline() { return true; }
    virtual int32_t defaultOutputFolderMode() { return OutputFolder::kBesideItem; }
    virtual bool createMissingFolder() { return false; }

    const wchar_t* text(int32_t id);
    void sendStatus(const wchar_t* name, int32_t value1, int32_t value2, const wchar_t* text);
    bool isWindowClosed() const;
    // The run ends unseen: the window was closed from outside during it (UI thread).
    bool isEndingUnseen() const { return m_endUnseen; }

    s::app::IAppWindow* m_owner = nullptr;
    s::map::IMappedData* m_store = nullptr;
    s::lang::Localizer* m_localizer = nullptr;
    s::gui::win::Window* m_window = nullptr;
    s::gui::dialogs::AboutWindow m_about;  // made on first use, kept for the next
    int32_t m_scale = 1;
    const wchar_t* m_section = L"View";
    s::gui::win::ComboBox* m_option = nullptr;
    s::gui::win::Box* m_description = nullptr;
    s::str::strarray::StrArray m_queue;
    s::thread::ObjLocker m_lock;
    std::atomic<bool> m_cancel{false};
    bool m_busy = false;

private:
    class ProgressControl final : public s::archive::IProgressControl {
    public:
        void setRange(int32_t minimum, int32_t maximum) override;
        void setPosition(int32_t position) override;
        s::gui::win::ProgressBar* bar = nullptr;
    };

    bool buildWindow();
    void buildLanguageMenu();
    void buildViewMenu();
    void buildAboutMenu();
    void buildMenuBar();
    void buildDropColumn();
    void buildRightColumn();
    void buildStatusBar();
    void buildOptionPanel();
    void buildFileMenu();
    void readOutputFolderSettings();
    bool onFileCommand(int32_t id);
    void openFiles();
    void chooseOutputFolder();
    void checkOutputFolderItem();
    void rebuildOptionBox();
    void onRestored();
    const wchar_t* filePath();
    void restoreOption();
    int32_t optionWithTextId(int32_t textId) const;
    int32_t optionWithCaption(const wchar_t* caption) const;
    void listen();
    bool handleDrop(const s::str::strarray::StrArray* paths);
    bool confirm();
    void queueAndStart(const s::str::strarray::StrArray* paths);
    void onCommand(int32_t id);
    void onWindowClose();
    bool waitForIdleServingSent(uint32_t limitMs);
    void onOptionChanged();
    void onUserEvent();
    void onStart();
    void onUpdate(int32_t total, int32_t done, const wchar_t* text);
    void onEnd();
    void setStatus(const wchar_t* text);
    void addToTrail(const wchar_t* text);
    void toggleView();
    void storeSize();
    void setViewLabel();
    void releaseUi();
    const wchar_t* viewPath();
    const wchar_t* geometryPath();

    s::gui::win::MenuEx* m_menuBar = nullptr;
    s::gui::win::PopupMenu* m_viewMenu = nullptr;
    s::gui::win::PopupMenu* m_languageMenu = nullptr;
    s::gui::win::PopupMenu* m_aboutMenu = nullptr;
    s::gui::win::PopupMenu* m_fileMenu = nullptr;
    s::gui::win::PopupMenu* m_folderMenu = nullptr;  // the file menu itself when inline
    s::gui::win::Box* m_optionPanel = nullptr;
    s::gui::win::Box* m_main = nullptr;
    s::gui::win::Box* m_dropColumn = nullptr;
    s::gui::win::Box* m_topRow = nullptr;
    s::gui::IComponent* m_leftGap = nullptr;
    s::gui::IComponent* m_rightGap = nullptr;
    s::gui::win::Box* m_rightColumn = nullptr;
    s::gui::win::GroupBox* m_dropBox = nullptr;
    s::gui::win::CheckBox* m_keepOnTop = nullptr;
    s::gui::win::Button* m_toggle = nullptr;
    s::gui::win::StatusBar* m_statusBar = nullptr;
    s::gui::win::Label* m_status = nullptr;
    s::gui::win::Label* m_status2 = nullptr;
    s::gui::win::Label* m_link = nullptr;
    s::gui::win::Box* m_linkBox = nullptr;
    s::gui::win::Box* m_progressBox = nullptr;
    s::gui::win::ProgressBar* m_progress = nullptr;
    s::gui::win::Button* m_cancelButton = nullptr;
    ProgressControl m_progressControl;
    s::archive::CallBack m_progressObject;
    s::thread::win::Thread* m_worker = nullptr;
    s::str::strbuffer::StrBuffer m_path;
    s::str::strbuffer::StrBuffer m_message;
    s::str::strarray::StrArray m_trail;
    s::thread::ObjLocker m_trailLock;
    uint32_t m_trailLimit = 0;
    // The question of a drop while it is open (closed with the window).
    s::gui::dialogs::FlexAsker* m_asker = nullptr;
    bool m_compact = true;
    bool m_askConfirmation = false;
    bool m_rightClickTransform = true;
    bool m_handlingDrop = false;
    bool m_closeAfterRun = false;  // the user closed during the run: close once it has ended
    bool m_endUnseen = false;      // closed from outside during the run: nothing more is shown
    bool m_minimisedToTray = false;
    bool m_trayPriority = false;  // the worker runs at kTrayPriority
    bool m_finishedNotice = true;
    OutputFolder m_outputFolder;
    s::str::strbuffer::StrBuffer m_lastOutputBrowse;
    s::str::strbuffer::StrBuffer m_lastFileBrowse;
    int64_t m_startTime = 0;
    int32_t m_currentEntry = 0;
};

}  // namespace s::gui::dialogs::dragndrop
