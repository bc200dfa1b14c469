#include "chrome/links_win.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <atomic>
#include <string>
#include <thread>

#include "chrome/links.h"
#include "chrome/tolvik_dialog_win.h"
#include "res/resource.h"

namespace tolvik {
namespace {

TEST(ChromeLinksWindow, AddressesAreBuiltFromTheViewingList) {
    test::TolvikDialog dialog;
    ASSERT_NE(dialog.get(), nullptr);
    const HWND list = dialog.item(IDC_ZONE_LIST);
    EXPECT_EQ(ViewedZoneText(dialog.get()), "");
    const std::string longName(300, 'z');
    for (const char* name : {"East Freeport", "Cazic-Thule (Fear)", longName.c_str()})
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("East Freeport"));
    EXPECT_EQ(ItemDatabaseSearchAddress(ViewedZoneText(dialog.get())),
              "http://everquest.allakhazam.com/db/searchdb.html?iname=East+Freeport#Zones");
    EXPECT_EQ(WikiSearchAddress(ViewedZoneText(dialog.get())),
              "http://wiki.project1999.com/index.php?search=East Freeport");
    SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(longName.c_str()));
    EXPECT_EQ(WikiSearchAddress(ViewedZoneText(dialog.get())),
              "http://wiki.project1999.com/index.php?search=" + std::string(258, 'z'));
}

TEST(ChromeLinksWindow, FolderBrowserWithoutRootReportsNothingChosen) {
    std::string path = "C:\\kept\\";
    EXPECT_FALSE(PickFolder(nullptr, 0x7FFF, path, "Enter new map directory"));
    EXPECT_EQ(path, "C:\\kept\\");
}

TEST(ChromeLinksWindow, CancelledFileChooserStartsInTheWindowsFolderAndChangesNothing) {
    // A helper thread cancels the first dialog window of this process that appears.
    std::atomic<bool> cancelled{false};
    auto canceller = [&cancelled] {
        for (const DWORD until = GetTickCount() + 8000; !cancelled && GetTickCount() < until; Sleep(50)) {
            EnumWindows(
                [](HWND window, LPARAM flag) -> BOOL {
                    DWORD process = 0;
                    GetWindowThreadProcessId(window, &process);
                    char kind[16] = {};
                    GetClassNameA(window, kind, sizeof kind);
                    if (process != GetCurrentProcessId() || std::string(kind) != "#32770" || !IsWindowVisible(window))
                        return TRUE;
                    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                    *reinterpret_cast<std::atomic<bool>*>(flag) = true;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&cancelled));
        }
    };
    std::string startFolder;
    std::string path = "C:\\logs\\eqlog_Someone_P1999Green.txt";
    std::thread thread(canceller);
    const bool chosen = PickFileToOpen(nullptr, startFolder, path, FileFilter::LogFiles);
    thread.join();
    ASSERT_TRUE(cancelled) << "no chooser appeared";
    EXPECT_FALSE(chosen);
    EXPECT_EQ(path, "C:\\logs\\eqlog_Someone_P1999Green.txt");
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(startFolder, windows);

    startFolder = "C:\\users\\";  // a start folder once set is kept
    cancelled = false;
    thread = std::thread(canceller);
    PickFileToOpen(nullptr, startFolder, path, FileFilter::Pictures);
    thread.join();
    EXPECT_EQ(startFolder, "C:\\users\\");
}

}  // namespace
}  // namespace tolvik
