// tolvik-log: the zone and position tracking of Tolvik in a terminal.
//
//   tolvik-log LOGFILE           read the log once from its start and print
//                                every zone record with its trails
//   tolvik-log --follow LOGFILE  then poll once a second and print "zone" and
//                                "loc" lines as they arrive (Ctrl+C ends)
//   tolvik-log --newest FOLDER   print the newest log of a folder and the
//                                number of candidates
//   --corpses before LOGFILE     also print each death as it is read:
//                                "corpse\tZONE\tX\tY\tZ"
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "log/discovery.h"
#include "log/log_reader.h"
#include "log/log_watch.h"
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "log/log_source_win.h"
#endif

namespace {

volatile std::sig_atomic_t g_stop = 0;

extern "C" void OnStopSignal(int) { g_stop = 1; }

// Lines are gathered and written a few tens of kilobytes at a time, in
// binary mode with the line ends of the system: Windows' C library writes
// text mode output in small pieces, and under Wine every piece costs a call
// to its server.
std::string g_output;
#ifdef _WIN32
constexpr char kLineEnd[] = "\r\n";
#else
constexpr char kLineEnd[] = "\n";
#endif

void FlushOutput() {
    std::fwrite(g_output.data(), 1, g_output.size(), stdout);
    std::fflush(stdout);
    g_output.clear();
}

void PrintLine(const std::string& line) {
    g_output += line;
    g_output += kLineEnd;
    if (g_output.size() >= (std::size_t{1} << 16)) FlushOutput();
}

int Usage() {
    std::fputs("usage: tolvik-log [--corpses] LOGFILE\n"
               "       tolvik-log --follow [--corpses] LOGFILE\n"
               "       tolvik-log --newest FOLDER\n",
               stderr);
    return 2;
}

tolvik::ReadLogOptions LogOptions() {
    tolvik::ReadLogOptions options;
#ifdef _WIN32
    options.open = tolvik::OpenWinLogSource;
#endif
    return options;
}

int ReadAndFollow(const std::string& path, bool follow, bool corpses) {
    const tolvik::ReadLogOptions options = LogOptions();
    tolvik::LogWatch watch;
    watch.reportCorpses = corpses;
    // Of the first read only the deaths are printed; the records follow.
    const auto firstRead = [](const std::string& line) {
        if (line.rfind("corpse\t", 0) == 0) PrintLine(line);
    };
    if (!tolvik::PollLogWatch(watch, path, options, firstRead)) {
        std::fprintf(stderr, "tolvik-log: cannot open the log file \"%s\"\n", path.c_str());
        return 1;
    }
    tolvik::DescribeLogWatch(watch, PrintLine);
    FlushOutput();
    if (!follow) return 0;

    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    using Clock = std::chrono::steady_clock;
    auto nextPoll = Clock::now() + std::chrono::seconds(1);
    while (!g_stop) {
        if (Clock::now() < nextPoll) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            continue;
        }
        // A log that cannot be opened now is tried again at the next poll.
        tolvik::PollLogWatch(watch, path, options, PrintLine);
        FlushOutput();
        nextPoll = Clock::now() + std::chrono::seconds(1);
    }
    return 0;
}

int PrintNewest(std::string folder) {
    if (!tolvik::FolderExists(folder)) {
        std::fprintf(stderr, "tolvik-log: \"%s\" is not a folder\n", folder.c_str());
        return 1;
    }
    if (folder.back() != '/' && folder.back() != '\\') {
#ifdef _WIN32
        folder += '\\';
#else
        folder += '/';
#endif
    }
    std::string newest;
    const int count = tolvik::FindNewestLog(folder, newest);
    PrintLine("newest\t" + newest);
    PrintLine("candidates\t" + std::to_string(count));
    FlushOutput();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    // Larger than what is gathered before a write, so that each goes out whole.
    static char outputBuffer[1 << 17];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    if (argc == 3 && std::strcmp(argv[1], "--newest") == 0) return PrintNewest(argv[2]);
    bool follow = false, corpses = false;
    int arg = 1;
    for (; arg < argc - 1; ++arg) {
        if (std::strcmp(argv[arg], "--follow") == 0 && !follow) {
            follow = true;
        } else if (std::strcmp(argv[arg], "--corpses") == 0 && !corpses) {
            corpses = true;
        } else {
            return Usage();
        }
    }
    if (arg != argc - 1 || argv[arg][0] == '-') return Usage();
    return ReadAndFollow(argv[arg], follow, corpses);
}
