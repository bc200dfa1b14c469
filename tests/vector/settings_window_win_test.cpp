// The vector map settings window over the real main window: every control
// changes its setting and renders the map again, the trackbars only after
// their deadline.
#include "vector/settings_window_win.h"

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chrome/skin_win.h"
#include "raster/map_select_win.h"
#include "raster/test_pictures_win.h"
#include "res/resource.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

using test::MainWindowHarness;
using test::TempFolder;

constexpr const char* kZone = "Greater Faydark";
constexpr COLORREF kBaseRed = RGB(255, 0, 0);
constexpr COLORREF kLayerBlue = RGB(0, 0, 255);

// A 200 by 100 map: a red diagonal in the base file, a blue one in layer 1.
void WriteMaps(const std::string& folder) {
    test::MakeFolder(folder);
    test::WriteFile(folder + "gfaydark.txt", "L 0, 0, 0, 200, 100, 0, 255, 0, 0\r\n");
    test::WriteFile(folder + "gfaydark_1.txt", "L 0, 100, 0, 200, 0, 0, 0, 0, 255\r\n");
}

std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap) { return test::ReadPixels(bitmap).argb; }

int CountColour(HBITMAP bitmap, COLORREF colour) {
    int n = 0;
    for (std::uint32_t p : PixelsOf(bitmap)) n += p == test::Rgb(colour) ? 1 : 0;
    return n;
}

std::string TextOf(HWND window, int id) {
    char text[1024] = {};
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

int TrackbarPosition(HWND window, int id) {
    return static_cast<int>(SendDlgItemMessageA(window, id, TBM_GETPOS, 0, 0));
}

// A control's client area as the window paints it.
std::vector<std::uint32_t> ControlAsPainted(HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    const HDC screen = GetDC(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, r.right, r.bottom));
    ReleaseDC(nullptr, screen);
    {
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        Selection selected(dc.get(), bitmap.get());
        PrintWindow(control, dc.get(), PW_CLIENTONLY);
    }
    return PixelsOf(bitmap.get());
}

// What a skinned button of the same size, font and focus looks like with `text`.
std::vector<std::uint32_t> SkinnedButtonWith(HWND button, HBITMAP texture, const std::string& text) {
    RECT r{};
    GetClientRect(button, &r);
    const HDC screen = GetDC(nullptr);
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, r.right, r.bottom));
    ReleaseDC(nullptr, screen);
    {
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        Selection selected(dc.get(), bitmap.get());
        Selection font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(button, WM_GETFONT, 0, 0)));
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = button;
        item.hDC = dc.get();
        item.rcItem = r;
        item.itemState = GetFocus() == button ? ODS_FOCUS : 0;
        DrawSkinnedButton(item, texture, text);
    }
    return PixelsOf(bitmap.get());
}

class VectorSettingsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        WriteMaps(folder.path() + "VURavaZiro\\");
        harness = std::make_unique<MainWindowHarness>(folder.path());
        ASSERT_NE(harness->window(), nullptr);
        app().UseVURavaZiro = 1;
        app().vector.MapResolution = 400;
        SelectZoneMap(harness->window(), program(), kZone);
        ASSERT_EQ(app().map.imageWidth, 400);
        ASSERT_EQ(app().map.imageHeight, 200);
    }

    Program& program() { return harness->program(); }
    AppState& app() { return harness->app(); }
    std::uint32_t& clock() { return harness->rec().tick; }

    HWND Open() {
        const HWND window = OpenVectorSettingsWindow(harness->window(), program());
        harness->PumpMessages();
        return window;
    }

    // Replaces the map bitmap by a 1 x 1 stand-in that any new selection deletes.
    void ArmRenderWatch() { program().gdi.mapBitmap.reset(CreateBitmap(1, 1, 1, 1, nullptr)); }
    bool Rendered() const { return test::ReadPixels(harness->program().gdi.mapBitmap.get()).width > 1; }

    void Click(HWND window, int id) {
        SendMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0);
        harness->PumpMessages();
    }
    // Types `c` at the end of the field's text.
    void Type(HWND window, int id, char c) {
        const HWND field = GetDlgItem(window, id);
        const int end = GetWindowTextLengthA(field);
        SendMessageA(field, EM_SETSEL, static_cast<WPARAM>(end), end);
        SendMessageA(field, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
        harness->PumpMessages();
    }
    // A trackbar moved to `position` while dragging, as its notice reports it.
    void Drag(HWND window, int id, int position) {
        const HWND bar = GetDlgItem(window, id);
        SendMessageA(bar, TBM_SETPOS, TRUE, position);
        SendMessageA(window, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(bar));
        harness->PumpMessages();
    }
    void ScaleTimerTick(HWND window, std::uint32_t advanceMs) {
        clock() += advanceMs;
        SendMessageA(window, WM_TIMER, 2, 0);
        harness->PumpMessages();
    }
    // The button's drawn caption is `text` (and not `other`).
    void ExpectCaption(HWND window, int id, const std::string& text, const std::string& other) {
        const HWND button = GetDlgItem(window, id);
        const HBITMAP texture = program().gdi.vectorButtonTexture.get();
        const std::vector<std::uint32_t> shown = ControlAsPainted(button);
        EXPECT_TRUE(shown == SkinnedButtonWith(button, texture, text)) << id << " should read " << text;
        EXPECT_FALSE(shown == SkinnedButtonWith(button, texture, other)) << id << " should not read " << other;
    }

    TempFolder folder{"vsw"};
    std::unique_ptr<MainWindowHarness> harness;
};

TEST_F(VectorSettingsWindow, OpensShowingTheSettingsWithoutRendering) {
    app().vectorMapFolder = "C:\\Games\\maps\\";
    app().vector.SearchFilter = "Bank";
    app().vector.MapResolution = 2000;  // beyond the trackbar's range
    app().vector.FontAdjust = 7;
    app().vector.LabelSpacing = 0;
    app().vector.FilterLow = -5;
    app().vector.FilterHigh = 35;
    ArmRenderWatch();
    const HWND window = Open();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), harness->window());

    EXPECT_FALSE(Rendered());
    EXPECT_EQ(TextOf(window, IDC_VM_FOLDER), "C:\\Games\\maps\\");
    EXPECT_EQ(TextOf(window, IDC_VM_SEARCH), "Bank");
    EXPECT_EQ(TextOf(window, IDC_VM_SCALE_VALUE), "2000");
    EXPECT_EQ(TextOf(window, IDC_VM_FILTER_LOW), "4294967291");  // shown unsigned
    EXPECT_EQ(TextOf(window, IDC_VM_FILTER_HIGH), "35");
    EXPECT_EQ(TrackbarPosition(window, IDC_VM_SCALE), 1600);
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_VM_SCALE, TBM_GETRANGEMIN, 0, 0), 400);
    EXPECT_EQ(TrackbarPosition(window, IDC_VM_FONT_SIZE), 7);
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_VM_FONT_SIZE, TBM_GETRANGEMAX, 0, 0), 10);
    EXPECT_EQ(TrackbarPosition(window, IDC_VM_SPACING), 0);
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_VM_SPACING, TBM_GETRANGEMAX, 0, 0), 16);
    // Only a movement changes a value the trackbar cannot show.
    EXPECT_EQ(app().vector.MapResolution, 2000);
    EXPECT_EQ(app().vector.FilterLow, -5);
    EXPECT_EQ(app().vector.SearchFilter, "Bank");

    ExpectCaption(window, IDC_VM_BASE, "[Base]", "Base");
    ExpectCaption(window, IDC_VM_LABELS, "Hide", "Show");
    ExpectCaption(window, IDC_VM_FILTER_ENABLE, "Enable", "Disable");
    ExpectCaption(window, IDC_VM_SELECT_FOLDER, "Select Map Directory...", "");
}

TEST_F(VectorSettingsWindow, EveryToggleFlipsItsSettingAndRendersOnce) {
    const HWND window = Open();
    struct Case {
        int id;
        int VectorMapSettings::*flag;
        const char* after;
        const char* before;
    };
    const Case cases[] = {
        {IDC_VM_BASE, &VectorMapSettings::ShowBase, "Base", "[Base]"},
        {IDC_VM_LAYER1, &VectorMapSettings::ShowLayer1, "1", "[1]"},
        {IDC_VM_LAYER2, &VectorMapSettings::ShowLayer2, "2", "[2]"},
        {IDC_VM_LAYER3, &VectorMapSettings::ShowLayer3, "3", "[3]"},
        {IDC_VM_LABELS, &VectorMapSettings::ShowLabels, "Show", "Hide"},
        {IDC_VM_FILTER_ENABLE, &VectorMapSettings::UseHeightFilter, "Disable", "Enable"},
    };
    for (const Case& c : cases) {
        const int before = app().vector.*c.flag;
        ArmRenderWatch();
        Click(window, c.id);
        EXPECT_EQ(app().vector.*c.flag, before ? 0 : 1) << c.id;
        EXPECT_TRUE(Rendered()) << c.id;
        ExpectCaption(window, c.id, c.after, c.before);
        if (c.id == IDC_VM_BASE) {  // the base file's red line is gone, layer 1's blue one stays
            EXPECT_EQ(CountColour(program().gdi.mapBitmap.get(), kBaseRed), 0);
            EXPECT_GT(CountColour(program().gdi.mapBitmap.get(), kLayerBlue), 0);
        }
    }
    // A quick second click arrives as a double click and flips the setting back.
    ArmRenderWatch();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_VM_LAYER1, BN_DOUBLECLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_VM_LAYER1)));
    EXPECT_EQ(app().vector.ShowLayer1, 1);
    EXPECT_TRUE(Rendered());
}

TEST_F(VectorSettingsWindow, EachSearchKeystrokeRendersAndAnUnchangedTextDoesNot) {
    const HWND window = Open();
    ArmRenderWatch();
    Type(window, IDC_VM_SEARCH, 'b');
    EXPECT_EQ(app().vector.SearchFilter, "b");
    EXPECT_TRUE(Rendered());

    ArmRenderWatch();
    Type(window, IDC_VM_SEARCH, 'a');
    EXPECT_EQ(app().vector.SearchFilter, "ba");
    EXPECT_TRUE(Rendered());

    ArmRenderWatch();
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_VM_SEARCH, EN_CHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_VM_SEARCH)));
    EXPECT_FALSE(Rendered());

    // Case counts.
    SetDlgItemTextA(window, IDC_VM_SEARCH, "BA");
    harness->PumpMessages();
    EXPECT_EQ(app().vector.SearchFilter, "BA");
    EXPECT_TRUE(Rendered());

    // The search text is kept to 258 characters.
    SetDlgItemTextA(window, IDC_VM_SEARCH, std::string(300, 'x').c_str());
    harness->PumpMessages();
    EXPECT_EQ(app().vector.SearchFilter, std::string(258, 'x'));
}

TEST_F(VectorSettingsWindow, LowAndHighFieldsSetTheFilterBounds) {
    const HWND window = Open();
    ArmRenderWatch();
    SetDlgItemTextA(window, IDC_VM_FILTER_LOW, "");
    harness->PumpMessages();
    EXPECT_EQ(app().vector.FilterLow, 20);
    EXPECT_FALSE(Rendered());

    Type(window, IDC_VM_FILTER_LOW, '5');
    EXPECT_EQ(app().vector.FilterLow, 5);
    EXPECT_TRUE(Rendered());

    ArmRenderWatch();
    Type(window, IDC_VM_FILTER_HIGH, '0');  // "200"
    EXPECT_EQ(app().vector.FilterHigh, 200);
    EXPECT_TRUE(Rendered());

    // A number too large for the setting is not taken.
    ArmRenderWatch();
    SetDlgItemTextA(window, IDC_VM_FILTER_HIGH, "99999999999");
    harness->PumpMessages();
    EXPECT_EQ(app().vector.FilterHigh, 200);
    EXPECT_FALSE(Rendered());
}

TEST_F(VectorSettingsWindow, TrackbarsChangeAtOnceAndRenderOnceAfterTheDeadline) {
    const HWND window = Open();
    ArmRenderWatch();
    for (int position = 800; position <= 1200; position += 100) {
        Drag(window, IDC_VM_SCALE, position);
        EXPECT_EQ(app().vector.MapResolution, position);
        EXPECT_EQ(TextOf(window, IDC_VM_SCALE_VALUE), std::to_string(position));
        ScaleTimerTick(window, 150);  // the next movement comes before the deadline
        EXPECT_FALSE(Rendered()) << position;
    }
    ScaleTimerTick(window, 50);  // exactly at the deadline: not yet
    EXPECT_FALSE(Rendered());
    ScaleTimerTick(window, 1);
    ASSERT_TRUE(Rendered());
    EXPECT_EQ(app().map.imageWidth, 1200);
    EXPECT_EQ(app().map.imageHeight, 600);

    // The timer is stopped: a late tick renders nothing more.
    ArmRenderWatch();
    ScaleTimerTick(window, 1000);
    EXPECT_FALSE(Rendered());

    // Font size and spacing wait for the deadline as well; a key moves a
    // trackbar as a drag does.
    SetFocus(GetDlgItem(window, IDC_VM_FONT_SIZE));
    SendDlgItemMessageA(window, IDC_VM_FONT_SIZE, WM_KEYDOWN, VK_END, 0);
    Drag(window, IDC_VM_SPACING, 9);
    EXPECT_EQ(app().vector.FontAdjust, 10);
    EXPECT_EQ(app().vector.LabelSpacing, 9);
    EXPECT_EQ(TextOf(window, IDC_VM_SCALE_VALUE), "1200");
    EXPECT_FALSE(Rendered());
    ScaleTimerTick(window, 201);
    EXPECT_TRUE(Rendered());
}

TEST_F(VectorSettingsWindow, ClosingWithAMovementPendingRendersItAtOnce) {
    HWND window = Open();
    ArmRenderWatch();
    Drag(window, IDC_VM_SCALE, 600);
    Click(window, IDC_VM_CLOSE);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(Rendered());
    EXPECT_EQ(app().map.imageWidth, 600);

    // Closed by a cancel request with nothing pending: no render.
    window = Open();
    ArmRenderWatch();
    SendMessageA(window, WM_CLOSE, 0, 0);
    harness->PumpMessages();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(Rendered());
    EXPECT_EQ(app().vector.MapResolution, 600);
}

TEST_F(VectorSettingsWindow, ConfirmedColourRepaintsSwatchAndMapCancelledChangesNothing) {
    int calls = 0;
    bool answer = false;
    COLORREF offered = 0;
    HWND window = nullptr;
    program().seams.chooseColor = [&](HWND owner, std::uint32_t& color) {
        ++calls;
        offered = color;
        EXPECT_EQ(owner, window);
        if (answer) color = RGB(10, 20, 30);
        return answer;
    };
    window = Open();
    const HBRUSH swatch = program().gdi.vectorSwatchBrush.get();
    const std::vector<std::uint32_t> swatchBefore = ControlAsPainted(GetDlgItem(window, IDC_VM_SWATCH));
    EXPECT_EQ(swatchBefore.front(), test::Rgb(RGB(128, 128, 128)));

    ArmRenderWatch();
    Click(window, IDC_VM_COLOR);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(offered, RGB(128, 128, 128));
    EXPECT_EQ(app().vector.Color, RGB(128, 128, 128));
    EXPECT_EQ(program().gdi.vectorSwatchBrush.get(), swatch);
    EXPECT_FALSE(Rendered());

    answer = true;
    Click(window, IDC_VM_COLOR);
    EXPECT_EQ(app().vector.Color, RGB(10, 20, 30));
    ASSERT_TRUE(Rendered());
    EXPECT_GT(CountColour(program().gdi.mapBitmap.get(), RGB(10, 20, 30)), 1000);
    LOGBRUSH info{};
    GetObjectA(program().gdi.vectorSwatchBrush.get(), sizeof info, &info);
    EXPECT_EQ(info.lbColor, RGB(10, 20, 30));
    const std::vector<std::uint32_t> swatchAfter = ControlAsPainted(GetDlgItem(window, IDC_VM_SWATCH));
    EXPECT_EQ(swatchAfter.front(), test::Rgb(RGB(10, 20, 30)));
    EXPECT_EQ(swatchAfter.back(), test::Rgb(RGB(10, 20, 30)));
}

TEST_F(VectorSettingsWindow, ChosenFolderGetsItsBackslashAndTheMapComesFromThere) {
    TempFolder other{"vsw-maps"};
    test::WriteFile(other.path() + "gfaydark.txt", "L 0, 0, 0, 100, 100, 0, 255, 0, 0\r\n");  // a square map
    const std::string chosen = other.path().substr(0, other.path().size() - 1);

    int calls = 0;
    bool answer = false;
    std::string offered;
    program().seams.pickFolder = [&](HWND, int csidl, std::string& path, const std::string& title) {
        ++calls;
        offered = path;
        EXPECT_EQ(csidl, CSIDL_DRIVES);
        EXPECT_EQ(title, "Enter new map directory");
        if (answer) path = chosen;
        return answer;
    };
    const std::string shown = app().vectorMapFolder;
    const HWND window = Open();

    // Cancelled: the folder is the one shown, even if it changed meanwhile.
    app().vectorMapFolder = "elsewhere\\";
    ArmRenderWatch();
    Click(window, IDC_VM_SELECT_FOLDER);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(offered, shown);
    EXPECT_EQ(app().vectorMapFolder, shown);
    EXPECT_FALSE(Rendered());

    answer = true;
    Click(window, IDC_VM_SELECT_FOLDER);
    EXPECT_EQ(app().vectorMapFolder, other.path());
    EXPECT_EQ(TextOf(window, IDC_VM_FOLDER), other.path());
    ASSERT_TRUE(Rendered());
    EXPECT_EQ(app().map.imageWidth, 400);
    EXPECT_EQ(app().map.imageHeight, 400);

    // A path that already ends with a backslash keeps just the one.
    program().seams.pickFolder = [&](HWND, int, std::string& path, const std::string&) {
        path = "D:\\";
        return true;
    };
    Click(window, IDC_VM_SELECT_FOLDER);
    EXPECT_EQ(app().vectorMapFolder, "D:\\");
}

}  // namespace
}  // namespace tolvik
