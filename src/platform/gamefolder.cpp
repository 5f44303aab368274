#include "platform/gamefolder.h"

#include <filesystem>
#include <system_error>

namespace tether {

namespace fs = std::filesystem;

namespace {

bool holdsDataFile(const fs::path& folder)
{
    std::error_code error;
    return fs::is_regular_file(folder / "data", error);
}

} // namespace

void enterGameFolder()
{
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return;
    const fs::path own = executable.parent_path();
    const fs::path installed = own / TETHER_DATA_FROM_BINDIR;
    if (fs::is_directory(installed, error))
        fs::current_path(installed, error);
    else if (!holdsDataFile(".") && holdsDataFile(own))
        fs::current_path(own, error);
}

} // namespace tether
