// tests/s/gui/dialogs/win/FileOpenerTest.cpp
//
// The file dialog driven as a user would, through the box watcher: a file chosen by name,
// a cancel, a multi-selection of many files with long names taken whole however small the
// buffer starts, a typed list far longer than the buffer taken whole, a dialog that answers
// "buffer too small" shown again with the size it asked for, a list that never fits reported
// instead of cut, and a save dialog whose file type change
// gives the typed name the new type's extension. Files live only in the test's sandbox.
#include "s/gui/dialogs/win/FileOpener.h"

#include <gmock/gmock.h>

#include <commctrl.h>
#include <dlgs.h>

#include <atomic>
#include <string>
#include <vector>

#include "s/gui/dialogs/win/FileDialogEx.h"
#include "s/gui/win/Window.h"
#include "s/str/strarray/StrArray.h"
#include "s/str/strbuffer/StrBuffer.h"
#include "s/thread/Pool.h"
#include "support/Pooled.h"
#include "support/Sandbox.h"
#include "tests/s/gui/dialogs/DialogFixture.h"

namespace s::gui::dialogs::win {
namespace {

using tests::gui::CallThread;
using tests::gui::findChildOfClass;

class FileOpenerTest : public tests::gui::DialogFixture {
protected:
    void SetUp() override {
        DialogFixture::SetUp();
        ASSERT_TRUE(box.ok());
        parent->setBounds(80, 80, 300, 200);
        parent->setTitle(L"Picker parent");
        parent->show(true, false);
        opener->setFolder(box.path().c_str());
    }

    std::vector<std::wstring> result() const {
        std::vector<std::wstring> paths;
        const s::str::strarray::StrArray* list = opener->getResult();
        for (uint32_t i = 0; i < list->count(); ++i) paths.push_back(tests::text(list->at(i)));
        return paths;
    }
    // The name field: the edit inside cmb13 where the dialog has one (Wine 8.0 nests it in
    // a ComboBoxEx32's combo box), else edt1.
    static HWND nameField(HWND dialog) {
        HWND combo = GetDlgItem(dialog, cmb13);
        HWND edit = combo ? findChildOfClass(combo, L"Edit") : nullptr;
        return edit ? edit : GetDlgItem(dialog, edt1);
    }
    static void typeName(HWND dialog, const std::wstring& text) {
        SendMessageW(nameField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Waits until the dialog's file list shows at least count items.
    static HWND fileList(HWND dialog, int count) {
        HWND list = nullptr;
        tests::gui::eventually([&] {
            list = findChildOfClass(dialog, L"SysListView32");
            return list && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) >= count;
        }, 10000);
        return list;
    }
    std::vector<std::wstring> makeLongNamedFiles(int count) const {
        std::vector<std::wstring> names;
        for (int i = 0; i < count; ++i) {
            std::wstring name = L"file " + std::to_wstring(100 + i) + L" " + std::wstring(140, L'x') + L".dat";
            EXPECT_TRUE(box.writeFile(name, "bytes"));
            names.push_back(name);
        }
        return names;
    }

    tests::Sandbox box;
    tests::Pooled<s::gui::win::Window> parent{s::thread::Pool<s::gui::win::Window, 0>::obtain()};
    tests::Pooled<FileOpener> opener;
    std::atomic<bool> chosen{false};
};

std::wstring quotedList(const std::vector<std::wstring>& names) {
    std::wstring spec;
    for (const std::wstring& name : names) spec += L"\"" + name + L"\" ";
    return spec;
}

TEST(FileOpenerRules, FlagsFollowTheOption) {
    struct Row {
        bool set, multi, value;
        DWORD flags;
    } rows[] = {
        {false, false, false, 0x900006},
        {false, true, true, 0x900006},
        {true, true, false, 0x900206},
        {true, true, true, 0x800206},
        {true, false, true, 0x800006},
        {true, false, false, 0x900006},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.set << r.multi << r.value);
        EXPECT_EQ(r.flags, FileOpener::dialogFlags(r.set, r.multi, r.value));
    }
}

TEST(FileOpenerRules, ATypeChangeGivesTheNameThePatternsExtension) {
    struct Row {
        const wchar_t* name;
        const wchar_t* pattern;
        const wchar_t* renamed;
    } rows[] = {
        {L"picture.png", L"*.jpg", L"picture.jpg"},
        {L"picture", L"*.bmp", L"picture.bmp"},
        {L"", L"*.png", L""},
        {L"a.b.c", L"*.gif;*.giff", L"a.b.gif"},
        {L"notes.txt", L"*.*", L"notes.txt"},
        {L"notes.txt", L"", L"notes.txt"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(std::wstring(r.renamed), FileDialogEx::nameForPattern(r.name, r.pattern));
    }
    const wchar_t filters[] = L"PNG\0*.png\0JPEG\0*.jpg;*.jpeg\0";
    EXPECT_EQ(L"*.png", FileDialogEx::patternAt(filters, 1));
    EXPECT_EQ(L"*.jpg;*.jpeg", FileDialogEx::patternAt(filters, 2));
    EXPECT_EQ(L"", FileDialogEx::patternAt(filters, 3));
    EXPECT_EQ(L"", FileDialogEx::patternAt(filters, 0));
}

TEST_F(FileOpenerTest, AFileTypedInTheNameFieldIsChosen) {
    ASSERT_TRUE(box.writeFile(L"report.txt", "text"));
    opener->setTitle(L"Choose a report");
    opener->addFilter(L"Texts", L"*.txt");
    parent->setTopmost(true);
    CallThread call([&] { chosen = opener->show(parent.get()); });
    HWND dialog = this->dialog(0);
    ASSERT_NE(nullptr, dialog);
    EXPECT_FALSE(parent->isTopmost());  // a topmost parent would cover the dialog
    EXPECT_EQ(L"Choose a report", watcher->boxes()[0].caption);
    EXPECT_EQ(parent->getHandle(), watcher->boxes()[0].owner);
    fileList(dialog, 1);
    tests::gui::saveScreenshot(dialog, L"file_opener_open");
    typeName(dialog, L"report.txt");
    answer(IDOK);
    ASSERT_TRUE(call.join(20000));
    EXPECT_TRUE(chosen);
    EXPECT_THAT(result(), testing::ElementsAre(box.at(L"report.txt")));
    EXPECT_EQ(1, opener->getChosenFilter());
    EXPECT_TRUE(parent->isTopmost());
}

TEST_F(FileOpenerTest, ACancelledDialogAnswersFalseWithAnEmptyList) {
    ASSERT_TRUE(box.writeFile(L"report.txt", "text"));
    CallThread call([&] { chosen = opener->show(parent.get()); });
    HWND dialog = this->dialog(0);
    ASSERT_NE(nullptr, dialog);
    typeName(dialog, L"report.txt");
    answer(IDCANCEL);
    ASSERT_TRUE(call.join(20000));
    EXPECT_FALSE(chosen);
    EXPECT_TRUE(result().empty());
}

TEST_F(FileOpenerTest, ManyFilesWithLongNamesSelectedInTheListAreTakenWhole) {
    const std::vector<std::wstring> names = makeLongNamedFiles(60);
    opener->setOption(true, false);
    opener->setInitialBufferChars(300);  // far less than one of the names with the folder
    CallThread call([&] { chosen = opener->show(parent.get()); });
    HWND dialog = this->dialog(0);
    ASSERT_NE(nullptr, dialog);
    HWND list = fileList(dialog, 60);
    ASSERT_NE(nullptr, list);
    LVITEMW all = {};
    all.stateMask = LVIS_SELECTED;
    all.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
    Sleep(300);
    tests::gui::saveScreenshot(dialog, L"file_opener_multi");
    answer(IDOK);
    ASSERT_TRUE(call.join(20000));
    EXPECT_TRUE(chosen);
    std::vector<std::wstring> expected;
    for (const std::wstring& name : names) expected.push_back(box.at(name));
    EXPECT_THAT(result(), testing::UnorderedElementsAreArray(expected));
    EXPECT_FALSE(opener->wasListTooLong());
}

TEST_F(FileOpenerTest, AListTypedFarBeyondTheBufferIsTakenWhole) {
    const std::vector<std::wstring> names = makeLongNamedFiles(30);
    opener->setOption(true, false);
    opener->setInitialBufferChars(600);  // the typed list needs eight times that
    CallThread call([&] { chosen = opener->show(parent.get()); });
    HWND dialog = this->dialog(0);
    ASSERT_NE(nullptr, dialog);
    fileList(dialog, 30);
    typeName(dialog, quotedList(names));
    answer(IDOK);
    ASSERT_TRUE(call.join(20000));
    EXPECT_TRUE(chosen);
    EXPECT_EQ(1u, watcher->boxes().size());
    std::vector<std::wstring> expected;
    for (const std::wstring& name : names) expected.push_back(box.at(name));
    EXPECT_THAT(result(), testing::UnorderedElementsAreArray(expected));
}

// A dialog that answers "buffer too small" a number of times, asking for `asked`
// characters, before it gives its list (only when the buffer then holds it).
struct ShortBufferDialog {
    static inline int failures = 0, calls = 0;
    static inline DWORD asked = 0, lastError = 0, lastMax = 0;
    static BOOL WINAPI run(OPENFILENAMEW* ofn) {
        ++calls;
        lastMax = ofn->nMaxFile;
        if (calls <= failures || ofn->nMaxFile < asked) {
            *reinterpret_cast<WORD*>(ofn->lpstrFile) = static_cast<WORD>(asked);
            lastError = FNERR_BUFFERTOOSMALL;
            return FALSE;
        }
        const wchar_t list[] = L"T:\\folder\0one.txt\0two.txt\0";
        memcpy(ofn->lpstrFile, list, sizeof list);
        lastError = 0;
        return TRUE;
    }
    static DWORD WINAPI error() { return lastError; }
    ShortBufferDialog(int failing, DWORD askedChars) {
        failures = failing;
        calls = 0;
        asked = askedChars;
        mfc::CFileDialog::setDialogFunctions(&run, &run, &error);
    }
    ~ShortBufferDialog() { mfc::CFileDialog::setDialogFunctions(nullptr, nullptr, nullptr); }
};

TEST(FileDialogRetry, BufferTooSmallGrowsToTheAskedSizeAndShowsTheDialogAgain) {
    ShortBufferDialog fake(1, 5000);
    FileDialogEx dialog(TRUE, nullptr, nullptr, FileOpener::dialogFlags(true, true, false), nullptr, nullptr);
    dialog.m_initialChars = 300;
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(2, ShortBufferDialog::calls);
    EXPECT_GE(ShortBufferDialog::lastMax, 5000u);
    size_t at = dialog.GetStartPosition();
    EXPECT_EQ(L"T:\\folder\\one.txt", dialog.GetNextPathName(at));
    EXPECT_EQ(L"T:\\folder\\two.txt", dialog.GetNextPathName(at));
    EXPECT_EQ(0u, at);
    EXPECT_FALSE(dialog.IsListTooLong());
}

TEST(FileDialogRetry, ASizeBeyondSixteenBitsIsReachedByDoubling) {
    ShortBufferDialog fake(0, 200000);  // the asked size comes cut to 16 bits
    FileDialogEx dialog(TRUE, nullptr, nullptr, FileOpener::dialogFlags(true, true, false), nullptr, nullptr);
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_GE(ShortBufferDialog::lastMax, 200000u);
    EXPECT_EQ(4, ShortBufferDialog::calls);  // 32768, then 65536, 131072, 262144
}

TEST(FileDialogRetry, ACancelIsNotRetried) {
    ShortBufferDialog fake(0, 0);
    ShortBufferDialog::lastError = 0;
    mfc::CFileDialog::setDialogFunctions([](OPENFILENAMEW*) WINAPI -> BOOL { ++ShortBufferDialog::calls; return FALSE; },
                                         nullptr, &ShortBufferDialog::error);
    FileDialogEx dialog(TRUE, nullptr, nullptr, 0, nullptr, nullptr);
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(1, ShortBufferDialog::calls);
    EXPECT_FALSE(dialog.IsListTooLong());
}

TEST_F(FileOpenerTest, AListThatNeverFitsIsReportedAndNothingIsTaken) {
    ShortBufferDialog fake(1000, 0xFFFF);
    opener->setOption(true, false);
    CallThread call([&] { chosen = opener->show(parent.get()); });
    HWND report = this->dialog(0);
    ASSERT_NE(nullptr, report);
    EXPECT_EQ(L"Error!", watcher->boxes()[0].caption);
    EXPECT_EQ(std::wstring(FileOpener::kListTooLong), watcher->boxes()[0].text);
    EXPECT_EQ(parent->getHandle(), watcher->boxes()[0].owner);
    answer(IDOK);
    ASSERT_TRUE(call.join(20000));
    EXPECT_FALSE(chosen);
    EXPECT_TRUE(opener->wasListTooLong());
    EXPECT_TRUE(result().empty());
    EXPECT_EQ(mfc::CFileDialog::kMaxRetries + 1, ShortBufferDialog::calls);
}

TEST_F(FileOpenerTest, ASaveDialogsTypeChangeGivesTheNameTheNewExtension) {
    opener->setSaveMode(true);
    opener->addFilter(L"PNG picture", L"*.png");
    opener->addFilter(L"JPEG picture", L"*.jpg;*.jpeg");
    opener->setFileName(L"picture.png");
    CallThread call([&] { chosen = opener->show(parent.get()); });
    HWND dialog = this->dialog(0);
    ASSERT_NE(nullptr, dialog);
    HWND types = GetDlgItem(dialog, cmb1);
    ASSERT_NE(nullptr, types);
    SendMessageW(types, CB_SETCURSEL, 1, 0);
    // What the combo box tells when the user settles on an entry (Wine 8.0 acts on that one).
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cmb1, CBN_SELENDOK), reinterpret_cast<LPARAM>(types));
    Sleep(200);
    wchar_t typed[MAX_PATH] = {};
    GetWindowTextW(nameField(dialog), typed, MAX_PATH);
    EXPECT_EQ(std::wstring(L"picture.jpg"), typed);
    tests::gui::saveScreenshot(dialog, L"file_opener_save");
    answer(IDOK);
    ASSERT_TRUE(call.join(20000));
    EXPECT_TRUE(chosen);
    EXPECT_THAT(result(), testing::ElementsAre(box.at(L"picture.jpg")));
    EXPECT_EQ(2, opener->getChosenFilter());
    EXPECT_FALSE(box.exists(L"picture.jpg"));  // a save dialog only names the file
}

}  // namespace
}  // namespace s::gui::dialogs::win
