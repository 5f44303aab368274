#include "support/child.h"

#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

ChildResult runInChild(const std::function<void()>& body, const std::string& workDir)
{
    return runInChildFor(body, -1, workDir);
}

ChildResult runInChildFor(
    const std::function<void()>& body, int timeoutMs, const std::string& workDir)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    std::fflush(stdout);
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        dup2(fds[1], STDOUT_FILENO);
        close(fds[1]);
        if (!workDir.empty() && chdir(workDir.c_str()) != 0)
            _exit(99);
        body();
        std::fflush(stdout);
        _exit(0);
    }
    close(fds[1]);
    ChildResult result;
    char buffer[4096];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int wait = -1;
        if (timeoutMs >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            wait = static_cast<int>(std::max<long long>(0, left.count()));
        }
        pollfd output {fds[0], POLLIN, 0};
        const int ready = poll(&output, 1, wait);
        if (ready == 0) {
            kill(pid, SIGKILL);
            result.timedOut = true;
            break;
        }
        if (ready < 0)
            continue; // a signal: wait on
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        result.output.append(buffer, static_cast<size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    result.exited = WIFEXITED(status);
    result.status = result.exited ? WEXITSTATUS(status) : -1;
    return result;
}

std::string makeTempDir()
{
    char pattern[] = "/tmp/tether-test-XXXXXX";
    const char* dir = mkdtemp(pattern);
    return dir ? dir : "";
}

void removeTree(const std::string& path)
{
    if (path.rfind("/tmp/tether-test-", 0) == 0)
        std::system(("rm -rf '" + path + "'").c_str());
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

bool becomeUnprivileged(const std::string& dir)
{
    if (geteuid() != 0)
        return true;
    constexpr unsigned nobody = 65534;
    const std::string handOver
        = "chown -R " + std::to_string(nobody) + ":" + std::to_string(nobody) + " '" + dir + "'";
    return std::system(handOver.c_str()) == 0 && setgroups(0, nullptr) == 0
        && setresgid(nobody, nobody, nobody) == 0 && setresuid(nobody, nobody, nobody) == 0;
}
