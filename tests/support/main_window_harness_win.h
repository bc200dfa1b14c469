// Test harness: the real main window, made from its template with its real
// procedure, shown modelessly over a temporary program folder, with the
// system facilities replaced by recorders.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/program_win.h"
#include "support/temp_files.h"

namespace tolvik::test {

struct MessageRecord {
    std::string text;
    std::string caption;
    UINT type = 0;
};

struct Recorders {
    std::uint32_t tick = 100000;
    std::vector<MessageRecord> messages;
    std::vector<INT_PTR> endResults;
    int pickCalls = 0;
    bool pickAnswer = false;
    std::string pickPath;      // path the fake chooser answers with
    FileFilter lastFilter = FileFilter::LogFiles;
    std::string gameLogFolder;  // what the installation record gives
};

// The Program with recording seams; `rec` must outlive it.
std::unique_ptr<Program> MakeTestProgram(const std::string& programFolder, Recorders& rec);

class MainWindowHarness {
public:
    // `programFolder` ends with a backslash; the window is created at once
    // unless `create` is false (then call Create()).
    explicit MainWindowHarness(const std::string& programFolder, bool create = true);
    ~MainWindowHarness();
    MainWindowHarness(const MainWindowHarness&) = delete;
    MainWindowHarness& operator=(const MainWindowHarness&) = delete;

    void Create();
    void Destroy();
    HWND window() const { return window_; }
    Program& program() { return *program_; }
    AppState& app() { return program_->app; }
    Recorders& rec() { return rec_; }

    // Runs the timer procedure as one 100 ms tick would, advancing the clock.
    void Tick(std::uint32_t advanceMs = 100);
    // Advances the clock past the poll interval and ticks once.
    void Poll();
    void Command(int id, int code = 0);
    std::string Text(int id) const;
    void PumpMessages();

private:
    Recorders rec_;
    std::unique_ptr<Program> program_;
    HWND window_ = nullptr;
};

}  // namespace tolvik::test
