#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

// Starts the probe under the offscreen platform and returns the seconds from
// just before the start until it says its main window is shown, or -1.
double secondsToWindowShown()
{
    int output[2];
    if (pipe(output) != 0)
        return -1;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        close(output[1]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDERR_FILENO);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(STARTUP_PROBE, STARTUP_PROBE, static_cast<char *>(nullptr));
        _exit(127);
    }
    close(output[1]);
    std::string said;
    char buffer[16];
    ssize_t n;
    while (said.find('\n') == std::string::npos && (n = read(output[0], buffer, sizeof buffer)) > 0)
        said.append(buffer, static_cast<std::size_t>(n));
    const auto shown = std::chrono::steady_clock::now();
    close(output[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0
        || said != "shown\n")
        return -1;
    return std::chrono::duration<double>(shown - start).count();
}

void BM_StartToMainWindowShown(benchmark::State &state)
{
    for (auto _ : state) {
        const double seconds = secondsToWindowShown();
        if (seconds < 0) {
            state.SkipWithError("the probe did not show the main window");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

}  // namespace

BENCHMARK(BM_StartToMainWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond);
