// The pictures built into the program: the shipped files themselves, shown
// by a program folder that has none of them, and replaced by files that are
// there.
#include "base/shipped_art_win.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "base/image_win.h"
#include "support/pictures_win.h"
#include "support/main_window_harness_win.h"

namespace tolvik {
namespace {

std::string DataFile(const std::string& relative) { return std::string(TOLVIK_DATA_DIR) + "\\" + relative; }

test::Picture PixelsOfFile(const std::string& path) {
    UniqueBitmap bitmap(LoadImageBitmap(path));
    return test::ReadPixels(bitmap.get());
}

TEST(ShippedArt, BuiltInPicturesAreTheShippedFiles) {
    for (const auto& [name, folder] : {std::pair{"BackgroundDialog.jpg", "Textures"}, {"BackgroundButton.jpg", "Textures"},
                                       {"BackgroundMap.jpg", "Textures"}, {"MissingMap.jpg", "Zones"}}) {
        const std::string shipped = test::ReadFile(DataFile(std::string(folder) + "\\" + name));
        ASSERT_FALSE(shipped.empty()) << name;
        EXPECT_TRUE(BuiltInPictureBytes(name) == shipped) << name;
    }
    EXPECT_TRUE(BuiltInPictureBytes("Greater Faydark.jpg").empty());
    EXPECT_TRUE(BuiltInPictureBytes("MissingMap").empty());
}

TEST(ShippedArt, AnEmptyProgramFolderShowsTheBuiltInLookAndFilesThereWin) {
    test::TempFolder folder{"alone"};
    {
        test::MainWindowHarness h(folder.path());
        const WinResources& gdi = h.program().gdi;
        EXPECT_EQ(test::ReadPixels(gdi.dialogTexture.get()).argb,
                  PixelsOfFile(DataFile("Textures\\BackgroundDialog.jpg")).argb);
        EXPECT_EQ(test::ReadPixels(gdi.buttonTexture.get()).argb,
                  PixelsOfFile(DataFile("Textures\\BackgroundButton.jpg")).argb);
        // The getting-started picture on the built-in backdrop (not black).
        const test::Picture standBy = PixelsOfFile(DataFile("Zones\\MissingMap.jpg"));
        EXPECT_EQ(h.app().map.imageWidth, standBy.width);
        EXPECT_EQ(h.app().map.imageHeight, standBy.height);
        test::Picture map = test::ReadPixels(gdi.mapBitmap.get());
        ASSERT_GT(map.width, 0);
        int lit = 0;
        for (int x = 0; x < h.app().map.imageOffsetX; ++x) lit += map.at(x, 0) != 0 ? 1 : 0;
        EXPECT_GT(lit, h.app().map.imageOffsetX / 2);
    }
    test::MakeFolder(folder / "Textures");
    test::MakeFolder(folder / "Zones");
    ASSERT_TRUE(test::WritePicture(folder / "Textures\\BackgroundDialog.jpg", test::SolidPicture(8, 8, 0xFF336699u)));
    ASSERT_TRUE(test::WritePicture(folder / "Zones\\MissingMap.jpg", test::SolidPicture(100, 50, 0xFF000040u)));
    test::MainWindowHarness h(folder.path());
    EXPECT_EQ(test::ReadPixels(h.program().gdi.dialogTexture.get()).argb,
              test::SolidPicture(8, 8, 0x336699u).argb);
    EXPECT_EQ(h.app().map.imageWidth, 100);
    // The button texture has no file: still the built-in one.
    EXPECT_EQ(test::ReadPixels(h.program().gdi.buttonTexture.get()).argb,
              PixelsOfFile(DataFile("Textures\\BackgroundButton.jpg")).argb);
}

}  // namespace
}  // namespace tolvik
