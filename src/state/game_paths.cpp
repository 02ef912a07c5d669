#include "state/game_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

#include "data/file_io.h"
#include "state/settings.h"
#include "tavrine_build.h"

namespace tavrine {

namespace {

constexpr const char* kAppFolder = "/tavrine";

/// An XDG base folder: the variable when it holds an absolute path, else
/// `home` + `fallback`.
std::string XdgFolder(const EnvironmentLookup& env, const char* variable, const std::string& home, const char* fallback) {
    const std::optional<std::string> value = env(variable);
    if (value && !value->empty() && value->front() == '/') return *value;
    return home + fallback;
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace

EnvironmentLookup ProcessEnvironment() {
    return [](const char* name) -> std::optional<std::string> {
        if (const char* value = std::getenv(name); value && *value) return std::string(value);
        if (std::string_view(name) == "HOME") {
            if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir && *user->pw_dir)
                return std::string(user->pw_dir);
        }
        return std::nullopt;
    };
}

GamePaths::GamePaths(bool installed, std::string data, std::string config, std::string user)
    : installed_(installed), data_(std::move(data)), config_(std::move(config)), user_(std::move(user)) {}

GamePaths GamePaths::Portable(std::string folder) { return GamePaths(false, folder, folder, folder); }

GamePaths GamePaths::Playback(std::string folder, std::string dataFolder) {
    GamePaths paths = Portable(std::move(folder));
    paths.data_ = std::move(dataFolder);
    paths.keepsSettings_ = false;
    return paths;
}

GamePaths GamePaths::Installed(std::string dataFolder, const EnvironmentLookup& env) {
    const std::optional<std::string> home = env("HOME");
    const std::string base = home && !home->empty() ? WithoutTrailingSlashes(*home) : std::string(".");
    std::string config = WithoutTrailingSlashes(XdgFolder(env, "XDG_CONFIG_HOME", base, "/.config")) + kAppFolder;
    std::string user = WithoutTrailingSlashes(XdgFolder(env, "XDG_DATA_HOME", base, "/.local/share")) + kAppFolder;
    return GamePaths(true, std::move(dataFolder), std::move(config), std::move(user));
}

GamePaths GamePaths::ForExecutable(const std::string& executableFolder, const EnvironmentLookup& env,
                                   std::string_view dataFromExecutable) {
    if (Exists(executableFolder + "/" + std::string(kPortableMarker))) return Portable(executableFolder);
    std::filesystem::path data = std::filesystem::path(executableFolder) / std::filesystem::path(dataFromExecutable);
    return Installed(data.lexically_normal().string(), env);
}

GamePaths GamePaths::ForExecutable(const std::string& executableFolder, const EnvironmentLookup& env) {
    return ForExecutable(executableFolder, env, kDataFromExecutable);
}

std::string GamePaths::DataFile(std::string_view name) const { return data_ + "/" + std::string(name); }

std::string GamePaths::SettingsFile() const { return SettingsPath(config_); }

std::string GamePaths::SaveGames() const { return user_ + "/SaveGames"; }

std::string GamePaths::Replays() const { return user_ + "/Replays"; }

std::string GamePaths::CampaignProgressFile() const { return user_ + "/Campaign progress.txt"; }

std::string GamePaths::UserNewGames() const { return user_ + "/NewGames"; }

std::string GamePaths::ShippedNewGames() const { return data_ + "/NewGames"; }

std::vector<std::string> GamePaths::NewGamesFolders() const {
    // Portable, one folder; a replay played back also reads the shipped maps.
    if (!installed_ && data_ == user_) return {UserNewGames()};
    return {UserNewGames(), ShippedNewGames()};
}

std::string GamePaths::PreparedMap(const std::string& name) const {
    for (const std::string& folder : NewGamesFolders())
        if (Exists(folder + "/" + name)) return folder + "/" + name;
    return UserNewGames() + "/" + name;
}

std::string GamePaths::LibraryToRead() const {
    const std::string own = LibraryToWrite();
    return !installed_ || Exists(own) ? own : DataFile("Tavrine.isd");
}

std::string GamePaths::LibraryToWrite() const { return user_ + "/Tavrine.isd"; }

bool GamePaths::MakeFolder(const std::string& folder) const {
    // The portable program folder itself is never made: it holds the program.
    if (!installed_ && folder == user_) {
        std::error_code error;
        return std::filesystem::is_directory(folder, error);
    }
    return tavrine::MakeFolder(folder, installed_);
}

}  // namespace tavrine
