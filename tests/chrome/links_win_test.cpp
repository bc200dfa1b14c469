#include "chrome/links_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "chrome/links.h"
#include "chrome/tolvik_dialog_win.h"
#include "res/resource.h"

namespace tolvik {
namespace {

using test::TolvikDialog;

TEST(ChromeLinksWindow, AddressesAreBuiltFromTheViewingList) {
    TolvikDialog dialog;
    ASSERT_NE(dialog.get(), nullptr);
    const HWND list = dialog.item(IDC_ZONE_LIST);
    EXPECT_EQ(ViewedZoneText(dialog.get()), "");
    EXPECT_EQ(ItemDatabaseSearchAddress(ViewedZoneText(dialog.get())),
              "http://everquest.allakhazam.com/db/searchdb.html?iname=#Zones");

    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("East Freeport"));
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Cazic-Thule (Fear)"));
    SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("East Freeport"));
    EXPECT_EQ(ViewedZoneText(dialog.get()), "East Freeport");
    EXPECT_EQ(ItemDatabaseSearchAddress(ViewedZoneText(dialog.get())),
              "http://everquest.allakhazam.com/db/searchdb.html?iname=East+Freeport#Zones");
    EXPECT_EQ(WikiSearchAddress(ViewedZoneText(dialog.get())),
              "http://wiki.project1999.com/index.php?search=East Freeport");

    const std::string longName(300, 'z');
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longName.c_str()));
    SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(longName.c_str()));
    EXPECT_EQ(WikiSearchAddress(ViewedZoneText(dialog.get())),
              "http://wiki.project1999.com/index.php?search=" + std::string(258, 'z'));
}

TEST(ChromeLinksWindow, FolderBrowserWithoutRootReportsNothingChosen) {
    std::string path = "C:\\kept\\";
    EXPECT_FALSE(PickFolder(nullptr, 0x7FFF, path, "Enter new map directory"));
    EXPECT_EQ(path, "C:\\kept\\");
}

// Cancels the first dialog window of this process that appears.
class ChooserCanceller {
public:
    ChooserCanceller()
        : thread_([this] {
              const DWORD until = GetTickCount() + 8000;
              while (!stop_ && GetTickCount() < until) {
                  EnumWindows(
                      [](HWND window, LPARAM self) -> BOOL {
                          DWORD process = 0;
                          GetWindowThreadProcessId(window, &process);
                          char kind[16] = {};
                          GetClassNameA(window, kind, sizeof kind);
                          if (process == GetCurrentProcessId() && std::string(kind) == "#32770" &&
                              IsWindowVisible(window)) {
                              auto* canceller = reinterpret_cast<ChooserCanceller*>(self);
                              char title[64] = {};
                              GetWindowTextA(window, title, sizeof title);
                              canceller->title_ = title;
                              PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                              canceller->cancelled_ = true;
                              return FALSE;
                          }
                          return TRUE;
                      },
                      reinterpret_cast<LPARAM>(this));
                  if (cancelled_) break;
                  Sleep(50);
              }
          }) {}
    ~ChooserCanceller() {
        stop_ = true;
        thread_.join();
    }
    bool cancelled() const { return cancelled_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> cancelled_{false};
    std::string title_;
    std::thread thread_;
};

TEST(ChromeLinksWindow, CancelledFileChooserStartsInTheWindowsFolderAndChangesNothing) {
    std::string startFolder;
    std::string path = "C:\\logs\\eqlog_Someone_P1999Green.txt";
    bool chosen = true;
    bool cancelled = false;
    {
        ChooserCanceller canceller;
        chosen = PickFileToOpen(nullptr, startFolder, path, FileFilter::LogFiles);
        cancelled = canceller.cancelled();
    }
    ASSERT_TRUE(cancelled) << "no chooser appeared";
    EXPECT_FALSE(chosen);
    EXPECT_EQ(path, "C:\\logs\\eqlog_Someone_P1999Green.txt");
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(startFolder, windows);

    // A start folder once set is kept.
    startFolder = "C:\\users\\";
    {
        ChooserCanceller canceller;
        PickFileToOpen(nullptr, startFolder, path, FileFilter::Pictures);
    }
    EXPECT_EQ(startFolder, "C:\\users\\");
}

TEST(ChromeSeams, ProgramIsFoundThroughItsWindow) {
    TolvikDialog dialog;
    ASSERT_NE(dialog.get(), nullptr);
    EXPECT_EQ(&ProgramOf(dialog.get()), &dialog.program());
    Program other;
    AttachProgram(dialog.get(), &other);
    EXPECT_EQ(&ProgramOf(dialog.get()), &other);
    AttachProgram(dialog.get(), &dialog.program());

    const Seams seams = SystemSeams();
    ASSERT_TRUE(seams.tickCount && seams.pickFileToOpen && seams.gameLogFolder && seams.messageBox);
    const std::uint32_t before = seams.tickCount();
    Sleep(20);
    EXPECT_GE(seams.tickCount() - before, 10u);
}

}  // namespace
}  // namespace tolvik
