// tests/s/gui/drawer/DrawerTableTest.cpp
//
// Tests over every drawer at once: nothing painted for an empty rectangle, no GDI object
// left behind by painting, and a picture of every skin's families side by side.
#include <gmock/gmock.h>

#include <string>

#include "s/col/_array/ArrayU08.h"
#include "s/gui/drawer/Skinner.h"
#include "s/gui/drawer/skin/SkinSchemes.h"
#include "s/gui/drawer/text/win/Basic.h"
#include "s/image/png/win/Png.h"
#include "s/gui/drawer/AllDrawers.h"
#include "s/gui/drawer/Canvas.h"
#include "support/Pooled.h"
#include "support/gui/GuiHarness.h"

namespace {

using tests::gui::AllDrawers;
using tests::gui::Canvas;
using tests::gui::ScaleScope;

TEST(DrawerTableTest, EveryDrawerPaintsNothingForAnEmptyRectangle) {
    tests::gui::Watchdog dog("DrawerTableTest.Empty", 60000);
    AllDrawers all;
    ASSERT_GE(all.cases().size(), 24u);
    const RECT empties[] = {{10, 10, 10, 40}, {10, 10, 40, 10}, {40, 10, 10, 40}, {10, 40, 40, 10}, {0, 0, 0, 0}};
    for (int32_t scale : {1, 2, 4}) {
        ScaleScope scope(scale);
        for (const auto& c : all.cases()) {
            for (const RECT& e : empties) {
                SCOPED_TRACE(c.name + " scale " + std::to_string(scale));
                Canvas canvas(60, 60);
                ASSERT_TRUE(canvas.ok());
                tests::gui::phase(c.name);
                c.paint(canvas.dc(), e.left, e.top, e.right, e.bottom);
                EXPECT_EQ(0, canvas.inkCount());
            }
        }
    }
}

struct DcState {
    HGDIOBJ font, pen, brush, bitmap;
    COLORREF text, back;
    int mode, stretch;
    POINT origin;
    bool operator==(const DcState& o) const {
        return font == o.font && pen == o.pen && brush == o.brush && bitmap == o.bitmap && text == o.text &&
               back == o.back && mode == o.mode && stretch == o.stretch && origin.x == o.origin.x &&
               origin.y == o.origin.y;
    }
};

DcState stateOf(HDC dc) {
    DcState s;
    s.font = GetCurrentObject(dc, OBJ_FONT);
    s.pen = GetCurrentObject(dc, OBJ_PEN);
    s.brush = GetCurrentObject(dc, OBJ_BRUSH);
    s.bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    s.text = GetTextColor(dc);
    s.back = GetBkColor(dc);
    s.mode = GetBkMode(dc);
    s.stretch = GetStretchBltMode(dc);
    GetViewportOrgEx(dc, &s.origin);
    return s;
}

TEST(DrawerTableTest, EveryDrawerLeavesTheDcAsItFoundIt) {
    tests::gui::Watchdog dog("DrawerTableTest.Selections", 60000);
    AllDrawers all;
    for (int32_t scale : {1, 2}) {
        ScaleScope scope(scale);
        for (const auto& c : all.cases()) {
            SCOPED_TRACE(c.name);
            Canvas canvas(120, 80);
            SetTextColor(canvas.dc(), RGB(1, 2, 3));
            SetBkColor(canvas.dc(), RGB(4, 5, 6));
            SetBkMode(canvas.dc(), OPAQUE);
            const DcState before = stateOf(canvas.dc());
            c.paint(canvas.dc(), 0, 0, 120, 80);
            EXPECT_TRUE(before == stateOf(canvas.dc()));
            EXPECT_GT(canvas.inkCount() + (c.name.find("tabbox") != std::string::npos ||
                                           c.name.find("statusbar Thin") != std::string::npos ||
                                           c.name.find("menu") != std::string::npos),
                      0);
        }
    }
}

// GDI objects the process holds. Wine's GetGuiResources is a stub that answers 0, so there
// the measure is how far a burst of fresh brushes reaches into the handle table: Wine hands
// out freed handle slots first and new ones only when none is free (Wine 8.0, checked by
// this test's own figures), so every leaked object pushes the burst further.
int32_t gdiReach() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted) return static_cast<int32_t>(counted);
    constexpr int kBurst = 400;
    HBRUSH brushes[kBurst];
    int32_t reach = 0;
    for (auto& b : brushes) {
        b = CreateSolidBrush(RGB(1, 2, 3));
        const int32_t slot = static_cast<int32_t>(reinterpret_cast<UINT_PTR>(b) & 0xFFFF);
        if (slot > reach) reach = slot;
    }
    for (auto& b : brushes) DeleteObject(b);
    return reach;
}

TEST(DrawerTableTest, PaintingEveryDrawerAThousandTimesLeavesNoGdiObject) {
    tests::gui::Watchdog dog("DrawerTableTest.Leak", 100000);
    AllDrawers all;
    Canvas canvas(120, 80);
    ASSERT_TRUE(canvas.ok());
    for (const auto& c : all.cases()) c.paint(canvas.dc(), 0, 0, 120, 80);  // first-use allocations
    const int32_t before = gdiReach();
    for (int i = 0; i < 1000; ++i) {
        for (const auto& c : all.cases()) c.paint(canvas.dc(), 0, 0, 120, 80);
    }
    const int32_t after = gdiReach();
    EXPECT_LE(after, before + 8) << "before " << before << " after " << after;
    // The measure sees a leak: 300 objects kept show.
    HPEN kept[300];
    for (auto& p : kept) p = CreatePen(PS_SOLID, 1, 0);
    EXPECT_GE(gdiReach(), after + 250);
    for (auto& p : kept) DeleteObject(p);
}

// The folder of the built programs (drive P: of the session) when it exists, else the
// current folder.
std::wstring shotFolder() {
    const wchar_t* root = GetFileAttributesW(L"P:\\") != INVALID_FILE_ATTRIBUTES ? L"P:\\screenshots" : L"screenshots";
    CreateDirectoryW(root, nullptr);
    return root;
}

bool savePng(const s::image::win::BufferedImage* image, const std::wstring& path) {
    s::image::png::win::Png* png = s::image::png::win::newPngFromImage(image, false, false, 255, 255, 255);
    if (!png) return false;
    tests::Pooled<s::col::_array::ArrayU08> bytes;
    bool ok = png->encode(bytes.get());
    png->releaseToPool();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    ok = ok && WriteFile(file, bytes->data(), bytes->count(), &written, nullptr) && written == bytes->count();
    CloseHandle(file);
    return ok;
}

TEST(DrawerTableTest, EverySkinIsPicturedWithItsFamiliesSideBySide) {
    tests::gui::Watchdog dog("DrawerTableTest.Screenshots", 100000);
    const std::wstring folder = shotFolder();
    tests::gui::DrawState state;
    for (const wchar_t* family : {L"Thin", L"ThinWindow"}) {
        tests::Pooled<s::gui::drawer::Skinner> skinner;
        skinner->setFamilyName(family);
        skinner->registerSchemes();
        ASSERT_GT(skinner->getSkinCount(), 0u);
        for (uint32_t i = 0; i < skinner->getSkinCount(); ++i) {
            s::gui::drawer::ISkin* skin = skinner->getSkin(i);
            // On the skin's window background, as the controls of its windows stand.
            auto* window = dynamic_cast<s::gui::drawer::window::win::Thin*>(skin->getWindowDrawer());
            Canvas canvas(1290, 40, window ? window->getBackgroundColour() : RGB(250, 250, 250));
            ASSERT_TRUE(canvas.ok());
            // The texts in the skin's own text colour, as a control inheriting it would.
            auto* text = dynamic_cast<s::gui::drawer::text::win::Basic*>(skin->getTextDrawer());
            s::gui::win::Font* font = text ? text->getNormalFont()->makeFont() : nullptr;
            s::gui::win::Font* kept = state.font;
            auto use = [&state](s::gui::win::Font* f) { state.font = f, state.item.font = f, state.item.selectedFont = f; };
            if (font) use(font);
            tests::gui::paintSkin(canvas.dc(), skin, state, 60, 4);
            use(kept);
            if (font) font->releaseToPool();
            std::wstring name = std::wstring(family) + L"-" + skin->getName() + L".png";
            for (auto& ch : name) {
                if (ch == L' ') ch = L'_';
            }
            EXPECT_TRUE(savePng(canvas.image(), folder + L"\\" + name));
            EXPECT_GT(canvas.inkCount(), 500);
        }
    }
}

}  // namespace
