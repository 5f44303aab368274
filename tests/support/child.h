// Runs a piece of game code in a forked child process and reports how it
// ended and what it printed, for the code paths that end the process.
#pragma once

#include <functional>
#include <string>

struct ChildResult {
    bool exited = false; // ended through exit() rather than a signal
    int status = -1; // exit status when exited
    std::string output; // everything written to standard output
    bool timedOut = false; // killed for running past its time
};

// Runs body in a child whose working directory is workDir (unchanged when
// empty). A body that returns ends the child with status 0.
ChildResult runInChild(const std::function<void()>& body, const std::string& workDir = "");
// The same for code that must not hang: a child still running after
// timeoutMs is killed, and the result says timedOut.
ChildResult runInChildFor(
    const std::function<void()>& body, int timeoutMs, const std::string& workDir = "");

// A fresh, empty directory under /tmp, removed by the caller with removeTree.
std::string makeTempDir();
void removeTree(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

// In a child: gives up root, if the test runs as root, for the user nobody
// (dir, the test's folder, handed to it), so that a file's permissions
// hold as they do for a player. False when that failed.
bool becomeUnprivileged(const std::string& dir);
