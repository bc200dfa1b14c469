#include "chrome/skin_win.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "chrome/tolvik_dialog_win.h"
#include "raster/image_win.h"
#include "res/resource.h"

namespace tolvik {
namespace {

// A bitmap selected into its own memory context for reading and drawing.
class Canvas {
public:
    explicit Canvas(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, bitmap)) {}
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, std::abs(info.bmHeight)};
}

HBITMAP FlatTexture(int w, int h, COLORREF color) {
    HBITMAP bitmap = CreateDib24(w, h);
    Canvas canvas(bitmap);
    UniqueBrush brush(CreateSolidBrush(color));
    RECT all = {0, 0, w, h};
    FillRect(canvas.dc(), &all, brush.get());
    return bitmap;
}

HBITMAP LightGreyTexture() { return CreateFilledTexture(static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))); }

TEST(SkinTextures, MissingPicturesGiveFlatGreyAndLightGreyFallbacks) {
    AppState app;
    app.texturesFolder = "C:\\no-such-folder-for-tolvik\\";
    UniqueBitmap background, button;
    LoadSkinTextures(app, background, button);
    ASSERT_TRUE(background && button);
    EXPECT_EQ(SizeOf(background.get()).cx, 320);
    EXPECT_EQ(SizeOf(button.get()).cy, 320);
    EXPECT_EQ(Canvas(background.get()).at(319, 319), RGB(128, 128, 128));
    EXPECT_EQ(Canvas(button.get()).at(160, 7), RGB(192, 192, 192));
}

TEST(SkinTextures, PicturesInTheTexturesFolderAreUsed) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tolvik-skin-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    {
        // A 7 x 5 BMP of one colour under the picture's name: pictures are decoded by content.
        std::string bmp = std::string("BM") + std::string(52, '\0') + std::string(24 * 5, '\0');
        const std::uint32_t fields[][2] = {{2, 54 + 24 * 5}, {10, 54}, {14, 40}, {18, 7}, {22, 5}, {26, 1 | (24 << 16)}};
        for (const auto& f : fields) std::memcpy(&bmp[f[0]], &f[1], 4);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x) bmp.replace(static_cast<size_t>(54 + y * 24 + x * 3), 3, "\x1e\xc8\x0a");
        std::ofstream(folder + "BackgroundButton.jpg", std::ios::binary) << bmp;
    }
    AppState app;
    app.texturesFolder = folder;
    UniqueBitmap background, button;
    LoadSkinTextures(app, background, button);
    DeleteFileA((folder + "BackgroundButton.jpg").c_str());
    RemoveDirectoryA(folder.c_str());
    ASSERT_TRUE(button && background);
    EXPECT_EQ(SizeOf(button.get()).cx, 7);
    EXPECT_EQ(Canvas(button.get()).at(3, 2), RGB(10, 200, 30));
    EXPECT_EQ(SizeOf(background.get()).cx, 320);  // the other one falls back
}

TEST(SkinButtonFace, SmallTextureCoversTopLeftAndLeavesTheRestBlack) {
    UniqueBitmap texture(FlatTexture(6, 6, RGB(200, 200, 200)));
    COLORREF highlight = 0;
    UniqueBitmap face(BuildButtonFace(texture.get(), 12, 12, 4, 0, highlight));
    ASSERT_TRUE(face);
    EXPECT_EQ(highlight, RGB(255, 255, 255));
    Canvas canvas(face.get());
    EXPECT_EQ(canvas.at(4, 4), RGB(200, 200, 200));  // beyond the bevel, inside the texture
    EXPECT_EQ(canvas.at(4, 1), RGB(100, 100, 100));  // second row from the top: half
    EXPECT_EQ(canvas.at(8, 8), RGB(0, 0, 0));        // outside the texture
    EXPECT_EQ(canvas.at(5, 9), RGB(0, 0, 0));

    UniqueBitmap bare(BuildButtonFace(nullptr, 8, 8, 4, 20, highlight));  // no texture: black, lightened
    ASSERT_TRUE(bare);
    EXPECT_EQ(Canvas(bare.get()).at(4, 4), RGB(51, 51, 51));
    highlight = 0;
    EXPECT_EQ(BuildButtonFace(texture.get(), 0, 10, 4, 0, highlight), nullptr);
    EXPECT_EQ(highlight, RGB(255, 255, 255));
}

// Draws button IDC_EXIT, 64 x 20, in `state` with the light grey texture.
struct DrawnButton {
    UniqueBitmap target{CreateDib24(64, 20)};
    DrawnButton(UINT state, const std::string& text) {
        UniqueBitmap texture(LightGreyTexture());
        Canvas canvas(target.get());
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = IDC_EXIT;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hDC = canvas.dc();
        item.rcItem = {0, 0, 64, 20};
        DrawSkinnedButton(item, texture.get(), text);
    }
    COLORREF at(int x, int y) const { return Canvas(target.get()).at(x, y); }
};

TEST(SkinDrawButton, FlatLightGreyButtonHasWhiteAndGrey127BorderAndPressedIsLighter) {
    const DrawnButton button(0, "");
    struct Pixel {
        int x, y, grey;
    };
    for (const Pixel& p : {Pixel{0, 0, 255}, Pixel{0, 18, 255}, Pixel{40, 0, 255},  // left and top: white
                           Pixel{10, 19, 127}, Pixel{63, 10, 127}, Pixel{63, 19, 127},  // bottom and right
                           Pixel{1, 10, 48}, Pixel{2, 10, 96}, Pixel{62, 10, 96}, Pixel{30, 10, 192}}) {
        EXPECT_EQ(button.at(p.x, p.y), RGB(p.grey, p.grey, p.grey)) << p.x << "," << p.y;
    }
    const DrawnButton pressed(ODS_SELECTED, "");
    EXPECT_EQ(pressed.at(30, 10), RGB(204, 204, 204));
    EXPECT_EQ(pressed.at(1, 10), RGB(89, 89, 89));
    for (int x = 1; x < 63; x += 5) EXPECT_GT(GetRValue(pressed.at(x, 18)), GetRValue(button.at(x, 18))) << x;

    const DrawnButton focused(ODS_FOCUS, "");
    int differing = 0;
    for (int x = 0; x < 64; ++x) differing += button.at(x, 0) != focused.at(x, 0);
    EXPECT_GT(differing, 0) << "no focus rectangle";

    const DrawnButton labelled(0, "WWWW");
    int whiteLeft = 64, whiteRight = -1;
    for (int y = 2; y < 18; ++y) {
        for (int x = 2; x < 62; ++x) {
            if (labelled.at(x, y) != RGB(255, 255, 255)) continue;
            whiteLeft = std::min(whiteLeft, x);
            whiteRight = std::max(whiteRight, x);
        }
    }
    ASSERT_LE(whiteLeft, whiteRight) << "no white text drawn";
    EXPECT_LE(std::abs((whiteLeft + whiteRight) / 2 - 32), 3);  // centred
}

TEST(SkinMainWindow, BackgroundStretchesAndOnlyTheProgramsButtonsAreDrawn) {
    test::TolvikDialog dialog;
    ASSERT_NE(dialog.get(), nullptr);
    const SIZE client = dialog.clientSize();
    UniqueBitmap target(CreateDib24(client.cx, client.cy));
    Canvas canvas(target.get());
    UniqueBitmap halves(FlatTexture(2, 1, RGB(250, 0, 0)));
    SetPixel(Canvas(halves.get()).dc(), 1, 0, RGB(0, 0, 250));
    PaintStretchedBackground(dialog.get(), canvas.dc(), halves.get());
    EXPECT_GT(GetRValue(canvas.at(5, 5)), 200);  // two halves stay two halves over the whole area
    EXPECT_GT(GetBValue(canvas.at(client.cx - 5, client.cy - 5)), 200);
    PaintStretchedBackground(dialog.get(), canvas.dc(), nullptr);  // no texture: no fault

    Program& program = dialog.program();
    program.gdi.buttonTexture.reset(LightGreyTexture());
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.hDC = canvas.dc();
    item.rcItem = {0, 0, 100, 20};
    item.CtlID = IDC_MAP_VIEW;
    EXPECT_EQ(MainWindowDrawItem(dialog.get(), program, &item), FALSE);
    EXPECT_EQ(MainWindowDrawItem(dialog.get(), program, nullptr), FALSE);
    item.CtlID = IDC_KEEP_ON_TOP;
    EXPECT_EQ(MainWindowDrawItem(dialog.get(), program, &item), TRUE);
    EXPECT_EQ(canvas.at(50, 0), RGB(255, 255, 255));  // top border drawn
}

TEST(SkinMainWindow, ControlColoursFollowTheTable) {
    test::TolvikDialog dialog;
    ASSERT_NE(dialog.get(), nullptr);
    Program& program = dialog.program();
    program.gdi.darkBrush.reset(CreateSolidBrush(RGB(55, 55, 55)));
    UniqueBitmap target(CreateDib24(4, 4));
    Canvas canvas(target.get());
    const HBRUSH none = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)), dark = program.gdi.darkBrush.get();
    struct Case {
        UINT message;
        int id;
        int calibrationMode;
        HBRUSH brush;
        COLORREF text, back;
        int mode;
    };
    const COLORREF kept = RGB(4, 5, 6);
    for (const Case& c : {
             // Info fields: light grey on the dark highlight.
             Case{WM_CTLCOLORSTATIC, IDC_LOG_FILE, 0, dark, RGB(188, 188, 188), RGB(55, 55, 55), OPAQUE},
             Case{WM_CTLCOLORSTATIC, IDC_ZONE_FIELD, 0, dark, RGB(188, 188, 188), RGB(55, 55, 55), OPAQUE},
             Case{WM_CTLCOLORSTATIC, IDC_ZONE_LIST, 0, dark, RGB(188, 188, 188), RGB(55, 55, 55), OPAQUE},
             // A calibration panel field: a label while the panel is off, dark while it is on.
             Case{WM_CTLCOLORSTATIC, IDC_PHYS1_X, 0, none, RGB(240, 240, 240), RGB(0, 0, 0), TRANSPARENT},
             Case{WM_CTLCOLORSTATIC, IDC_PHYS1_X, 1, dark, RGB(188, 188, 188), RGB(55, 55, 55), OPAQUE},
             Case{WM_CTLCOLORSTATIC, IDC_VIEWING_LABEL, 0, none, RGB(240, 240, 240), RGB(0, 0, 0), TRANSPARENT},
             Case{WM_CTLCOLOREDIT, IDC_LOG1_X, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                  RGB(240, 240, 240), RGB(0, 0, 0), OPAQUE},
             Case{WM_CTLCOLORBTN, IDC_EXIT, 0, none, RGB(255, 255, 255), RGB(0, 0, 0), TRANSPARENT},
             Case{WM_CTLCOLORLISTBOX, IDC_ZONE_LIST, 0, nullptr, RGB(1, 2, 3), kept, OPAQUE},
         }) {
        program.app.calibrationMode = c.calibrationMode;
        SetTextColor(canvas.dc(), RGB(1, 2, 3));
        SetBkColor(canvas.dc(), kept);
        SetBkMode(canvas.dc(), OPAQUE);
        EXPECT_EQ(MainWindowControlColor(dialog.get(), program, c.message, canvas.dc(), dialog.item(c.id)), c.brush)
            << c.id;
        EXPECT_EQ(GetTextColor(canvas.dc()), c.text) << c.id;
        EXPECT_EQ(GetBkColor(canvas.dc()), c.back) << c.id;
        EXPECT_EQ(GetBkMode(canvas.dc()), c.mode) << c.id;
    }
    // The Map View draws itself.
    EXPECT_EQ(MainWindowControlColor(dialog.get(), program, WM_CTLCOLORSTATIC, canvas.dc(), dialog.item(IDC_MAP_VIEW)),
              none);
}

}  // namespace
}  // namespace tolvik
