#include "chrome/skin_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "chrome/tolvik_dialog_win.h"
#include "raster/image_win.h"
#include "res/resource.h"

namespace tolvik {
namespace {

using test::TolvikDialog;

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
    return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

HBITMAP FlatTexture(int w, int h, COLORREF color) {
    HBITMAP bitmap = CreateDib24(w, h);
    Canvas canvas(bitmap);
    UniqueBrush brush(CreateSolidBrush(color));
    RECT all = {0, 0, w, h};
    FillRect(canvas.dc(), &all, brush.get());
    return bitmap;
}

// A bottom-up 24-bit BMP file of one colour.
void WriteBmp(const std::string& path, int w, int h, COLORREF color) {
    const int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> bytes(54 + static_cast<std::size_t>(stride * h), 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<std::uint32_t>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            unsigned char* p = &bytes[54 + static_cast<std::size_t>(y * stride + x * 3)];
            p[0] = GetBValue(color);
            p[1] = GetGValue(color);
            p[2] = GetRValue(color);
        }
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "tolvik-skin-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

TEST(SkinTextures, MissingPicturesGiveFlatGreyAndLightGreyFallbacks) {
    AppState app;
    app.texturesFolder = "C:\\no-such-folder-for-tolvik\\";
    UniqueBitmap background;
    UniqueBitmap button;
    LoadSkinTextures(app, background, button);
    ASSERT_TRUE(background);
    ASSERT_TRUE(button);
    EXPECT_EQ(SizeOf(background.get()).cx, 320);
    EXPECT_EQ(SizeOf(background.get()).cy, 320);
    EXPECT_EQ(SizeOf(button.get()).cx, 320);
    {
        Canvas canvas(background.get());
        EXPECT_EQ(canvas.at(0, 0), RGB(128, 128, 128));
        EXPECT_EQ(canvas.at(319, 319), RGB(128, 128, 128));
    }
    Canvas canvas(button.get());
    EXPECT_EQ(canvas.at(160, 7), RGB(192, 192, 192));
    EXPECT_EQ(canvas.at(319, 0), RGB(192, 192, 192));
}

TEST(SkinTextures, PicturesInTheTexturesFolderAreUsed) {
    const std::string folder = TempFolder();
    WriteBmp(folder + "BackgroundButton.jpg", 7, 5, RGB(10, 200, 30));  // decoded by content
    AppState app;
    app.texturesFolder = folder;
    UniqueBitmap background;
    UniqueBitmap button;
    LoadSkinTextures(app, background, button);
    DeleteFileA((folder + "BackgroundButton.jpg").c_str());
    RemoveDirectoryA(folder.c_str());

    ASSERT_TRUE(button);
    EXPECT_EQ(SizeOf(button.get()).cx, 7);
    EXPECT_EQ(SizeOf(button.get()).cy, 5);
    EXPECT_EQ(Canvas(button.get()).at(3, 2), RGB(10, 200, 30));
    EXPECT_EQ(SizeOf(background.get()).cx, 320);  // the other one falls back
}

TEST(SkinButtonFace, SmallTextureCoversTopLeftAndLeavesTheRestBlack) {
    UniqueBitmap texture(FlatTexture(6, 6, RGB(200, 200, 200)));
    COLORREF highlight = 0;
    UniqueBitmap face(BuildButtonFace(texture.get(), 12, 12, 4, 0, highlight));
    ASSERT_TRUE(face);
    EXPECT_EQ(SizeOf(face.get()).cx, 12);
    EXPECT_EQ(highlight, RGB(255, 255, 255));
    Canvas canvas(face.get());
    EXPECT_EQ(canvas.at(4, 4), RGB(200, 200, 200));  // beyond the bevel, inside the texture
    EXPECT_EQ(canvas.at(4, 1), RGB(100, 100, 100));  // second row from the top: half
    EXPECT_EQ(canvas.at(8, 8), RGB(0, 0, 0));        // outside the texture
    EXPECT_EQ(canvas.at(5, 9), RGB(0, 0, 0));
}

TEST(SkinButtonFace, OnePixelTextureAndMissingTextureStillGiveFaces) {
    UniqueBitmap one(FlatTexture(1, 1, RGB(128, 128, 128)));
    COLORREF highlight = 0;
    UniqueBitmap face(BuildButtonFace(one.get(), 30, 10, 4, 20, highlight));
    ASSERT_TRUE(face);
    EXPECT_EQ(highlight, RGB(255, 255, 255));
    EXPECT_EQ(Canvas(face.get()).at(15, 5), RGB(51, 51, 51));  // black, lightened by a fifth

    UniqueBitmap bare(BuildButtonFace(nullptr, 8, 8, 4, 0, highlight));
    ASSERT_TRUE(bare);
    EXPECT_EQ(highlight, RGB(255, 255, 255));
    EXPECT_EQ(Canvas(bare.get()).at(4, 4), RGB(0, 0, 0));

    highlight = 0;
    EXPECT_EQ(BuildButtonFace(one.get(), 0, 10, 4, 0, highlight), nullptr);
    EXPECT_EQ(highlight, RGB(255, 255, 255));
}

struct DrawnButton {
    UniqueBitmap target;
    explicit DrawnButton(UINT state, const std::string& text, HBITMAP texture, int w = 64, int h = 20)
        : target(CreateDib24(w, h)) {
        Canvas canvas(target.get());
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = IDC_EXIT;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hDC = canvas.dc();
        item.rcItem = {0, 0, w, h};
        DrawSkinnedButton(item, texture, text);
    }
    COLORREF at(int x, int y) const { return Canvas(target.get()).at(x, y); }
};

TEST(SkinDrawButton, FlatLightGreyButtonHasWhiteAndGrey127Border) {
    UniqueBitmap texture(CreateFilledTexture(static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))));
    const DrawnButton button(0, "", texture.get());
    EXPECT_EQ(button.at(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(button.at(0, 18), RGB(255, 255, 255));   // left edge
    EXPECT_EQ(button.at(40, 0), RGB(255, 255, 255));   // top edge
    EXPECT_EQ(button.at(10, 19), RGB(127, 127, 127));  // bottom edge
    EXPECT_EQ(button.at(63, 10), RGB(127, 127, 127));  // right edge
    EXPECT_EQ(button.at(63, 19), RGB(127, 127, 127));
    // Inside the border the bevel fades in.
    EXPECT_EQ(button.at(1, 10), RGB(48, 48, 48));
    EXPECT_EQ(button.at(2, 10), RGB(96, 96, 96));
    EXPECT_EQ(button.at(62, 10), RGB(96, 96, 96));
    EXPECT_EQ(button.at(30, 10), RGB(192, 192, 192));
}

TEST(SkinDrawButton, PressedButtonIsLighterAndTextIsWhiteAndCentred) {
    UniqueBitmap texture(CreateFilledTexture(static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))));
    const DrawnButton released(0, "", texture.get());
    const DrawnButton pressed(ODS_SELECTED, "", texture.get());
    EXPECT_EQ(pressed.at(30, 10), RGB(204, 204, 204));
    EXPECT_EQ(pressed.at(1, 10), RGB(89, 89, 89));
    for (int x = 1; x < 63; x += 5) EXPECT_GT(GetRValue(pressed.at(x, 18)), GetRValue(released.at(x, 18))) << x;

    const DrawnButton labelled(0, "WWWW", texture.get());
    int whiteLeft = 64;
    int whiteRight = -1;
    for (int y = 2; y < 18; ++y) {
        for (int x = 2; x < 62; ++x) {
            if (labelled.at(x, y) == RGB(255, 255, 255)) {
                whiteLeft = std::min(whiteLeft, x);
                whiteRight = std::max(whiteRight, x);
            }
        }
    }
    ASSERT_LE(whiteLeft, whiteRight) << "no white text drawn";
    EXPECT_LE(std::abs((whiteLeft + whiteRight) / 2 - 32), 3);  // centred
}

TEST(SkinDrawButton, FocusRectangleIsDrawnOnlyWithFocus) {
    UniqueBitmap texture(CreateFilledTexture(static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))));
    const DrawnButton plain(0, "", texture.get());
    const DrawnButton focused(ODS_FOCUS, "", texture.get());
    int differing = 0;
    for (int x = 0; x < 64; ++x) differing += plain.at(x, 0) != focused.at(x, 0);
    EXPECT_GT(differing, 0);
}

TEST(SkinDrawButton, EmptyButtonDrawsNothing) {
    UniqueBitmap texture(CreateFilledTexture(static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))));
    UniqueBitmap target(CreateDib24(4, 4));
    Canvas canvas(target.get());
    DRAWITEMSTRUCT item = {};
    item.hDC = canvas.dc();
    item.rcItem = {0, 0, 0, 4};
    DrawSkinnedButton(item, texture.get(), "x");
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 0, 0));
}

class SkinMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog.get(), nullptr);
        program().gdi.darkBrush.reset(CreateSolidBrush(RGB(55, 55, 55)));
    }
    Program& program() { return dialog.program(); }
    TolvikDialog dialog;
};

TEST_F(SkinMainWindow, BackgroundIsStretchedOverTheWholeClientArea) {
    const SIZE client = dialog.clientSize();
    UniqueBitmap target(CreateDib24(client.cx, client.cy));
    Canvas canvas(target.get());
    UniqueBitmap one(FlatTexture(1, 1, RGB(90, 60, 30)));
    PaintStretchedBackground(dialog.get(), canvas.dc(), one.get());
    EXPECT_EQ(canvas.at(0, 0), RGB(90, 60, 30));
    EXPECT_EQ(canvas.at(client.cx - 1, client.cy - 1), RGB(90, 60, 30));
    EXPECT_EQ(canvas.at(client.cx / 2, client.cy / 3), RGB(90, 60, 30));

    // Two halves stay two halves, whatever the scale.
    UniqueBitmap halves(FlatTexture(2, 1, RGB(250, 0, 0)));
    {
        Canvas right(halves.get());
        SetPixel(right.dc(), 1, 0, RGB(0, 0, 250));
    }
    PaintStretchedBackground(dialog.get(), canvas.dc(), halves.get());
    EXPECT_GT(GetRValue(canvas.at(5, 5)), 200);
    EXPECT_GT(GetBValue(canvas.at(client.cx - 5, client.cy - 5)), 200);

    PaintStretchedBackground(dialog.get(), canvas.dc(), nullptr);  // no texture: nothing painted, no fault
}

TEST_F(SkinMainWindow, DrawItemAnswersOnlyTheProgramsButtons) {
    program().gdi.buttonTexture.reset(CreateFilledTexture(static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH))));
    UniqueBitmap target(CreateDib24(100, 20));
    Canvas canvas(target.get());
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.hDC = canvas.dc();
    item.rcItem = {0, 0, 100, 20};

    item.CtlID = IDC_MAP_VIEW;
    EXPECT_EQ(MainWindowDrawItem(dialog.get(), program(), &item), FALSE);
    EXPECT_EQ(canvas.at(50, 10), RGB(0, 0, 0));
    EXPECT_EQ(MainWindowDrawItem(dialog.get(), program(), nullptr), FALSE);

    // The toggle's text follows the flag.
    item.CtlID = IDC_KEEP_ON_TOP;
    EXPECT_EQ(MainWindowDrawItem(dialog.get(), program(), &item), TRUE);
    EXPECT_EQ(canvas.at(50, 0), RGB(255, 255, 255));  // top border drawn
    std::vector<COLORREF> keep;
    for (int x = 0; x < 100; ++x) keep.push_back(canvas.at(x, 10));
    program().app.OnTop = 1;
    MainWindowDrawItem(dialog.get(), program(), &item);
    int differing = 0;
    for (int x = 0; x < 100; ++x) differing += keep[static_cast<std::size_t>(x)] != canvas.at(x, 10);
    EXPECT_GT(differing, 0);
}

TEST_F(SkinMainWindow, ControlColoursFollowTheTable) {
    UniqueBitmap target(CreateDib24(4, 4));
    Canvas canvas(target.get());
    const HDC dc = canvas.dc();
    const auto nullBrush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    auto reset = [&] {
        SetTextColor(dc, RGB(1, 2, 3));
        SetBkColor(dc, RGB(4, 5, 6));
        SetBkMode(dc, OPAQUE);
    };

    // Info fields: light grey on the dark highlight.
    for (int id : {IDC_LOG_FILE, IDC_POS_X, IDC_ZONE_FIELD, IDC_ZONE_LIST}) {
        reset();
        EXPECT_EQ(MainWindowControlColor(dialog.get(), program(), WM_CTLCOLORSTATIC, dc, dialog.item(id)),
                  program().gdi.darkBrush.get()) << id;
        EXPECT_EQ(GetTextColor(dc), RGB(188, 188, 188));
        EXPECT_EQ(GetBkColor(dc), RGB(55, 55, 55));
        EXPECT_EQ(GetBkMode(dc), OPAQUE);
    }

    // A calibration panel field: like a label while the panel is off, dark while it is on.
    reset();
    EXPECT_EQ(MainWindowControlColor(dialog.get(), program(), WM_CTLCOLORSTATIC, dc, dialog.item(IDC_PHYS1_X)),
              nullBrush);
    EXPECT_EQ(GetTextColor(dc), RGB(240, 240, 240));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    program().app.calibrationMode = 1;
    reset();
    EXPECT_EQ(MainWindowControlColor(dialog.get(), program(), WM_CTLCOLORSTATIC, dc, dialog.item(IDC_PHYS1_X)),
              program().gdi.darkBrush.get());
    EXPECT_EQ(GetTextColor(dc), RGB(188, 188, 188));

    // Labels: light text, transparent, null brush.
    reset();
    EXPECT_EQ(MainWindowControlColor(dialog.get(), program(), WM_CTLCOLORSTATIC, dc, dialog.item(IDC_VIEWING_LABEL)),
              nullBrush);
    EXPECT_EQ(GetTextColor(dc), RGB(240, 240, 240));
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);

    // The Map View draws itself.
    EXPECT_EQ(MainWindowControlColor(dialog.get(), program(), WM_CTLCOLORSTATIC, dc, dialog.item(IDC_MAP_VIEW)),
              nullBrush);

    // Editable fields.
    reset();
    EXPECT_EQ(MainWindowControlColor(dialog.get(), program(), WM_CTLCOLOREDIT, dc, dialog.item(IDC_LOG1_X)),
              static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetTextColor(dc), RGB(240, 240, 240));
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);

    // Buttons.
    reset();
    EXPECT_EQ(MainWindowControlColor(dialog.get(), program(), WM_CTLCOLORBTN, dc, dialog.item(IDC_EXIT)), nullBrush);
    EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);

    EXPECT_EQ(MainWindowControlColor(dialog.get(), program(), WM_CTLCOLORLISTBOX, dc, dialog.item(IDC_ZONE_LIST)),
              nullptr);
}

}  // namespace
}  // namespace tolvik
