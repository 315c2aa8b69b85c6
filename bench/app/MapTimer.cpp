// Times any X11 program from the outside, as bench/app/startup.sh needs for a peer game whose
// code we cannot touch: the milliseconds from its launch to its first mapped top-level window,
// and its peak resident memory one second after that (or when it exits, if sooner).
//   quorvel_map_timer LABEL COMMAND [ARGUMENTS...]
// prints one line "LABEL MS KB" as the start-up probes do, or a reason on stderr (status 1).
#include <xcb/xcb.h>

#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double MapTimeoutMs = 10000;
constexpr double PeakAfterMapMs = 1000;
constexpr useconds_t PollUs = 10000;

double nowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// VmHWM of a running process in kB; 0 once it has gone.
long peakResidentKb(pid_t pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    std::FILE* status = std::fopen(path.c_str(), "r");
    if (!status)
        return 0;
    char line[256];
    long kb = 0;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kb = std::strtol(line + 6, nullptr, 10);
    std::fclose(status);
    return kb;
}

bool hasExited(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

// Every window mapped as a child of the root: a program's own top-level window, or the frame a
// window manager maps around it. Menus and tooltips (override-redirect) do not count.
bool isTopLevelMap(const xcb_generic_event_t* event) {
    if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
        return false;
    const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
    return !map->override_redirect;
}

// Polls rather than blocks, so that a program that never maps a window cannot hang the run.
double waitForFirstMap(xcb_connection_t* x, pid_t child, double launched) {
    while (nowMs() - launched < MapTimeoutMs) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool mapped = isTopLevelMap(event);
            std::free(event);
            if (mapped)
                return nowMs() - launched;
        }
        if (xcb_connection_has_error(x) || hasExited(child))
            return -1;
        usleep(PollUs / 10);
    }
    return -1;
}

// VmHWM only grows, so its last reading before the deadline (or the exit) is the peak.
long peakAfterMap(pid_t child) {
    const double until = nowMs() + PeakAfterMapMs;
    long peak = 0;
    while (nowMs() < until) {
        const long kb = peakResidentKb(child);
        if (kb == 0)
            break;
        peak = kb;
        usleep(PollUs);
    }
    return peak;
}

void stop(pid_t child) {
    if (hasExited(child))
        return;
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: quorvel_map_timer LABEL COMMAND [ARGUMENTS...]\n", stderr);
        return 2;
    }
    int screenNumber = 0;
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> x(
        xcb_connect(nullptr, &screenNumber), &xcb_disconnect);
    if (xcb_connection_has_error(x.get())) {
        std::fputs("quorvel_map_timer: no X display\n", stderr);
        return 1;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x.get()));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&screens);
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.get(), screens.data->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x.get());

    const double launched = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        // The program's own output is not the measurement: only this line goes to stdout.
        if (const int null = open("/dev/null", O_WRONLY); null >= 0)
            dup2(null, STDOUT_FILENO);
        execvp(argv[2], argv + 2);
        std::perror("quorvel_map_timer: exec");
        _exit(127);
    }
    const double mappedMs = waitForFirstMap(x.get(), child, launched);
    if (mappedMs < 0) {
        std::fprintf(stderr, "quorvel_map_timer: %s mapped no window\n", argv[2]);
        stop(child);
        return 1;
    }
    const long peakKb = peakAfterMap(child);
    stop(child);
    std::printf("%s %.1f %ld\n", argv[1], mappedMs, peakKb);
    return 0;
}
