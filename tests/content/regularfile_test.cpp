#include "content/regularfile.h"
#include "support/child.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace tether;

// Whatever stands at a file's name, the read answers at once: a pipe with no
// writer, an endless device and a folder are refused, not waited on.
TEST(RegularFile, ReadsOnlyRegularFilesWholeAndWithinTheirBound)
{
    const std::string dir = makeTempDir();
    std::string text = "left over";

    writeFile(dir + "/map", "name x\nenemy 1 2\n");
    EXPECT_EQ(readRegularFile(dir + "/map", text, 100), FileRead::ok);
    EXPECT_EQ(text, "name x\nenemy 1 2\n");

    ASSERT_EQ(symlink((dir + "/map").c_str(), (dir + "/link").c_str()), 0);
    EXPECT_EQ(readRegularFile(dir + "/link", text, 100), FileRead::ok);
    EXPECT_EQ(text, "name x\nenemy 1 2\n");

    EXPECT_EQ(readRegularFile(dir + "/map", text, 10), FileRead::tooLarge);
    EXPECT_EQ(text, "");
    EXPECT_EQ(readRegularFile(dir + "/none", text, 100), FileRead::missing);

    ASSERT_EQ(mkfifo((dir + "/pipe").c_str(), 0600), 0);
    EXPECT_EQ(readRegularFile(dir + "/pipe", text, 100), FileRead::notRegular);
    EXPECT_EQ(readRegularFile("/dev/zero", text, 100), FileRead::notRegular);
    EXPECT_EQ(readRegularFile(dir, text, 100), FileRead::notRegular);
    EXPECT_EQ(whyUnread(FileRead::tooLarge, maxPlayerFileBytes), "is longer than 16 MB");
    removeTree(dir);
}
