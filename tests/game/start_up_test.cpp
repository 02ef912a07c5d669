// The game's start-up: the settings file read and written, play or the editing
// mode, and the first map.
#include "game/start_up.h"

#include <gtest/gtest.h>


#include <filesystem>
#include <fstream>
#include <sstream>

#include "state/settings.h"
#include "support/scratch_folder.h"

namespace tavrine {
namespace {

namespace fs = std::filesystem;

/// A program folder of its own, removed afterwards.
struct Folder {
    std::string Settings() const {
        std::ifstream in(path / "Tavrine.ini", std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    test::ScratchFolder scratch{"tavrine-start"};
    const fs::path path = scratch.Path();
};

TEST(StartUpTest, EachChoiceWithAndWithoutASettingsFile) {
    const std::string stored640 = "Widht=640\nHeight=480\nBit=16\nSpeed=2\n";
    // The desktop keeps groups together unless its settings file says otherwise.
    RunState desktop;
    desktop.KeepGroups = 1;
    const std::string written800 = FormatSettings(desktop, {800, 600, 16});
    RunState fast = desktop;
    fast.TimerInterval = kIntervalFast;
    const std::string fast800 = FormatSettings(fast, {800, 600, 16});
    const struct {
        const char* name;
        std::string settings;  ///< the file before, none when empty
        bool useFile;
        std::int32_t choice;
        StartUp mode;
        std::int32_t storedSeen;
        std::string settingsAfter;
        std::int32_t interval;
    } cases[] = {
        {"play, no file", "", true, 1, StartUp::Play, -1, written800, kIntervalNormal},
        {"play in the stored mode", stored640, true, 0, StartUp::Play, 0, stored640, kIntervalFast},
        {"play in another mode", stored640, true, 1, StartUp::Play, 0, fast800, kIntervalFast},
        {"editing", stored640, true, kEditingModeChoice, StartUp::Editing, 0, stored640, kIntervalFast},
        {"cancelled", "", true, -1, StartUp::Cancelled, -1, "", kIntervalNormal},
        {"headless play", stored640, false, 1, StartUp::Play, -1, stored640, kIntervalNormal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Folder folder;
        if (!c.settings.empty()) std::ofstream(folder.path / "Tavrine.ini", std::ios::binary) << c.settings;
        QuietHost host;
        Game game(folder.path.string(), host);
        game.View().Panels.MinimapVisible = true;
        std::int32_t seen = 99;
        const StartUpResult result = StartUpGame(
            game,
            [&](std::int32_t stored) {
                seen = stored;
                return c.choice;
            },
            c.useFile);

        EXPECT_EQ(result.Mode, c.mode);
        EXPECT_EQ(seen, c.storedSeen);
        EXPECT_EQ(game.Run().TimerInterval, c.interval);
        EXPECT_FALSE(game.View().Panels.MinimapVisible);
        EXPECT_EQ(folder.Settings(), c.settingsAfter);
        const bool play = c.mode == StartUp::Play;
        const GameType& g = game.Record();
        if (c.mode == StartUp::Cancelled) {
            EXPECT_EQ(g.Columns, 0);
            continue;
        }
        EXPECT_EQ(result.FullScreen, play);
        EXPECT_EQ(result.Display, play ? kDisplayModes[static_cast<std::size_t>(c.choice)].Mode : kEditingDisplay);
        EXPECT_EQ(game.Run().EditMode, play ? 0 : 1);
        EXPECT_EQ(game.Run().TitleShown, play ? 1 : 0);
        EXPECT_EQ(game.View().Panels.StatusBarShown, !play);
        EXPECT_EQ(game.View().Panels.MenuShown, !play);
        EXPECT_EQ(game.Run().FadeInPending, 1);
        EXPECT_EQ(game.Run().ScrollStep, 24);
        EXPECT_EQ(g.Columns, 80);
        EXPECT_EQ(g.Rows, 60);
        EXPECT_EQ(g.MapWidth, 80 * 36);
        EXPECT_EQ(g.MapHeight, 60 * 36);
    }
}

}  // namespace
}  // namespace tavrine
