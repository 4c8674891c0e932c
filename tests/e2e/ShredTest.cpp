// tests/e2e/ShredTest.cpp
//
// The program's main road played as its user plays it: items of the test's sandbox dropped
// on the window's drop box, the confirmation answered, the run followed through its progress
// bar and status line to its end; then the items are gone and nothing else changed.
#include <windows.h>

#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "tests/e2e/LongPath.h"
#include "tests/e2e/ProgramFixture.h"

namespace tests::program {
namespace {

using testing::Contains;
using testing::HasSubstr;

constexpr wchar_t kViewKey[] = L"Software\\Ostrel\\Ostrel Brakvane\\SaveData\\MainWindow\\View";
constexpr wchar_t kStart[] = L"ProcessStatusStart";
constexpr wchar_t kUpdate[] = L"ProcessStatusUpdate";
constexpr wchar_t kEnd[] = L"ProcessStatusEnd";
constexpr wchar_t kReady[] = L"Ready";

std::string bytesOf(size_t count, unsigned seed) {
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(seed >> 16);
    }
    return bytes;
}

// A value the program saved under its window's view section; -1 when there is none.
long savedNumber(const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kViewKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
    DWORD value = 0, size = sizeof value, type = 0;
    const LONG read = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? static_cast<long>(value) : -1;
}

std::wstring savedText(const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kViewKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return L"<none>";
    wchar_t text[512] = {};
    DWORD size = sizeof text - sizeof(wchar_t), type = 0;
    const LONG read = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? text : L"<none>";
}

// Every name below a sandbox folder, with each file's bytes: what "byte-identical" compares.
void listTree(const tests::Sandbox& box, const std::wstring& relative, std::vector<std::string>* out) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((box.at(relative) + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring item = relative + L"\\" + name;
        std::string line(item.begin(), item.end());
        line += " " + std::to_string(entry.dwFileAttributes & ~FILE_ATTRIBUTE_ARCHIVE);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out->push_back(line);
            listTree(box, item, out);
        } else {
            std::string bytes;
            box.readFile(item, &bytes);
            out->push_back(line + " " + bytes);
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

std::vector<std::string> treeOf(const tests::Sandbox& box, const std::wstring& relative) {
    std::vector<std::string> tree;
    listTree(box, relative, &tree);
    return tree;
}

class ShredTest : public ProgramFixture {
protected:
    // Drops the items with the confirmation answered Yes and waits for the end of the run.
    void shred(const std::vector<std::wstring>& items) {
        if (!questions) questions = std::make_unique<QuestionWatcher>(kConfirmTitle, L"Yes");
        if (window->countOf(kEnd) > 0) window->clearTrace();
        dropPaths(items);
        ASSERT_TRUE(window->waitForEvent(kEnd, kRunLimitMs)) << "the run did not end";
        ASSERT_TRUE(waitUntilReady());
    }

    bool waitUntilReady() const {
        return tests::gui::eventually([&] { return window->statusText() == kReady; }, 10000);
    }

    Control button(const wchar_t* text) const { return window->find(L"s_gui_win_Button", text); }
    Control combo() const { return window->find(L"s_gui_win_ComboBox", L""); }
};

TEST_F(ShredTest, DroppedItemsAreShreddedWithProgressAndNothingBesideThemChanges) {
    ASSERT_TRUE(box.writeFile(L"letter.txt", bytesOf(300000, 1)));
    ASSERT_TRUE(box.makeFolder(L"folder"));
    ASSERT_TRUE(box.makeFolder(L"folder\\sub"));
    ASSERT_TRUE(box.writeFile(L"folder\\photo.jpg", bytesOf(2000000, 2)));
    ASSERT_TRUE(box.writeFile(L"folder\\sub\\note.txt", "note"));
    ASSERT_TRUE(box.writeFile(L"folder\\sub\\empty.txt", ""));
    const std::wstring longFile = makeLongFile(box, L"deep", 300, bytesOf(70000, 3));
    ASSERT_EQ(300u, longFile.size());
    // The bystander beside the dropped items, and one inside the long file's folders.
    ASSERT_TRUE(box.makeFolder(L"keep"));
    ASSERT_TRUE(box.writeFile(L"keep\\precious.txt", bytesOf(50000, 4)));
    ASSERT_TRUE(box.makeFolder(L"keep\\inner"));
    ASSERT_TRUE(box.writeFile(L"keep\\inner\\also.txt", "also"));
    const std::vector<std::string> keepBefore = treeOf(box, L"keep");

    EXPECT_EQ(kReady, window->statusText());
    EXPECT_FALSE(window->progressBar().visible);
    shoot(L"ready");
    questions = std::make_unique<QuestionWatcher>(kConfirmTitle, L"Yes");
    questions->setScreenshotName(L"e2e-confirmation");
    tests::gui::phase("shredding three items");
    shred({L"letter.txt", L"folder", longFile});

    ASSERT_EQ(1u, questions->seen().size());
    EXPECT_THAT(questions->seen()[0].texts,
                Contains(L"Are you sure you want to permanently erase the dropped item(s)?"));
    const std::vector<TracedEvent> trace = window->trace();
    ASSERT_GE(trace.size(), 3u);
    EXPECT_EQ(kStart, trace.front().name);
    EXPECT_EQ(kEnd, trace.back().name);
    EXPECT_EQ(1u, window->countOf(kStart));
    bool sawADroppedItem = false;
    int32_t last = -1;
    for (const TracedEvent& e : trace) {
        if (e.name != kUpdate) continue;
        EXPECT_EQ(100, e.value1);
        EXPECT_GE(e.value2, 0);
        EXPECT_LE(e.value2, 100);
        // The bar follows the report (done + 1 of total + 1) and never goes back.
        EXPECT_EQ(e.value2 + 1, e.progress);
        EXPECT_EQ(101, e.progressRange);
        EXPECT_GE(e.progress, last);
        last = e.progress;
        EXPECT_EQ(e.text, e.status) << "the status line shows the item in work";
        // The item in work: a name, or a full path inside the sandbox.
        if (!e.text.empty()) {
            const bool nameOnly = e.text.find_first_of(L"\\:") == std::wstring::npos;
            EXPECT_TRUE(nameOnly || isInsideSandbox(box.path(), e.text))
                << "an item in work outside the drop: " << testing::PrintToString(e.text);
            sawADroppedItem = true;
        }
    }
    EXPECT_TRUE(sawADroppedItem);
    EXPECT_EQ(L"Done!", trace.back().status) << "the end of the run is shown";
    EXPECT_FALSE(window->progressBar().visible);
    shoot(L"done");

    EXPECT_FALSE(box.exists(L"letter.txt"));
    EXPECT_FALSE(box.exists(L"folder"));
    EXPECT_FALSE(longPathExists(longFile));
    EXPECT_TRUE(box.exists(L"deep")) << "the long file's folders were not dropped";
    EXPECT_EQ(keepBefore, treeOf(box, L"keep"));
    EXPECT_TRUE(boxes->boxes().empty()) << "everything was wiped: no list of failures";
}

TEST_F(ShredTest, AFolderLinkInsideADroppedFolderKeepsItsTargetWhole) {
    tests::Sandbox outside;
    ASSERT_TRUE(outside.ok());
    ASSERT_TRUE(outside.makeFolder(L"album"));
    ASSERT_TRUE(outside.writeFile(L"album\\picture.bmp", bytesOf(100000, 5)));
    ASSERT_TRUE(outside.writeFile(L"top.txt", "top"));
    std::vector<std::string> targetBefore;
    listTree(outside, L"album", &targetBefore);
    ASSERT_TRUE(box.makeFolder(L"holder"));
    ASSERT_TRUE(box.writeFile(L"holder\\own.txt", bytesOf(10000, 6)));
    ASSERT_TRUE(box.makeLink(L"holder\\link", L"..\\..\\" + outside.path().substr(3)));
    ASSERT_TRUE(box.exists(L"holder\\link\\top.txt")) << "the session made no link";
    shred({L"holder"});
    std::vector<std::string> targetAfter;
    listTree(outside, L"album", &targetAfter);
    EXPECT_EQ(targetBefore, targetAfter);
    std::string top;
    ASSERT_TRUE(outside.readFile(L"top.txt", &top));
    EXPECT_EQ("top", top);
    shoot(L"link-kept");
}

TEST_F(ShredTest, NoInTheConfirmationChangesNothing) {
    ASSERT_TRUE(box.writeFile(L"stay.txt", "stay"));
    questions = std::make_unique<QuestionWatcher>(kConfirmTitle, L"No");
    dropPaths({L"stay.txt"});
    ASSERT_TRUE(questions->waitFor(1, 10000));
    Sleep(500);  // a run, were one started, would have reported by now
    EXPECT_EQ(0u, window->countOf(kStart));
    std::string back;
    ASSERT_TRUE(box.readFile(L"stay.txt", &back));
    EXPECT_EQ("stay", back);
    EXPECT_EQ(kReady, window->statusText());
    EXPECT_NE(0, savedNumber(L"AskConfirmation")) << "a plain No leaves the question on";
    // The next drop asks again.
    dropPaths({L"stay.txt"});
    EXPECT_TRUE(questions->waitFor(2, 10000));
    EXPECT_TRUE(box.exists(L"stay.txt"));
}

// The question box takes the activation while it asks; once it closed, and through the run
// that follows, the main window is the active one again (its title not left grey).
// Foreground, and the active window of its own thread (its caption drawn as active).
bool isActiveWindow(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetForegroundWindow() == window &&
           GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndActive == window;
}

TEST_F(ShredTest, AfterTheQuestionTheMainWindowIsActiveAgain) {
    ASSERT_TRUE(box.writeFile(L"gone.txt", std::string(20000, 'g')));
    ASSERT_TRUE(box.writeFile(L"stay.txt", "stay"));
    SetForegroundWindow(window->handle());
    ASSERT_TRUE(tests::gui::eventually([&] { return isActiveWindow(window->handle()); }, 3000));
    shred({L"gone.txt"});
    EXPECT_TRUE(tests::gui::eventually([&] { return isActiveWindow(window->handle()); }, 3000))
        << "after Yes and the run the main window is not active";
    questions = std::make_unique<QuestionWatcher>(kConfirmTitle, L"No");
    dropPaths({L"stay.txt"});
    ASSERT_TRUE(questions->waitFor(1, 10000));
    EXPECT_TRUE(tests::gui::eventually([&] { return isActiveWindow(window->handle()); }, 3000))
        << "after No the main window is not active";
}

TEST_F(ShredTest, DontAskMeAgainSwitchesTheQuestionOffEvenWithNo) {
    ASSERT_TRUE(box.writeFile(L"first.txt", "first"));
    questions = std::make_unique<QuestionWatcher>(kConfirmTitle, L"No", kDontAsk);
    dropPaths({L"first.txt"});
    ASSERT_TRUE(questions->waitFor(1, 10000));
    EXPECT_TRUE(questions->seen()[0].ticked);
    EXPECT_TRUE(tests::gui::eventually([] { return savedNumber(L"AskConfirmation") == 0; }, 5000));
    Sleep(300);
    EXPECT_TRUE(box.exists(L"first.txt")) << "No refuses the drop all the same";
    EXPECT_EQ(0u, window->countOf(kStart));
    // Unasked from now on.
    dropPaths({L"first.txt"});
    ASSERT_TRUE(window->waitForEvent(kEnd, kRunLimitMs));
    EXPECT_EQ(1u, questions->seen().size());
    EXPECT_FALSE(box.exists(L"first.txt"));
}


// A Gutmann run (35 passes) of a large file, long enough to act during it.
class LongRunTest : public ShredTest {
protected:
    void startLongRun() {
        ASSERT_TRUE(box.writeFile(L"large.bin", bytesOf(48u << 20, 7)));
        ASSERT_TRUE(window->chooseInCombo(combo(), 0));
        ASSERT_EQ(0, combo().value);
        questions = std::make_unique<QuestionWatcher>(kConfirmTitle, L"Yes");
        dropPaths({L"large.bin"});
        ASSERT_TRUE(window->waitForEvent(kUpdate, 10000)) << "the run did not report";
    }
    void cancelRun() {
        const Control cancel = button(L"Cancel");
        ASSERT_NE(nullptr, cancel.handle);
        EXPECT_TRUE(cancel.visible);
        ASSERT_TRUE(window->click(cancel));
        ASSERT_TRUE(window->waitForEvent(kEnd, 20000)) << "the cancelled run did not end";
        ASSERT_TRUE(waitUntilReady());
    }
};

TEST_F(LongRunTest, CancelDuringAGutmannRunKeepsTheFileAndTheWindowIsReadyAgain) {
    tests::gui::phase("the long run");
    startLongRun();
    EXPECT_TRUE(window->progressBar().visible);
    shoot(L"running");
    tests::gui::phase("cancelling");
    cancelRun();
    shoot(L"cancelled");
    EXPECT_TRUE(box.exists(L"large.bin")) << "a cancelled run keeps the item in work";
    EXPECT_FALSE(window->progressBar().visible);
    // Ready again: the next drop is shredded.
    ASSERT_TRUE(box.writeFile(L"after.txt", "after"));
    window->clearTrace();
    shred({L"after.txt"});
    EXPECT_FALSE(box.exists(L"after.txt"));
    // The next drop was asked about too. Under load the watcher once counted a question of
    // this test twice (three seen), the answered window seen again before it was hidden.
    EXPECT_GE(questions->seen().size(), 2u);
}

TEST_F(LongRunTest, ADropWhileBusyIsRefusedWithoutAQuestion) {
    startLongRun();
    ASSERT_TRUE(box.writeFile(L"late.txt", "late"));
    tests::gui::phase("dropping while busy");
    dropPaths({L"late.txt"});
    Sleep(300);
    EXPECT_EQ(1u, questions->seen().size()) << "a drop while busy asks nothing";
    EXPECT_EQ(1u, window->countOf(kStart));
    cancelRun();
    EXPECT_EQ(1u, window->countOf(kStart));
    EXPECT_TRUE(box.exists(L"late.txt")) << "a drop while busy is never queued";
    std::string back;
    ASSERT_TRUE(box.readFile(L"late.txt", &back));
    EXPECT_EQ("late", back);
}

TEST_F(ShredTest, ALockedFileIsLeftAndListedAsNotWiped) {
    ASSERT_TRUE(box.writeFile(L"locked.txt", "in use"));
    ASSERT_TRUE(box.writeFile(L"free.txt", "free"));
    HANDLE holder = CreateFileW(box.at(L"locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    boxes->setBeforeAnswer([](HWND box) { tests::gui::saveScreenshot(box, L"e2e-not-wiped"); });
    shred({L"locked.txt", L"free.txt"});
    std::vector<std::wstring> told = window->visibleTexts();
    if (boxes->waitForBoxes(1, 5000))
        for (const tests::gui::SeenBox& seen : boxes->boxes()) told.push_back(seen.text);
    CloseHandle(holder);
    EXPECT_FALSE(box.exists(L"free.txt"));
    std::string back;
    ASSERT_TRUE(box.readFile(L"locked.txt", &back));
    EXPECT_EQ("in use", back);
    bool listed = false;
    for (const std::wstring& text : told) listed = listed || text.find(box.at(L"locked.txt")) != std::wstring::npos;
    EXPECT_TRUE(listed) << "the user is told what could not be wiped";
    for (const std::wstring& text : told)
        EXPECT_EQ(std::wstring::npos, text.find(box.at(L"free.txt"))) << "only what was not wiped is listed";
}

TEST_F(ShredTest, EveryMethodChosenThroughTheComboShredsAndIsKept) {
    struct Method {
        int32_t index;
        const wchar_t* caption;
    };
    const Method methods[] = {
        {0, L"Ruziruru (Vanish it!)"},
        {1, L"Into Ashes (Extremely Secure)"},
        {2, L"Extra Carefully (Even More Secure)"},
        {3, L"Shred Once (Usually Unrecoverable)"},
    };
    EXPECT_EQ(3, combo().value) << "Shred Once is the first choice";
    EXPECT_EQ(4, combo().range);
    // Chosen in the large view, where the method row stands beside the drop box.
    ASSERT_TRUE(window->click(button(L"Detailed Description >>")));
    ASSERT_TRUE(tests::gui::eventually([&] { return button(L"<< Minimize").visible; }, 5000));
    for (const Method& m : methods) {
        SCOPED_TRACE(m.index);
        ASSERT_TRUE(window->chooseInCombo(combo(), m.index));
        EXPECT_EQ(m.caption, combo().text);
        EXPECT_TRUE(tests::gui::eventually([&] { return savedText(L"ConvertTo") == m.caption; }, 5000));
        shoot(L"method-" + std::to_wstring(m.index));
        const std::wstring name = L"m" + std::to_wstring(m.index) + L".txt";
        ASSERT_TRUE(box.writeFile(name, bytesOf(20000, 10 + m.index)));
        window->clearTrace();
        shred({name});
        EXPECT_FALSE(box.exists(name));
    }
}

}  // namespace
}  // namespace tests::program
