// Starts a program on the X server named by DISPLAY and reports, on one line of
// standard output,
//   mapped_ms   from just before the program's process is created to the X
//               server's notice that the program's first top-level window is
//               mapped, i.e. viewable: what "xdotool search --onlyvisible --pid"
//               would find, without the delay of polling for it;
//   cpu_ms      the processor time the program's threads had used by then (from
//               /proc/PID/task/*/schedstat), which waiting for a processor on a
//               busy machine does not inflate;
//   maxrss_kb   the program's peak resident size over its whole life, from the
//               resource usage of the ended child;
//   exit        its exit code (128 + the signal number when a signal ended it);
//   driver      the exit code of the --then command (-1 without one).
//
//   bench-xrun [--then COMMAND] [--timeout SECONDS] -- PROGRAM [ARGUMENTS...]
//
// COMMAND runs through /bin/sh once the window is mapped, with BENCH_WINDOW (the
// window's id) and BENCH_PID in its environment, and answers the program the way a
// user would. Exits with 0 when the program showed a window and ended in time.

#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <ctime>
#include <string>
#include <vector>

#include <dirent.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// How often the wait for an ended process looks again; the wait for the window
// itself sleeps in poll() on the X connection and wakes with the event.
constexpr int kChildPollMs = 5;

struct Options
{
    std::string then;
    double timeoutMs = 60000.0;
    std::vector<char *> program;
};

struct FreeDeleter
{
    void operator()(void *pointer) const { std::free(pointer); }
};

template <typename T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

double nowMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

void sleepMs(int milliseconds)
{
    ::poll(nullptr, 0, milliseconds);
}

bool parseOptions(int argc, char *argv[], Options *options)
{
    int index = 1;
    for (; index < argc; ++index) {
        const std::string argument = argv[index];
        if (argument == "--") {
            ++index;
            break;
        }
        if (index + 1 >= argc)
            return false;
        if (argument == "--then")
            options->then = argv[++index];
        else if (argument == "--timeout")
            options->timeoutMs = std::atof(argv[++index]) * 1e3;
        else
            return false;
    }
    for (; index < argc; ++index)
        options->program.push_back(argv[index]);
    options->program.push_back(nullptr);
    return options->program.size() > 1 && options->timeoutMs > 0.0;
}

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The process a window says it belongs to, or -1.
pid_t windowPid(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t pidAtom)
{
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1);
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4)
        return -1;
    std::uint32_t pid = 0;
    std::memcpy(&pid, xcb_get_property_value(reply.get()), sizeof pid);
    return static_cast<pid_t>(pid);
}

// The processor time, in milliseconds, that the live threads of a process have
// run for; negative when it cannot be read.
double processCpuMs(pid_t process)
{
    const std::string tasks = "/proc/" + std::to_string(process) + "/task";
    DIR *directory = ::opendir(tasks.c_str());
    if (!directory)
        return -1.0;
    double total = 0.0;
    while (const dirent *entry = ::readdir(directory)) {
        if (entry->d_name[0] == '.')
            continue;
        FILE *stat = std::fopen((tasks + "/" + entry->d_name + "/schedstat").c_str(), "r");
        if (!stat)
            continue;
        unsigned long long runNs = 0;
        if (std::fscanf(stat, "%llu", &runNs) == 1)
            total += static_cast<double>(runNs) / 1e6;
        std::fclose(stat);
    }
    ::closedir(directory);
    return total;
}

pid_t spawn(char *const arguments[])
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::execvp(arguments[0], arguments);
        ::_exit(127);
    }
    return child;
}

pid_t spawnDriver(const std::string &command, xcb_window_t window, pid_t program)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("BENCH_WINDOW", std::to_string(window).c_str(), 1);
        ::setenv("BENCH_PID", std::to_string(program).c_str(), 1);
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    return child;
}

int exitCodeOf(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

// Waits up to deadline (on the nowMs() clock) for child to end; kills it after that.
bool reap(pid_t child, double deadline, int *status, rusage *usage)
{
    while (nowMs() < deadline) {
        if (::wait4(child, status, WNOHANG, usage) == child)
            return true;
        sleepMs(kChildPollMs);
    }
    ::kill(child, SIGKILL);
    ::wait4(child, status, 0, usage);
    return false;
}

// Waits for the first map notice of a top-level window of program. Returns the
// time it arrived, or a negative value when the program ended or the time ran out.
double waitForWindow(xcb_connection_t *connection, xcb_atom_t pidAtom, pid_t program, double deadline,
                     xcb_window_t *window, int *status, rusage *usage)
{
    pollfd x{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            const double arrived = nowMs();
            const XcbReply<xcb_generic_event_t> owned(event);
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event);
            if (windowPid(connection, map->window, pidAtom) == program) {
                *window = map->window;
                return arrived;
            }
        }
        if (xcb_connection_has_error(connection) || ::wait4(program, status, WNOHANG, usage) == program)
            return -1.0;
        if (nowMs() >= deadline) {
            ::kill(program, SIGKILL);
            ::wait4(program, status, 0, usage);
            return -1.0;
        }
        ::poll(&x, 1, kChildPollMs);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    Options options;
    if (!parseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "usage: %s [--then COMMAND] [--timeout SECONDS] -- PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }

    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "bench-xrun: cannot connect to the X server\n");
        xcb_disconnect(connection);
        return 2;
    }
    // Every window mapped as a child of the root, i.e. every top-level window,
    // is then announced to us.
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const XcbReply<xcb_generic_error_t> selectError(
        xcb_request_check(connection, xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &mask)));
    const xcb_atom_t pidAtom = internAtom(connection, "_NET_WM_PID");
    if (selectError || pidAtom == XCB_ATOM_NONE) {
        std::fprintf(stderr, "bench-xrun: cannot watch the X server's top-level windows\n");
        xcb_disconnect(connection);
        return 2;
    }

    const double started = nowMs();
    const double deadline = started + options.timeoutMs;
    const pid_t program = spawn(options.program.data());
    if (program < 0) {
        std::fprintf(stderr, "bench-xrun: cannot start %s\n", options.program.front());
        xcb_disconnect(connection);
        return 2;
    }

    int status = 0;
    rusage usage{};
    xcb_window_t window = 0;
    const double mapped = waitForWindow(connection, pidAtom, program, deadline, &window, &status, &usage);
    const double cpuAtMap = mapped < 0.0 ? -1.0 : processCpuMs(program);
    xcb_disconnect(connection);
    if (mapped < 0.0) {
        std::fprintf(stderr, "bench-xrun: %s ended (code %d) or ran out of time before showing a window\n",
                     options.program.front(), exitCodeOf(status));
        return 1;
    }

    const pid_t driver = options.then.empty() ? -1 : spawnDriver(options.then, window, program);
    const bool ended = reap(program, deadline, &status, &usage);
    int driverStatus = 0;
    rusage driverUsage{};
    const bool driverEnded = driver < 0 || reap(driver, nowMs() + 10000.0, &driverStatus, &driverUsage);

    std::printf("mapped_ms=%.2f cpu_ms=%.2f maxrss_kb=%ld exit=%d driver=%d\n", mapped - started, cpuAtMap,
                usage.ru_maxrss, exitCodeOf(status), driver < 0 ? -1 : exitCodeOf(driverStatus));
    if (!ended || !driverEnded) {
        std::fprintf(stderr, "bench-xrun: %s did not end in time\n", options.program.front());
        return 1;
    }
    return 0;
}
