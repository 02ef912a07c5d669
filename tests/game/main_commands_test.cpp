// The main window's commands over a real game in a folder of its own: loading
// and saving through the file picker, the names a game may be saved under, the
// title's offer of the Load Game dialog, the result screen, exit, information,
// the game control dialog, the menu's entries and the editing mode's keys.
#include <gtest/gtest.h>


#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/file_io.h"
#include "game/main_commands.h"
#include "state/saved_game.h"
#include "support/scratch_folder.h"
#include "support/tick_world.h"

namespace tavrine::test {
namespace {

namespace fs = std::filesystem;

struct RecordingMusic final : MusicPlayer {
    void Play() override { playing = true; }
    void Stop() override {
        playing = false;
        ++stops;
    }
    bool Stopped() override { return !playing; }
    bool playing = true;
    int stops = 0;
};

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class MainCommandsTest : public ::testing::Test {
protected:
    MainCommandsTest() : game(folder_.string(), host), commands(game, dialogs, window) {
        game.Library() = MakeTestLibrary();
        game.EditRecord() = MakeMap(LandRows(30, 20));
        RunState& run = game.Run();
        run.TitleShown = 0;
        run.BannerTime = 0;
        game.SetMusic(&music);
    }

    /// Saves the current game as `name` in `sub` ("SaveGames" or "NewGames").
    void Store(const std::string& sub, const std::string& name) {
        fs::create_directories(folder_ / sub);
        ASSERT_TRUE(game.SaveGame((folder_ / sub / name).string()));
    }

    void ShowTitle() {
        RunState& run = game.Run();
        run.TitleShown = 1;
        run.FadeInPending = 0;
        run.LoadOffered = 0;
        run.TitleFrames = 0;
    }

    test::ScratchFolder scratch_{"tavrine-commands"};
    const fs::path folder_ = scratch_.Path();
    QuietHost host;
    Game game;
    ScriptedDialogs dialogs;
    CountingMainWindow window;
    RecordingMusic music;
    MainCommands commands;
};

TEST(GameNames, OnlyPlainFileNamesAreAcceptedAndARefusalSaysWhy) {
    const struct {
        std::string name;
        const char* why;  ///< nullptr: the name is usable
    } cases[] = {
        {"", "no name was given"},
        {"   ", "no name was given"},
        {"../outside.gam", "folder separator"},
        {"a/b.gam", "folder separator"},
        {"a\\b.gam", "folder separator"},
        {"/etc/passwd", "folder separator"},
        {"..", "begins with a dot"},
        {".", "begins with a dot"},
        {".hidden", "begins with a dot"},
        {std::string("a\0b", 3), "NUL"},
        {"game.gam", nullptr},
        {"My battle", nullptr},
        {" padded ", nullptr},
        {"x..y", nullptr},
        {"über.gam", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> message = GameNameMessage(c.name);
        ASSERT_EQ(message.has_value(), c.why != nullptr) << '"' << c.name << '"';
        if (!c.why) continue;
        EXPECT_EQ(message->rfind("Invalid game name: ", 0), 0u) << *message;
        EXPECT_NE(message->find(c.why), std::string::npos) << *message;
    }
}

TEST_F(MainCommandsTest, SaveWritesOnlyInsideSaveGamesAndRefusesOtherNames) {
    game.View().Panels.MenuButtonDown = true;
    for (const char* bad : {"../escaped.gam", "sub/inner.gam", ".hidden", "..", "  "}) {
        const int before = host.messages;
        dialogs.picks.push_back({bad, false});
        EXPECT_FALSE(commands.Label6Click()) << bad;
        EXPECT_EQ(host.messages, before + 1) << bad;
        EXPECT_EQ(host.lastMessage, *GameNameMessage(bad));
        EXPECT_EQ(host.lastCaption, "Error");
    }
    EXPECT_FALSE(fs::exists(folder_ / "escaped.gam"));
    EXPECT_TRUE(fs::is_directory(folder_ / "SaveGames")) << "created when missing";
    EXPECT_TRUE(fs::is_empty(folder_ / "SaveGames"));
    EXPECT_FALSE(game.View().Panels.MenuButtonDown);
    EXPECT_EQ(dialogs.pickersShown.back(), FilePickerMode::Save);
    EXPECT_EQ(dialogs.lastSaveGamesFolder, (folder_ / "SaveGames").string());

    game.EditRecord().Money = 4321;
    dialogs.picks.push_back({" My battle ", false});
    EXPECT_TRUE(commands.Label6Click());
    EXPECT_TRUE(fs::is_regular_file(folder_ / "SaveGames" / " My battle ")) << "the name is used as typed";

    // Cancelled: nothing happens and nothing is said.
    const int before = host.messages;
    EXPECT_FALSE(commands.Label6Click());
    EXPECT_EQ(host.messages, before);
}

TEST_F(MainCommandsTest, LoadTakesSavedGamesAsTheyAreAndStartsPreparedMaps) {
    game.EditRecord().Money = 1234;
    game.EditRecord().GameTime = 99;
    Store("SaveGames", "saved.gam");
    Store("NewGames", "map.gam");
    game.EditRecord().Money = 1;
    game.Run().LoadOffered = 0;

    dialogs.picks.push_back({"saved.gam", false});
    ASSERT_TRUE(commands.Label5Click());
    EXPECT_EQ(game.Record().Money, 1234);
    EXPECT_EQ(game.Record().GameTime, 99);
    EXPECT_EQ(dialogs.pickersShown.back(), FilePickerMode::Load);
    EXPECT_EQ(window.statusBarShows, 1);
    EXPECT_TRUE(game.Run().LoadOffered);
    EXPECT_EQ(game.View().Panels.MenuTop, game.Run().DisplayHeight + 1) << "the menu waits below the surface";

    dialogs.picks.push_back({"map.gam", true});
    ASSERT_TRUE(commands.Label5Click());
    EXPECT_EQ(game.Record().Money, 5000) << "a prepared map starts as a new game";
    EXPECT_EQ(game.Record().GameTime, 0);

    // The same name picked from the saved part is looked for in SaveGames.
    dialogs.picks.push_back({"map.gam", false});
    EXPECT_FALSE(commands.Label5Click());
    EXPECT_EQ(host.lastMessage, "Data I/O Error");
}

TEST_F(MainCommandsTest, APreparedMapThatFailsToLoadLeavesTheGameAsItWas) {
    game.EditRecord().Money = 777;
    game.EditRecord().GameTime = 55;
    fs::create_directories(folder_ / "NewGames");
    std::ofstream(folder_ / "NewGames" / "broken.gam") << "not a game";

    dialogs.picks.push_back({"broken.gam", true});
    EXPECT_FALSE(commands.Label5Click());
    EXPECT_EQ(host.lastMessage, "File format error");
    EXPECT_EQ(game.Record().Money, 777) << "no new game was started over the running one";
    EXPECT_EQ(game.Record().GameTime, 55);

    dialogs.picks.push_back({"missing.gam", true});
    EXPECT_FALSE(commands.Label5Click());
    EXPECT_EQ(game.Record().Money, 777);

    dialogs.picks.push_back({"../NewGames/broken.gam", true});
    EXPECT_FALSE(commands.Label5Click());
    EXPECT_EQ(host.lastMessage, *GameNameMessage("../NewGames/broken.gam"));
}

TEST_F(MainCommandsTest, AFailedLoadFromTheTitleLeavesTheTitleOfferingTheDialogAgain) {
    fs::create_directories(folder_ / "NewGames");
    std::ofstream(folder_ / "NewGames" / "broken.gam") << "not a game";
    Store("NewGames", "good.gam");
    for (const FilePick& refused : {FilePick{"broken.gam", true}, FilePick{".hidden", true}}) {
        ShowTitle();
        dialogs.picks.push_back(refused);
        for (int i = 0; i < 91; ++i) commands.DXTimerTimer();
        ASSERT_EQ(dialogs.pickersShown.size(), 1u) << refused.Name;
        EXPECT_TRUE(game.Run().TitleShown) << refused.Name;
        EXPECT_FALSE(game.Run().LoadOffered) << refused.Name;
        // The title offers the dialog again on its 91st frame; now a good map.
        dialogs.picks.push_back({"good.gam", true});
        for (int i = 0; i < 91 && game.Run().TitleShown; ++i) commands.DXTimerTimer();
        EXPECT_EQ(dialogs.pickersShown.size(), 2u) << refused.Name;
        EXPECT_FALSE(game.Run().TitleShown) << refused.Name;
        dialogs.pickersShown.clear();
    }
}

TEST_F(MainCommandsTest, SavingOverAnExistingFileAsksFirst) {
    Editor editor;
    MainCommands editing(game, dialogs, window, &editor);
    game.Run().EditMode = 1;
    Store("SaveGames", "old.gam");
    Store("NewGames", "map.gam");
    game.EditRecord().Money = 98765;
    const Bytes now = SerializeGame(game.Record());
    const struct {
        const char* sub;
        bool (MainCommands::*save)();
        std::string question;
    } places[] = {
        {"SaveGames", &MainCommands::Label6Click, "Replace the saved game \"old.gam\"?"},
        {"NewGames", &MainCommands::SavePreparedMap, "Replace the prepared map \"map.gam\"?"},
    };
    for (const auto& place : places) {
        const std::string name = place.sub == std::string("SaveGames") ? "old.gam" : "map.gam";
        const fs::path path = folder_ / place.sub / name;
        const std::string old = Slurp(path);
        for (const bool yes : {false, true}) {
            dialogs.questions.clear();
            dialogs.confirmAnswer = yes;
            dialogs.picks.push_back({name, false});
            EXPECT_EQ((editing.*place.save)(), yes) << place.sub;
            EXPECT_EQ(dialogs.questions, std::vector<std::string>{place.question});
            EXPECT_EQ(Slurp(path), yes ? std::string(now.begin(), now.end()) : old) << place.sub << " yes=" << yes;
        }
        // A new name is saved without a question.
        dialogs.questions.clear();
        dialogs.picks.push_back({"fresh.gam", false});
        EXPECT_TRUE((editing.*place.save)());
        EXPECT_TRUE(dialogs.questions.empty());
    }
}

TEST_F(MainCommandsTest, TheFoldersAreMadeWhenTheLoadDialogOpens) {
    EXPECT_FALSE(commands.Label5Click());  // cancelled
    EXPECT_TRUE(fs::is_directory(folder_ / "SaveGames"));
    EXPECT_TRUE(fs::is_directory(folder_ / "NewGames"));
    EXPECT_EQ(dialogs.lastNewGamesFolders, std::vector<std::string>{(folder_ / "NewGames").string()});
}

std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.push_back(entry.path().string() + " " + std::to_string(entry.is_regular_file() ? entry.file_size() : 0));
    std::sort(names.begin(), names.end());
    return names;
}

// Installed, the shipped folder is only read: saved games, settings, prepared
// maps and the library go to the user's folders, and a user's prepared map hides
// the shipped one of the same name.
TEST_F(MainCommandsTest, AnInstalledGameWritesOnlyIntoTheUsersFolders) {
    const fs::path shipped = folder_ / "usr/share/tavrine";
    const fs::path home = folder_ / "home";
    const fs::path user = home / ".local/share/tavrine";
    // The maps told apart by their widths (a prepared map starts with the same money).
    const auto mapWorth = [&](const fs::path& path, std::int32_t columns) {
        game.EditRecord() = MakeMap(LandRows(columns, 20));
        fs::create_directories(path.parent_path());
        ASSERT_TRUE(game.SaveGame(path.string()));
    };
    mapWorth(shipped / "NewGames/Both.gam", 31);
    mapWorth(shipped / "NewGames/Shipped.gam", 33);
    const std::vector<std::string> before = Listing(shipped);

    QuietHost installedHost;
    Game installed(GamePaths::Installed(shipped.string(), [&](const char* name) -> std::optional<std::string> {
                       if (std::string_view(name) == "HOME") return home.string();
                       return std::nullopt;
                   }),
                   installedHost);
    installed.Library() = MakeTestLibrary();
    installed.EditRecord() = MakeMap(LandRows(30, 20));
    MainCommands playing(installed, dialogs, window);

    dialogs.picks.push_back({"Both.gam", true});
    ASSERT_TRUE(playing.Label5Click());
    EXPECT_EQ(installed.Record().Columns, 31);
    EXPECT_EQ(dialogs.lastNewGamesFolders, (std::vector<std::string>{(user / "NewGames").string(), (shipped / "NewGames").string()}));
    EXPECT_EQ(dialogs.lastSaveGamesFolder, (user / "SaveGames").string());

    dialogs.picks.push_back({"mine", false});
    ASSERT_TRUE(playing.Label6Click());
    EXPECT_TRUE(fs::is_regular_file(user / "SaveGames/mine"));

    mapWorth(user / "NewGames/Both.gam", 32);
    dialogs.picks.push_back({"Both.gam", true});
    ASSERT_TRUE(playing.Label5Click());
    EXPECT_EQ(installed.Record().Columns, 32) << "the user's map hides the shipped one";
    dialogs.picks.push_back({"Shipped.gam", true});
    ASSERT_TRUE(playing.Label5Click());
    EXPECT_EQ(installed.Record().Columns, 33);

    GameControlChoice faster;
    faster.Confirmed = true;
    faster.Interval = 20;
    dialogs.controls.push_back(faster);
    playing.Label7Click();
    EXPECT_NE(Slurp(home / ".config/tavrine/Tavrine.ini").find("Speed=2"), std::string::npos);

    installed.Library() = ImageLibrary{};
    ASSERT_TRUE(installed.SaveImageLibrary());
    EXPECT_TRUE(fs::is_regular_file(user / "Tavrine.isd"));
    EXPECT_EQ(installedHost.messages, 0);
    EXPECT_EQ(Listing(shipped), before);
}

TEST_F(MainCommandsTest, TheTitleOffersTheLoadDialogOnceOnItsNinetyFirstFrame) {
    ShowTitle();
    for (int i = 0; i < 90; ++i) commands.DXTimerTimer();
    EXPECT_TRUE(dialogs.pickersShown.empty());
    commands.DXTimerTimer();
    ASSERT_EQ(dialogs.pickersShown.size(), 1u);
    EXPECT_TRUE(game.Run().TitleShown) << "cancelled: the title stays";
    for (int i = 0; i < 200; ++i) commands.DXTimerTimer();
    EXPECT_EQ(dialogs.pickersShown.size(), 1u) << "no second offer";

    commands.FormKeyDown(GameKey::Other, false);
    EXPECT_EQ(dialogs.pickersShown.size(), 2u) << "a key opens it again";
    commands.DXDrawMouseDown(MouseButton::Left, 10, 10);
    EXPECT_EQ(dialogs.pickersShown.size(), 3u) << "so does a press";
}

TEST_F(MainCommandsTest, TheOfferIsOpenedAfterTheTickNotInsideAnotherDialog) {
    ShowTitle();
    for (int i = 0; i < 88; ++i) commands.DXTimerTimer();
    // Ticks go on under a modal dialog; the title's 91st frame falls inside it.
    int ticksInside = 0;
    std::size_t pickersInside = 0;
    dialogs.whileOpen = [&] {
        for (int i = 0; i < 5; ++i) commands.DXTimerTimer();
        ticksInside += 5;
        pickersInside = dialogs.pickersShown.size();
        dialogs.whileOpen = nullptr;
    };
    commands.Label9Click();
    ASSERT_EQ(ticksInside, 5);
    EXPECT_EQ(pickersInside, 0u) << "not opened from a tick inside the information box";
    EXPECT_TRUE(game.Run().LoadOffered);
    EXPECT_TRUE(dialogs.pickersShown.empty());
    commands.DXTimerTimer();
    EXPECT_EQ(dialogs.pickersShown.size(), 1u) << "opened once the box has closed";
}

TEST_F(MainCommandsTest, AnyKeyOrPressAfterTheMissionOpensTheLoadDialog) {
    game.Run().Outcome = OutcomeAccomplished;
    commands.FormKeyDown(GameKey::Escape, false);
    commands.DXDrawMouseDown(MouseButton::Right, 300, 300);
    EXPECT_EQ(dialogs.pickersShown.size(), 2u);
    EXPECT_TRUE(dialogs.questions.empty()) << "Escape does not ask to exit here";

    Store("SaveGames", "next.gam");
    dialogs.picks.push_back({"next.gam", false});
    commands.FormKeyDown(GameKey::A, false);
    EXPECT_EQ(game.Run().Outcome, OutcomeRunning) << "loading starts the game again";
}

TEST_F(MainCommandsTest, EscapeAsksBeforeExiting) {
    game.View().Panels.MenuButtonDown = true;
    dialogs.confirmAnswer = false;
    commands.FormKeyDown(GameKey::Escape, false);
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0], "Are you sure you want to exit ?");
    EXPECT_EQ(window.closes, 0);
    EXPECT_FALSE(game.View().Panels.MenuButtonDown);
    dialogs.confirmAnswer = true;
    commands.Label10Click();
    EXPECT_EQ(window.closes, 1);
}

TEST_F(MainCommandsTest, InformationShowsTheStatisticsWhileTheMissionRuns) {
    PutTank(game.EditRecord(), game.Library(), 3, 3, SidePlayer);
    commands.Label9Click();
    ASSERT_EQ(dialogs.informationShown.size(), 1u);
    std::string joined;
    for (const std::string& line : game.Run().InfoLines) joined += (joined.empty() ? "" : "\n") + line;
    EXPECT_EQ(dialogs.informationShown[0], joined);
    EXPECT_GT(game.Run().InfoLines.size(), 2u);

    game.Run().Outcome = OutcomeFailed;
    commands.Label9Click();
    EXPECT_EQ(dialogs.informationShown.size(), 1u);
}

TEST_F(MainCommandsTest, GameControlAppliesOnlyAConfirmedChoice) {
    RunState& run = game.Run();
    run.TimerInterval = 20;
    commands.Label7Click();  // cancelled, or OK with nothing changed
    ASSERT_EQ(dialogs.controlsShown.size(), 1u);
    EXPECT_EQ(dialogs.controlsShown[0].TimerInterval, 20);
    EXPECT_EQ(dialogs.controlsShown[0].DisplayWidth, 800);
    EXPECT_FALSE(fs::exists(folder_ / "Tavrine.ini")) << "nothing applied, nothing written";
    EXPECT_EQ(host.messages, 0);

    GameControlChoice choice;
    choice.Confirmed = true;
    choice.Interval = 50;
    choice.ModeNumber = 2;
    choice.Difficulty = 0;
    choice.MusicOn = false;
    choice.SoundOn = true;
    dialogs.controls.push_back(choice);
    commands.Label7Click();
    EXPECT_EQ(run.TimerInterval, 50);
    EXPECT_EQ(run.DisplayWidth, 1024);
    EXPECT_EQ(run.DisplayHeight, 768);
    EXPECT_EQ(window.modeChanges, 1);
    EXPECT_EQ(window.lastWidth, 1024);
    EXPECT_EQ(run.Difficulty, 0);
    EXPECT_FALSE(run.MusicOn);
    EXPECT_EQ(music.stops, 1) << "music off stops at once";
    const std::string ini = Slurp(folder_ / "Tavrine.ini");
    EXPECT_NE(ini.find("Widht=1024\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Speed=0\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Music=0\r\n"), std::string::npos) << ini;

    // The current mode chosen again re-creates nothing; no speed selected keeps it.
    choice.ModeNumber = 2;
    choice.Interval = -1;
    choice.MusicOn = true;
    choice.Difficulty = -1;
    dialogs.controls.push_back(choice);
    commands.Label7Click();
    EXPECT_EQ(window.modeChanges, 1);
    EXPECT_EQ(run.TimerInterval, 50);
    EXPECT_EQ(run.Difficulty, -1);
    EXPECT_TRUE(run.MusicOn);
    EXPECT_EQ(music.stops, 1) << "turning music on leaves the restart to the game clock";
    EXPECT_EQ(host.messages, 0);

    // A settings file that cannot be written is reported.
    fs::remove(folder_ / "Tavrine.ini");
    fs::create_directory(folder_ / "Tavrine.ini");
    choice.Interval = 20;
    dialogs.controls.push_back(choice);
    commands.Label7Click();
    EXPECT_EQ(run.TimerInterval, 20) << "the choice still applies";
    EXPECT_EQ(host.messages, 1);
    EXPECT_EQ(host.lastMessage, "Data I/O Error");
    EXPECT_EQ(host.lastCaption, "Error");
}

TEST_F(MainCommandsTest, TheEditingModesKeys) {
    game.Run().EditMode = 1;
    commands.FormKeyDown(GameKey::A, false);
    EXPECT_EQ(host.sleptMs, 200) << "the fades are skipped while editing; the pause stays";
    commands.FormKeyDown(GameKey::S, false);
    EXPECT_EQ(dialogs.imageEditorShown, 1);
    commands.FormKeyDown(GameKey::Return, true);
    EXPECT_EQ(window.fullScreenToggles, 1);
}

TEST_F(MainCommandsTest, TheMapEditorsNewMapSaveAndUndoCommands) {
    Editor editor;
    MainCommands editing(game, dialogs, window, &editor);
    const Bytes before = SerializeGame(game.Record());

    // Outside the editing mode the editor's commands do nothing.
    dialogs.newGame = NewGameChoice{true, 50, 40, true, 3};
    EXPECT_FALSE(editing.ToolButton11Click());
    EXPECT_EQ(dialogs.newGameShown, 0);

    game.Run().EditMode = 1;
    dialogs.newGame.Accepted = false;
    EXPECT_FALSE(editing.ToolButton11Click()) << "Cancel keeps the map";
    EXPECT_EQ(SerializeGame(game.Record()), before);

    dialogs.newGame.Accepted = true;
    ASSERT_TRUE(editing.ToolButton11Click());
    EXPECT_EQ(game.Record().Columns, 50);
    EXPECT_EQ(game.Record().Rows, 40);
    EXPECT_EQ(game.Record().MapFlag, 1);
    EXPECT_EQ(game.Record().Mission, 3);
    const Bytes made = SerializeGame(game.Record());

    // The new map is one undo step; undo and redo bring back each record exactly.
    ASSERT_TRUE(editing.EditUndo());
    EXPECT_EQ(SerializeGame(game.Record()), before);
    EXPECT_FALSE(editing.EditUndo());
    ASSERT_TRUE(editing.EditRedo());
    EXPECT_EQ(SerializeGame(game.Record()), made);
    EXPECT_FALSE(editing.EditRedo());

    // The map goes into NewGames, where loading offers it as a new game; the
    // picker lists the prepared maps, so one can be overwritten.
    dialogs.picks.push_back({"../outside.gam", false});
    EXPECT_FALSE(editing.SavePreparedMap());
    EXPECT_EQ(host.lastMessage, *GameNameMessage("../outside.gam"));
    dialogs.picks.push_back({"Made.gam", false});
    ASSERT_TRUE(editing.SavePreparedMap());
    EXPECT_EQ(dialogs.lastSaveGamesFolder, (folder_ / "NewGames").string());
    EXPECT_EQ(Slurp(folder_ / "NewGames" / "Made.gam"), std::string(made.begin(), made.end()));
    EXPECT_FALSE(fs::exists(folder_ / "SaveGames" / "Made.gam"));

    // Loading a game forgets the edits: nothing is left to undo.
    dialogs.picks.push_back({"Made.gam", true});
    ASSERT_TRUE(editing.Label5Click());
    EXPECT_FALSE(editing.EditUndo());
}

TEST_F(MainCommandsTest, TheMenuAndStatusBarControls) {
    RunState& run = game.Run();
    run.ScrollDX = 24;
    run.ScrollDY = -24;
    commands.MenuPanelMouseMove();
    EXPECT_EQ(run.ScrollDX, 0);
    EXPECT_EQ(run.ScrollDY, 0);

    commands.Labels().MouseEnter(MenuLabel::SaveGame);
    EXPECT_EQ(commands.Labels().Color(MenuLabel::SaveGame), (Rgb{0, 0, 255}));
    EXPECT_EQ(commands.Labels().Color(MenuLabel::Exit), (Rgb{0, 0, 0}));
    commands.Labels().MouseLeave(MenuLabel::SaveGame);
    EXPECT_EQ(commands.Labels().Color(MenuLabel::SaveGame), (Rgb{0, 0, 0}));

    commands.MiniMapMouseDown(2 * 20, 2 * 15);  // cell (20, 15) to the middle, as far as the map allows
    EXPECT_EQ(game.Record().ViewX, 30 * 36 - 800);
    EXPECT_EQ(game.Record().ViewY, 20 * 36 - 600);
    run.ScrollDX = 24;
    commands.MiniMapMouseMove(0, 0, true);
    EXPECT_EQ(run.ScrollDX, 0);
    EXPECT_EQ(game.Record().ViewX, 0) << "dragging on the minimap drags the view";

    commands.SpeedButton1Click(true);
    EXPECT_TRUE(game.View().Panels.MenuButtonDown);
    commands.SpeedButton2Click(false);
    EXPECT_FALSE(game.View().Panels.MinimapButtonDown);
    run.MinimapState = 2;
    commands.SpeedButton3Click();
    EXPECT_FALSE(run.MinimapZoom2);
    EXPECT_EQ(run.MinimapState, 0);

    // Each menu entry opens its own dialog: the pickers cancelled, exit refused.
    dialogs.confirmAnswer = false;
    for (std::size_t i = 0; i < kMenuLabelCount; ++i) EXPECT_FALSE(commands.MenuEntryClick(static_cast<MenuLabel>(i)));
    EXPECT_EQ(dialogs.pickersShown, (std::vector<FilePickerMode>{FilePickerMode::Load, FilePickerMode::Save}));
    EXPECT_EQ(dialogs.controlsShown.size(), 1u);
    EXPECT_EQ(dialogs.informationShown.size(), 1u);
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{kExitQuestion});
    EXPECT_EQ(window.closes, 0);
}

}  // namespace
}  // namespace tavrine::test
