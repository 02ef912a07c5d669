// Where the game reads and writes: portable beside the executable, or installed
// with the user's files in the XDG folders.
#include "state/game_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "support/scratch_folder.h"

namespace tavrine {
namespace {

namespace fs = std::filesystem;

EnvironmentLookup Env(std::map<std::string, std::string> values) {
    return [values](const char* name) -> std::optional<std::string> {
        const auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    };
}

struct Layout {
    const char* what;
    GamePaths paths;
    const char* config;
    const char* user;
};

TEST(GamePaths, NamesEveryPlaceInEachLayout) {
    const auto installed = [](std::map<std::string, std::string> env) {
        return GamePaths::Installed("/opt/x/share/tavrine", Env(std::move(env)));
    };
    const Layout layouts[] = {
        {"portable", GamePaths::Portable("/p"), "/p", "/p"},
        {"installed, XDG unset", installed({{"HOME", "/home/a"}}), "/home/a/.config/tavrine",
         "/home/a/.local/share/tavrine"},
        {"installed, XDG set", installed({{"HOME", "/home/a"}, {"XDG_CONFIG_HOME", "/c"}, {"XDG_DATA_HOME", "/d/"}}),
         "/c/tavrine", "/d/tavrine"},
        {"relative or empty XDG values are ignored",
         installed({{"HOME", "/home/a/"}, {"XDG_CONFIG_HOME", "rel"}, {"XDG_DATA_HOME", ""}}), "/home/a/.config/tavrine",
         "/home/a/.local/share/tavrine"},
        {"no HOME", installed({}), "./.config/tavrine", "./.local/share/tavrine"},
    };
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.what);
        const std::string data = l.paths.Installed() ? "/opt/x/share/tavrine" : "/p";
        EXPECT_EQ(l.paths.DataFolder(), data);
        EXPECT_EQ(l.paths.DataFile("Music.mid"), data + "/Music.mid");
        EXPECT_EQ(l.paths.ConfigFolder(), l.config);
        EXPECT_EQ(l.paths.SettingsFile(), std::string(l.config) + "/Tavrine.ini");
        EXPECT_EQ(l.paths.UserFolder(), l.user);
        EXPECT_EQ(l.paths.SaveGames(), std::string(l.user) + "/SaveGames");
        EXPECT_EQ(l.paths.Replays(), std::string(l.user) + "/Replays");
        EXPECT_EQ(l.paths.UserNewGames(), std::string(l.user) + "/NewGames");
        EXPECT_EQ(l.paths.ShippedNewGames(), data + "/NewGames");
        EXPECT_EQ(l.paths.LibraryToWrite(), std::string(l.user) + "/Tavrine.isd");
        std::vector<std::string> maps{std::string(l.user) + "/NewGames"};
        if (l.paths.Installed()) maps.push_back(data + "/NewGames");
        EXPECT_EQ(l.paths.NewGamesFolders(), maps);
    }
}

/// A program folder and an install tree in a fresh temporary folder.
class GamePathsFiles : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root_ / "usr/bin");
        fs::create_directories(root_ / "usr/share/tavrine/NewGames");
        fs::create_directories(root_ / "build/program");
        Touch(root_ / "build/program" / std::string(kPortableMarker));
    }
    static void Touch(const fs::path& path) { std::ofstream(path) << "x"; }
    GamePaths InstalledPaths() const {
        return GamePaths::ForExecutable((root_ / "usr/bin").string(), Env({{"HOME", (root_ / "home").string()}}),
                                        "../share/tavrine");
    }
    test::ScratchFolder scratch_{"tavrine-paths"};
    const fs::path root_ = scratch_.Path();
};

TEST_F(GamePathsFiles, TheMarkerTellsPortableFromInstalled) {
    const GamePaths portable = GamePaths::ForExecutable((root_ / "build/program").string(), Env({}), "../share/tavrine");
    EXPECT_FALSE(portable.Installed());
    EXPECT_EQ(portable.DataFolder(), (root_ / "build/program").string());
    const GamePaths installed = InstalledPaths();
    EXPECT_TRUE(installed.Installed());
    EXPECT_EQ(installed.DataFolder(), (root_ / "usr/share/tavrine").string());
    EXPECT_EQ(installed.UserFolder(), (root_ / "home/.local/share/tavrine").string());
}

TEST_F(GamePathsFiles, TheUsersFilesComeFirst) {
    const GamePaths paths = InstalledPaths();
    const fs::path shipped = root_ / "usr/share/tavrine";
    const fs::path user = root_ / "home/.local/share/tavrine";
    Touch(shipped / "NewGames/Both.gam");
    Touch(shipped / "NewGames/Shipped.gam");
    EXPECT_EQ(paths.LibraryToRead(), (shipped / "Tavrine.isd").string());
    EXPECT_EQ(paths.PreparedMap("Both.gam"), (shipped / "NewGames/Both.gam").string());
    EXPECT_EQ(paths.PreparedMap("None.gam"), (user / "NewGames/None.gam").string());

    ASSERT_TRUE(paths.MakeFolder(paths.UserNewGames())) << "the folders leading to it are made too";
    Touch(user / "NewGames/Both.gam");
    Touch(user / "Tavrine.isd");
    EXPECT_EQ(paths.PreparedMap("Both.gam"), (user / "NewGames/Both.gam").string());
    EXPECT_EQ(paths.PreparedMap("Shipped.gam"), (shipped / "NewGames/Shipped.gam").string());
    EXPECT_EQ(paths.LibraryToRead(), (user / "Tavrine.isd").string());
}

TEST_F(GamePathsFiles, PortableMakesOnlyFoldersInsideTheProgramFolder) {
    const GamePaths gone = GamePaths::Portable((root_ / "gone").string());
    EXPECT_FALSE(gone.MakeFolder(gone.UserFolder()));
    EXPECT_FALSE(gone.MakeFolder(gone.SaveGames()));
    EXPECT_FALSE(fs::exists(root_ / "gone"));
    const GamePaths here = GamePaths::Portable((root_ / "build/program").string());
    EXPECT_TRUE(here.MakeFolder(here.SaveGames()));
    EXPECT_TRUE(fs::is_directory(root_ / "build/program/SaveGames"));
}

}  // namespace
}  // namespace tavrine
