#include "emulator/image_path.h"

#include <cstdlib>
#include <filesystem>

namespace emulator {
namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// The user's home folder; Windows has no HOME of its own, only a profile.
std::string homeFolder()
{
    std::string home = environment("HOME");
    return home.empty() ? environment("USERPROFILE") : home;
}

} // namespace

std::string imagePath()
{
    const std::string explicitPath = environment("VESPERIN_EMULATOR_IMAGE");
    if (!explicitPath.empty())
        return explicitPath;
    std::filesystem::path state = environment("XDG_STATE_HOME");
    if (state.empty()) {
        const std::string home = homeFolder();
        if (home.empty())
            return {};
        state = std::filesystem::path(home) / ".local" / "state";
    }
    return (state / "vesperin-emulator" / "notebook.json").string();
}

std::string linkTarget(const std::string &path)
{
    // As many links as the kernel follows before it calls them a loop.
    constexpr int MaxLinks = 40;
    std::filesystem::path file(path);
    for (int link = 0; link < MaxLinks; ++link) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, ec)))
            break;
        const std::filesystem::path target = std::filesystem::read_symlink(file, ec);
        if (ec)
            break;
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    return file.string();
}

std::string requestLogPath()
{
    return environment("VESPERIN_EMULATOR_LOG");
}

} // namespace emulator
