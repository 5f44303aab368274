// Writing the player's files: a link is written through to its target, and
// nothing but a regular file is ever written over (a device or a pipe named
// by --record, or put where the settings go, stays what it is).
#include "platform/replay.h"
#include "platform/userfiles.h"
#include "support/child.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

using namespace tether;

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool isLink(const std::string& path)
{
    struct stat status;
    return lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode);
}

} // namespace

TEST(PlayerFiles, WritesGoThroughLinksAndNeverOverAnythingButARegularFile)
{
    const std::string dir = makeTempDir();
    ASSERT_EQ(mkdir((dir + "/real").c_str(), 0755), 0);
    // A link, relative, to a file not made yet; then a link to that link.
    ASSERT_EQ(symlink("real/settings", (dir + "/settings").c_str()), 0);
    ASSERT_EQ(symlink(dir.c_str(), (dir + "/here").c_str()), 0);
    EXPECT_EQ(writeFileSafely(dir + "/settings", "scale 2\n"), "");
    EXPECT_EQ(writeFileSafely(dir + "/here/settings", "scale 1\n"), "");
    EXPECT_TRUE(isLink(dir + "/settings"));
    EXPECT_EQ(readAll(dir + "/real/settings"), "scale 1\n");

    Replay replay;
    replay.mapName = "alpha";
    ASSERT_EQ(symlink((dir + "/real/kept.replay").c_str(), (dir + "/last.replay").c_str()), 0);
    EXPECT_EQ(saveReplay(dir + "/last.replay", replay), "");
    EXPECT_TRUE(isLink(dir + "/last.replay"));
    EXPECT_EQ(readAll(dir + "/real/kept.replay").rfind("tether-replay", 0), 0u);

    // A pipe stands for any file that is not regular (as root, /dev/null).
    ASSERT_EQ(mkfifo((dir + "/pipe").c_str(), 0644), 0);
    ASSERT_EQ(symlink("pipe", (dir + "/to_pipe").c_str()), 0);
    EXPECT_EQ(saveReplay(dir + "/pipe", replay),
        "cannot write " + dir + "/pipe: it is not a regular file");
    EXPECT_EQ(saveReplay(dir + "/to_pipe", replay),
        "cannot write " + dir + "/pipe: it is not a regular file");
    struct stat status;
    ASSERT_EQ(stat((dir + "/pipe").c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    // As root, a device of the test's own, like /dev/null.
    if (mknod((dir + "/null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_EQ(saveReplay(dir + "/null", replay),
            "cannot write " + dir + "/null: it is not a regular file");
        ASSERT_EQ(stat((dir + "/null").c_str(), &status), 0);
        EXPECT_TRUE(S_ISCHR(status.st_mode));
    }
    removeTree(dir);
}
