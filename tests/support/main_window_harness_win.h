// The real main window over a temporary program folder, with the system facilities replaced by recorders.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/map_select_win.h"
#include "base/profile_win.h"
#include "base/program_win.h"
#include "base/window_text_win.h"
#include "res/resource.h"
#include "support/pictures_win.h"
#include "support/temp_files.h"

namespace tolvik::test {

struct MessageRecord { std::string text, caption; UINT type = 0; };

struct Recorders {
    std::uint32_t tick = 100000;
    std::vector<MessageRecord> messages;
    std::vector<INT_PTR> endResults;
    int pickCalls = 0;
    bool pickAnswer = false;
    std::string pickPath;  // path the fake chooser answers with
    FileFilter lastFilter = FileFilter::Pictures;  // until a chooser says otherwise
    std::string gameLogFolder;  // what the installation record gives
};

// The context menu's items: "-" for a separator, else "*" if checked, id, text, " (greyed)" if greyed.
std::vector<std::string> MenuItems(const AppState& app);
inline std::string MenuItem(int id, const std::string& text) { return std::to_string(id) + " " + text; }
// Presses or releases `key` in this thread's keyboard state.
void SetKeyDown(int key, bool down);

class MainWindowHarness {
public:
    // `programFolder` ends with a backslash; without `create`, call Create() later.
    explicit MainWindowHarness(const std::string& programFolder, bool create = true);
    ~MainWindowHarness() { Destroy(); }
    MainWindowHarness(const MainWindowHarness&) = delete;
    MainWindowHarness& operator=(const MainWindowHarness&) = delete;

    void Create();
    void Destroy();
    HWND window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    Program& program() { return *program_; }
    AppState& app() { return program_->app; }
    Recorders& rec() { return rec_; }

    void Send(UINT message, WPARAM w = 0, LPARAM l = 0);  // and runs what it posts
    // One timer tick of the main window, the clock advanced by `advanceMs`.
    void Tick(std::uint32_t advanceMs = 100) { rec_.tick += advanceMs, Send(WM_TIMER, IDT_MAIN_TICK); }
    void Poll() { Tick(1100); }  // a tick past the poll interval
    void Command(int id, int code = 0) { Send(WM_COMMAND, MAKEWPARAM(id, code)); }
    std::string Text(int id) const { return WholeWindowText(Item(id)); }
    void PumpMessages();

    std::string Stored(const std::string& section, const std::string& key) const {  // or "<missing>"
        return ReadProfileText(section, key, "<missing>", program_->app.programFolder + "Tolvik.ini");
    }
    void Select(const std::string& zone) { SelectZoneMap(window_, *program_, zone); }  // shows the zone's map
    RECT ViewRect() const {  // the Map View's client rectangle
        RECT view{};
        return GetClientRect(Item(IDC_MAP_VIEW), &view), view;
    }
    Picture Frame(bool references = false); // the Map View as it paints
    POINT ViewOf(float x, float y);         // where a game position is in the view

private:
    Recorders rec_;
    std::unique_ptr<Program> program_;
    HWND window_ = nullptr;
};

}  // namespace tolvik::test
