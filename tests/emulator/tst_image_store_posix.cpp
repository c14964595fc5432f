// The machine image where POSIX alone applies: the folder named by the
// XDG rules, and two processes made by fork that share one image.

#include "emulator/emulated_notebook.h"
#include "emulator/image_path.h"
#include "tests/emulator/emulator_fixture.h"

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

// Two processes count requests through one fault's use count; every use
// must survive the other process's writes.
TEST_F(ImageStorePosixTest, ConcurrentWritersLoseNothing)
{
    json image = {{"format", 1},
                  {"firmware",
                   {{"mbif", {3, 0, 0, 65536}},
                    {"faults", {{{"method", "MBIF"}, {"effect", "truncate"}, {"bytes", 4096}}}}}}};
    writeImage(image);
    constexpr int kRequests = 150;
    const auto hammer = [] {
        int failures = 0;
        for (int i = 0; i < kRequests; ++i) {
            Bytes result;
            uint32_t returned = 0;
            failures += evaluate(plainRequest("MBIF"), result, returned) ? 0 : 1;
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
