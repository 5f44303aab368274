#include "content/regularfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tether {

namespace {

// Closes the descriptor however the read ends.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            close(fd);
    }
};

} // namespace

FileRead readRegularFile(const std::string& path, std::string& text, std::size_t maxBytes)
{
    text.clear();
    // Without O_NONBLOCK, opening a pipe for reading waits for a writer: the
    // game would hang before it could see what the file is.
    Descriptor file {open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileRead::missing : FileRead::unreadable;
    struct stat status;
    if (fstat(file.fd, &status) != 0)
        return FileRead::unreadable;
    if (!S_ISREG(status.st_mode))
        return FileRead::notRegular;
    if (static_cast<unsigned long long>(status.st_size) > maxBytes)
        return FileRead::tooLarge;
    // The file may grow while it is read: one byte past the bound tells.
    text.resize(static_cast<std::size_t>(status.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == text.size()) {
            if (text.size() > maxBytes) {
                text.clear();
                return FileRead::tooLarge;
            }
            text.resize(std::min(maxBytes + 1, text.size() * 2));
        }
        const ssize_t got = read(file.fd, &text[filled], text.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            text.clear();
            return FileRead::unreadable;
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    if (filled > maxBytes) {
        text.clear();
        return FileRead::tooLarge;
    }
    text.resize(filled);
    return FileRead::ok;
}

std::string whyUnread(FileRead result, std::size_t maxBytes)
{
    switch (result) {
    case FileRead::ok: return "was read";
    case FileRead::missing: return "does not exist";
    case FileRead::notRegular: return "is not a regular file";
    case FileRead::unreadable: return "cannot be read";
    case FileRead::tooLarge: return "is longer than " + std::to_string(maxBytes >> 20) + " MB";
    }
    return "cannot be read";
}

} // namespace tether
