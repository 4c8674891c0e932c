// tests/s/archive/dll/win/ProgramResourcesTest.cpp
//
// What the program's resources do to the process that carries them (this test program
// carries them): the manifest brings the common controls 6 and asks for the screen's real
// pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "s/archive/dll/TypeCodes.h"
#include "tests/s/archive/ArchiveFixture.h"

namespace {

TEST(ProgramResources, TheManifestAsksForCommonControls6AndRealPixels) {
    tests::archive::OpenArchive program(tests::archive::ownProgram());
    ASSERT_NE(nullptr, program.get());
    const std::string manifest = tests::archive::entryBytes(program.get(), s::archive::dll::kManifest, 1);
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    // Only the text shows this one: Wine 8.0 reports every process DPI-aware, with the
    // manifest's dpiAware false as well (checked).
    EXPECT_NE(std::string::npos, manifest.find(">true</dpiAware>"));

    // The process runs with them: the common controls come from the 6.0 assembly. (Wine
    // 8.0's copy there answers DllGetVersion with 5, checked, so the file tells.)
    HMODULE controls = LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(nullptr, controls);
    wchar_t file[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(controls, file, MAX_PATH), 0u);
    const std::wstring loaded = file;
    EXPECT_NE(std::wstring::npos, loaded.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6.0.")) << file;
    FreeLibrary(controls);
}

}  // namespace
