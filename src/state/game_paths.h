// Every place the game reads or writes a file. Nothing else builds a path to a
// user file.
//
// Portable (run from the build folder, whose program folder holds the marker file
// Tavrine.portable): the data files and everything the game writes sit beside
// the executable, in one folder.
//
// Installed (no marker beside the executable): the read-only files are in
// share/tavrine beside the executable's bin/ folder, found from the executable's
// own place, never from a fixed prefix; the settings go to
// $XDG_CONFIG_HOME/tavrine (~/.config/tavrine), saved games, the user's prepared
// maps, a library saved from the library editor and replays to
// $XDG_DATA_HOME/tavrine (~/.local/share/tavrine). Nothing is written to the
// data folder.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrine {

/// The file the build writes into its program folder: beside it the game runs portable.
inline constexpr std::string_view kPortableMarker = "Tavrine.portable";

/// An environment variable's value; nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

/// The process's own environment. HOME, when unset or empty, comes from the
/// password database.
EnvironmentLookup ProcessEnvironment();

class GamePaths {
public:
    /// Everything in `folder` (no trailing slash): the build folder's layout.
    static GamePaths Portable(std::string folder);
    /// The places of a replay being played back: `folder` as Portable, but the
    /// settings are never written, for the replayed player's settings are not
    /// the viewer's; the files that come with the game (the campaign's list,
    /// the shipped maps its briefings show) are read from `dataFolder`.
    static GamePaths Playback(std::string folder, std::string dataFolder);
    /// The installed layout: read-only files in `dataFolder`, the user's files in
    /// the XDG folders `env` names. An unset, empty or relative XDG_CONFIG_HOME or
    /// XDG_DATA_HOME is ignored (as the XDG rules say) for $HOME/.config and
    /// $HOME/.local/share; without a HOME the current folder stands in for it.
    static GamePaths Installed(std::string dataFolder, const EnvironmentLookup& env);
    /// The places of a program whose executable lies in `executableFolder`:
    /// portable when the marker file is there, otherwise installed with the data
    /// in `executableFolder` + "/" + `dataFromExecutable` (the install layout's
    /// path from bin/ to share/tavrine).
    static GamePaths ForExecutable(const std::string& executableFolder, const EnvironmentLookup& env,
                                   std::string_view dataFromExecutable);
    /// As above, with the install layout this build was configured for.
    static GamePaths ForExecutable(const std::string& executableFolder, const EnvironmentLookup& env);

    bool Installed() const { return installed_; }
    /// Whether a changed setting is written to the settings file (not in playback).
    bool KeepsSettings() const { return keepsSettings_; }

    /// The read-only files: the library as shipped, music, cursors, help, the
    /// dialogs' pictures and the shipped prepared maps.
    const std::string& DataFolder() const { return data_; }
    /// `DataFolder` + "/" + `name`.
    std::string DataFile(std::string_view name) const;
    /// Where the settings file lies.
    const std::string& ConfigFolder() const { return config_; }
    /// The settings file, Tavrine.ini.
    std::string SettingsFile() const;
    /// Where the game writes everything but the settings.
    const std::string& UserFolder() const { return user_; }

    std::string SaveGames() const;
    /// Recorded battles, beside SaveGames.
    std::string Replays() const;
    /// The player's campaign progress, in the user's folder.
    std::string CampaignProgressFile() const;
    /// Where the map editor saves prepared maps.
    std::string UserNewGames() const;
    /// The prepared maps that came with the game.
    std::string ShippedNewGames() const;
    /// The prepared-map folders to list, the user's first: a name in an earlier
    /// folder hides the same name in a later one. One folder when portable.
    std::vector<std::string> NewGamesFolders() const;
    /// The prepared map `name`: in the first of `NewGamesFolders` that has it,
    /// otherwise where the user's folder would have it.
    std::string PreparedMap(const std::string& name) const;

    /// The library to load: the user's own when there is one, else the shipped one.
    std::string LibraryToRead() const;
    /// Where the library editor saves the library.
    std::string LibraryToWrite() const;

    /// Makes sure `folder` (one of the places above) exists before a file is
    /// written into it: installed, the folders leading to it are made too;
    /// portable, only a folder inside the program folder is made, never the
    /// program folder itself.
    /// True when it exists afterwards.
    bool MakeFolder(const std::string& folder) const;

private:
    GamePaths(bool installed, std::string data, std::string config, std::string user);

    bool installed_ = false;
    bool keepsSettings_ = true;
    std::string data_;
    std::string config_;
    std::string user_;
};

}  // namespace tavrine
