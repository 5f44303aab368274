// The generator itself: the same source always draws the same bytes, and a
// failure to write is reported through the exit status.
#include "support/child.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

int runArtgen(const std::string& dir)
{
    std::string command = std::string(TETHER_ARTGEN) + " '" + dir + "' > /dev/null 2>&1";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::map<std::string, std::string> readTree(const std::string& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[fs::relative(entry.path(), root).string()] = bytes.str();
    }
    return files;
}

TEST(Artgen, TwoRunsWriteIdenticalFiles)
{
    std::string a = makeTempDir(), b = makeTempDir();
    ASSERT_EQ(runArtgen(a), 0);
    ASSERT_EQ(runArtgen(b), 0);
    auto first = readTree(a), second = readTree(b);
    EXPECT_GT(first.size(), 60u);
    EXPECT_EQ(first.size(), second.size());
    for (const auto& [name, bytes] : first) {
        auto other = second.find(name);
        ASSERT_NE(other, second.end()) << name;
        EXPECT_TRUE(bytes == other->second) << name << " differs between runs";
    }
    removeTree(a);
    removeTree(b);
}

TEST(Artgen, UnwritableOutputFailsWithStatus)
{
    std::string dir = makeTempDir();
    // A file where a folder should go: nothing can be saved under it.
    writeFile(dir + "/blocked", "");
    EXPECT_NE(runArtgen(dir + "/blocked"), 0);
    removeTree(dir);
}

TEST(Artgen, MissingArgumentIsAUsageError)
{
    std::string command = std::string(TETHER_ARTGEN) + " > /dev/null 2>&1";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

} // namespace
