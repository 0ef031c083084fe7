// Start-up cost as whole processes: the program's own start-up path to its painted main
// window and out, against a process that shows one bare QWidget. Each child is started
// afresh; wall time runs from the spawn to the reaped exit, peak memory is the child's
// maximum resident set. Medians of interleaved repetitions after one warm-up round.
//
// The driver builds no Qt objects, so that its own small resident set (which a spawned
// child's peak figure starts from) stays below both children's.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "bench/median.h"

extern char **environ;

namespace {

constexpr int Repetitions = 11;
constexpr unsigned TimeoutSeconds = 30;

struct Child
{
    const char *title;
    std::string path;
    std::vector<double> wallMs, peakMiB, cpuMs;
    int failures = 0;
};

volatile pid_t g_running = 0;

void killStuckChild(int)
{
    if (g_running > 0)
        kill(g_running, SIGKILL);
}

double seconds(const timeval &t)
{
    return t.tv_sec + t.tv_usec / 1e6;
}

std::string ownFolder()
{
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return ".";
    const std::string exe(buffer, size_t(n));
    return exe.substr(0, exe.rfind('/'));
}

double ownPeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Runs the child once; output goes to /dev/null so the terminal costs nothing.
bool runOnce(Child &child, bool record)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char *argv[] = {const_cast<char *>(child.path.c_str()), nullptr};

    timespec start{}, end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", argv[0], std::strerror(spawned));
        return false;
    }
    g_running = pid;
    alarm(TimeoutSeconds);
    int status = 0;
    rusage usage{};
    pid_t reaped;
    do {
        reaped = wait4(pid, &status, 0, &usage);
    } while (reaped < 0 && errno == EINTR);
    clock_gettime(CLOCK_MONOTONIC, &end);
    alarm(0);
    g_running = 0;

    const bool ok = reaped == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!ok) {
        ++child.failures;
        if (WIFSIGNALED(status))
            std::fprintf(stderr, "%s: ended by signal %d\n", child.title, WTERMSIG(status));
        else
            std::fprintf(stderr, "%s: exit code %d\n", child.title, WEXITSTATUS(status));
    }
    if (record) {
        child.wallMs.push_back((end.tv_sec - start.tv_sec) * 1e3 +
                               (end.tv_nsec - start.tv_nsec) / 1e6);
        child.peakMiB.push_back(usage.ru_maxrss / 1024.0); // KiB on Linux
        child.cpuMs.push_back((seconds(usage.ru_utime) + seconds(usage.ru_stime)) * 1e3);
    }
    return true;
}

} // namespace

int main()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    struct sigaction onAlarm = {};
    onAlarm.sa_handler = killStuckChild;
    sigaction(SIGALRM, &onAlarm, nullptr);

    const std::string folder = ownFolder();
    Child children[] = {{"bare QWidget process", folder + "/startup_bare", {}, {}, {}, 0},
                        {"Kestrane start-up", folder + "/startup_program", {}, {}, {}, 0}};
    const double driverPeak = ownPeakMiB();

    for (int rep = 0; rep <= Repetitions; ++rep) {
        for (int k = 0; k < 2; ++k) {
            // Each child goes first every other round.
            if (!runOnce(children[(k + rep) % 2], rep > 0))
                return 1;
        }
    }

    const Child &bare = children[0];
    const Child &program = children[1];
    std::printf("whole processes, %s, median of %d interleaved runs:\n",
                std::getenv("QT_QPA_PLATFORM"), Repetitions);
    for (const Child &child : children) {
        std::printf("  %-22s wall %7.1f ms   peak %6.1f MiB   cpu %7.1f ms%s\n", child.title,
                    median(child.wallMs), median(child.peakMiB), median(child.cpuMs),
                    child.failures ? "   (some runs failed, see above)" : "");
    }
    std::printf("  program over bare      wall %6.2fx      peak %6.2fx\n",
                median(program.wallMs) / median(bare.wallMs),
                median(program.peakMiB) / median(bare.peakMiB));
    std::printf("  (the driver's own peak, a floor for both: %.1f MiB)\n", driverPeak);
    return bare.failures || program.failures ? 1 : 0;
}
