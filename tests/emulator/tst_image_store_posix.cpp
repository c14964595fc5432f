// The machine image where POSIX alone applies: the folder named by the
// XDG rules, the file's permissions and owner, symbolic links, and two
// processes made by fork that share one image.

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

// Counts `requests` MBIF requests (each a change of the image) and answers
// how many failed.
int countRequests(int requests)
{
    int failures = 0;
    for (int i = 0; i < requests; ++i) {
        Bytes result;
        uint32_t returned = 0;
        failures += evaluate(plainRequest("MBIF"), result, returned) ? 0 : 1;
    }
    return failures;
}

// Restores the process's umask when the test ends.
class UmaskForTest
{
public:
    explicit UmaskForTest(mode_t mask) : m_old(umask(mask)) {}
    ~UmaskForTest() { umask(m_old); }

private:
    mode_t m_old;
};

// An image shared with other users keeps the permissions and the owner it
// was given, whatever the umask of the process that changes it; a first
// image is made as the umask says.
TEST_F(ImageStorePosixTest, ChangedImageKeepsItsPermissionsAndOwner)
{
    {
        const UmaskForTest mask(022);
        ASSERT_TRUE(acpiOpen());
    }
    struct stat made {};
    ASSERT_EQ(stat(imageFile().c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 07777, 0644u);

    writeImage(countingImage());
    ASSERT_EQ(chmod(imageFile().c_str(), 0664), 0);
    // Only the administrator may give a file away, and in a user namespace
    // (the 32-bit tests under qemu) only to the users it maps; others keep
    // their own.
    uid_t owner = geteuid();
    gid_t group = getegid();
    if (geteuid() == 0 && chown(imageFile().c_str(), 4321, 4321) == 0)
        owner = group = 4321;
    else
        ASSERT_EQ(chown(imageFile().c_str(), owner, group), 0);
    {
        const UmaskForTest mask(077);
        EXPECT_EQ(countRequests(2), 0);
    }
    struct stat changed {};
    ASSERT_EQ(stat(imageFile().c_str(), &changed), 0);
    EXPECT_EQ(changed.st_mode & 07777, 0664u);
    EXPECT_EQ(changed.st_uid, owner);
    EXPECT_EQ(changed.st_gid, group);
    EXPECT_EQ(readImage()["firmware"]["faults"][0]["used"], 2);
}

// A path that cannot be examined is not a missing image: it is reported as
// it is, and no default is made for it.
TEST_F(ImageStorePosixTest, PathThatCannotBeExaminedIsReportedAndLeft)
{
    const std::filesystem::path loop = folder() / "loop";
    std::filesystem::create_symlink("loop", loop);
    const std::string image = (loop / "notebook.json").string();
    setenv("VESPERIN_EMULATOR_IMAGE", image.c_str(), 1);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(acpiOpen());
    const std::string error = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find(image + ": cannot be examined: "), std::string::npos) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(loop));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()),
                            std::filesystem::directory_iterator()),
              1);
}

// Two processes count requests through one image, one of them by a
// symbolic link to it: the link stays a link to the image, both lock the
// same lock file, and no use is lost.
TEST_F(ImageStorePosixTest, WritersThroughALinkAndThePathShareOneImage)
{
    writeImage(countingImage());
    const std::filesystem::path link = folder() / "linked" / "notebook.json";
    std::filesystem::create_directory(link.parent_path());
    std::filesystem::create_symlink("../notebook.json", link);
    constexpr int kRequests = 100;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("VESPERIN_EMULATOR_IMAGE", link.c_str(), 1);
        _exit(countRequests(kRequests) == 0 ? 0 : 1);
    }
    EXPECT_EQ(countRequests(kRequests), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readImage()["firmware"]["faults"][0]["used"], 2 * kRequests);
    // Beside the link there is nothing of the image's: no lock file, no
    // temporary one.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(link.parent_path()),
                            std::filesystem::directory_iterator()),
              1);
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
