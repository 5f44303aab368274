#include "parallel.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sim {

namespace {

struct Worker {
    pid_t pid = -1;
    int fd = -1; // the read end of its pipe
    std::string pending; // received, not yet a whole line
};

bool writeAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// A worker: plays runs first, first + step, ... and writes "INDEX LINE\n"
// for each.
[[noreturn]] void work(
    int first, int step, int count, int fd, const std::function<std::string(int)>& play)
{
    for (int i = first; i < count; i += step)
        if (!writeAll(fd, std::to_string(i) + " " + play(i) + "\n"))
            _exit(1);
    _exit(0);
}

// Files the whole lines of a worker's output under their run's index.
void takeLines(Worker& worker, std::vector<std::string>& lines, std::vector<bool>& got)
{
    size_t end;
    while ((end = worker.pending.find('\n')) != std::string::npos) {
        const std::string line = worker.pending.substr(0, end);
        worker.pending.erase(0, end + 1);
        const size_t space = line.find(' ');
        const long i = std::strtol(line.c_str(), nullptr, 10);
        if (space == std::string::npos || i < 0 || i >= static_cast<long>(lines.size()))
            continue;
        lines[static_cast<size_t>(i)] = line.substr(space + 1);
        got[static_cast<size_t>(i)] = true;
    }
}

} // namespace

bool runInParallel(int count, const std::function<std::string(int)>& play,
    std::vector<std::string>& lines, std::string& failure)
{
    lines.assign(static_cast<size_t>(count), "");
    std::vector<bool> got(static_cast<size_t>(count), false);
#ifdef __EMSCRIPTEN__
    const long cores = 1; // WebAssembly cannot fork
#else
    const long cores = std::max(1L, sysconf(_SC_NPROCESSORS_ONLN));
#endif
    if (cores == 1) {
        // One worker would only copy this process: play here, in order.
        for (int i = 0; i < count; ++i)
            lines[static_cast<size_t>(i)] = play(i);
        return true;
    }
    const int workerCount = static_cast<int>(std::min<long>(cores, count));
    std::fflush(nullptr); // nothing buffered is written twice by the children

    std::vector<Worker> workers(static_cast<size_t>(workerCount));
    for (int w = 0; w < workerCount; ++w) {
        int ends[2];
        if (pipe(ends) != 0) {
            failure = std::string("cannot make a pipe: ") + std::strerror(errno);
            break;
        }
        const pid_t pid = fork();
        if (pid == 0) {
            close(ends[0]);
            for (int v = 0; v < w; ++v)
                close(workers[static_cast<size_t>(v)].fd);
            work(w, workerCount, count, ends[1], play);
        }
        close(ends[1]);
        if (pid < 0) {
            close(ends[0]);
            failure = std::string("cannot start a process: ") + std::strerror(errno);
            break;
        }
        workers[static_cast<size_t>(w)].pid = pid;
        workers[static_cast<size_t>(w)].fd = ends[0];
    }

    // Read every pipe until each worker has closed its end.
    for (;;) {
        std::vector<pollfd> open;
        for (Worker& worker : workers)
            if (worker.fd >= 0)
                open.push_back({worker.fd, POLLIN, 0});
        if (open.empty())
            break;
        if (poll(open.data(), open.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            failure = std::string("cannot wait for the runs: ") + std::strerror(errno);
            break;
        }
        for (const pollfd& ready : open) {
            if (!ready.revents)
                continue;
            Worker& worker = *std::find_if(
                workers.begin(), workers.end(), [&](const Worker& w) { return w.fd == ready.fd; });
            char buffer[65536];
            const ssize_t n = read(worker.fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                close(worker.fd);
                worker.fd = -1;
                continue;
            }
            worker.pending.append(buffer, static_cast<size_t>(n));
            takeLines(worker, lines, got);
        }
    }
    for (Worker& worker : workers) {
        if (worker.fd >= 0)
            close(worker.fd);
        if (worker.pid <= 0)
            continue;
        int status = 0;
        while (waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) { }
        if (failure.empty() && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
            failure = "a run process ended abnormally";
    }
    if (failure.empty() && std::find(got.begin(), got.end(), false) != got.end())
        failure = "a run gave no result";
    return failure.empty();
}

} // namespace sim
