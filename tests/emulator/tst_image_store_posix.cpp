// The machine image where POSIX alone applies: the folder named by the
// XDG rules, and two processes made by fork that share one image.

#include "emulator/emulated_notebook.h"
#include "emulator/image_path.h"
#include "tests/emulator/emulator_fixture.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace emulator::test {
namespace {

using nlohmann::json;

class ImageStorePosixTest : public EmulatorTest
{
};

TEST_F(ImageStorePosixTest, PathFollowsTheEnvironment)
{
    EXPECT_EQ(imagePath(), imageFile().string());
    unsetenv("VESPERIN_EMULATOR_IMAGE");
    const char *oldState = getenv("XDG_STATE_HOME");
    const std::string savedState = oldState ? oldState : "";
    setenv("XDG_STATE_HOME", "/state", 1);
    EXPECT_EQ(imagePath(), "/state/vesperin-emulator/notebook.json");
    unsetenv("XDG_STATE_HOME");
    const std::string home = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(imagePath(), "/home/someone/.local/state/vesperin-emulator/notebook.json");
    setenv("HOME", home.c_str(), 1);
    if (oldState)
        setenv("XDG_STATE_HOME", savedState.c_str(), 1);
}

// An image in a folder the user cannot write: the requests that change
// nothing are answered, every change fails and leaves the image.
TEST_F(ImageStorePosixTest, ImageInAReadOnlyFolderIsStillRead)
{
    writeImage(countingImage());
    // Without a lock file yet, and none can be made.
    std::filesystem::remove(imageFile().string() + ".lock");
    const std::string before = readText();
    chmod(folder().c_str(), 0555);
    const bool writable = access(folder().c_str(), W_OK) == 0;
    if (!writable) {
        Bytes result;
        uint32_t returned = 0;
        EXPECT_TRUE(evaluate(plainRequest("AHOU"), result, returned));
        EXPECT_EQ(getItem(kHourId), std::make_pair(int64_t(1), int64_t(6)));
        EXPECT_EQ(setItem(kHourId, 7), std::make_pair(int64_t(-1), int64_t(-1)));
        // The counted MBIF is a change too.
        EXPECT_FALSE(evaluate(plainRequest("MBIF"), result, returned));
    }
    chmod(folder().c_str(), 0755);
    if (writable)
        GTEST_SKIP() << "this user writes read-only folders (the administrator)";
    EXPECT_EQ(readText(), before);
}

// Two processes count requests through one fault's use count; every use
// must survive the other process's writes, and the requests that change
// nothing between them, read without the lock, never see half an image.
TEST_F(ImageStorePosixTest, ConcurrentWritersLoseNothing)
{
    writeImage(countingImage());
    constexpr int kRequests = 150;
    const auto hammer = [] {
        int failures = 0;
        for (int i = 0; i < kRequests; ++i) {
            Bytes result;
            uint32_t returned = 0;
            failures += evaluate(plainRequest("MBIF"), result, returned) ? 0 : 1;
            for (int read = 0; read < 2; ++read)
                failures += evaluate(plainRequest("AHOU"), result, returned) ? 0 : 1;
        }
        return failures;
    };
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(hammer() == 0 ? 0 : 1);
    EXPECT_EQ(hammer(), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readImage()["firmware"]["faults"][0]["used"], 2 * kRequests);
    EXPECT_TRUE(std::filesystem::exists(imageFile().string() + ".lock"));
    for (const auto &entry : std::filesystem::directory_iterator(folder()))
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
}

} // namespace
} // namespace emulator::test
