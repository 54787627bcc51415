// Measures how soon a program's main window shows and how much memory it
// holds then: starts the game and the floor (a bare Qt main window)
// alternately on the X server of DISPLAY, each in a fresh folder, and times
// exec to the main window's MapNotify on the root window. Prints the medians
// and their ratios. Run it through bench/startup/run, which gives it an X server.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int DefaultRuns = 9;
constexpr auto MapBound = std::chrono::seconds(20);
// Memory is read as the window shows, and again once what comes after the
// first picture (the game's sound library and music) has come.
constexpr auto SettleTime = std::chrono::milliseconds(1000);

struct Run {
    double ms = 0;
    double rssMb = 0, settledMb = 0;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double resident_mb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

// A working folder holding the sound files, as a player's folder does.
fs::path player_folder(const fs::path& sounds) {
    char pattern[] = "/tmp/zenko-startup-XXXXXX";
    const fs::path folder = ::mkdtemp(pattern);
    for (const auto& entry : fs::directory_iterator(sounds))
        if (entry.path().extension() == ".wav") fs::copy_file(entry.path(), folder / entry.path().filename());
    fs::permissions(folder, fs::perms::owner_all);  // also the runtime folder Qt asks for
    return folder;
}

// Waits for a top-level window to be mapped on the root (menus and tooltips
// are override-redirect and do not count).
bool await_map(xcb_connection_t* x, Clock::time_point deadline) {
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                                !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
            std::free(event);
            if (mapped) return true;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
}

// Each program starts in the same folder every time, as on a player's
// second and later starts (the first start also writes the settings file).
Run run_once(xcb_connection_t* x, const std::string& program, const fs::path& folder) {
    const auto start = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(folder.c_str()) != 0) _exit(127);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    Run run;
    if (await_map(x, start + MapBound)) {
        run.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        run.rssMb = resident_mb(pid);
        std::this_thread::sleep_for(SettleTime);
        run.settledMb = resident_mb(pid);
    }
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    return run;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s GAME FLOOR SOUND-FOLDER [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 4 ? std::atoi(argv[4]) : DefaultRuns;
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X server (DISPLAY)\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    std::vector<double> gameMs, floorMs, gameMb, floorMb, gameSettledMb, floorSettledMb;
    const fs::path gameFolder = player_folder(argv[3]), floorFolder = player_folder(argv[3]);
    run_once(x, argv[1], gameFolder);  // warms the caches of both
    run_once(x, argv[2], floorFolder);
    for (int i = 0; i < runs; ++i) {
        const Run game = run_once(x, argv[1], gameFolder);
        const Run floor = run_once(x, argv[2], floorFolder);
        if (game.ms == 0 || floor.ms == 0) {
            std::fprintf(stderr, "a window did not show within %lld s\n",
                         static_cast<long long>(MapBound.count()));
            return 1;
        }
        gameMs.push_back(game.ms), floorMs.push_back(floor.ms);
        gameMb.push_back(game.rssMb), floorMb.push_back(floor.rssMb);
        gameSettledMb.push_back(game.settledMb), floorSettledMb.push_back(floor.settledMb);
    }
    fs::remove_all(gameFolder);
    fs::remove_all(floorFolder);
    const double gMs = median(gameMs), fMs = median(floorMs), gMb = median(gameMb), fMb = median(floorMb);
    const double gSettled = median(gameSettledMb), fSettled = median(floorSettledMb);
    std::printf("window shown      game %6.1f ms  floor %6.1f ms  ratio %.2f\n", gMs, fMs, gMs / fMs);
    std::printf("resident shown    game %6.1f MB  floor %6.1f MB  difference %+.1f MB\n", gMb, fMb,
                gMb - fMb);
    std::printf("resident 1 s on   game %6.1f MB  floor %6.1f MB  difference %+.1f MB\n", gSettled, fSettled,
                gSettled - fSettled);
    xcb_disconnect(x);
    return 0;
}
