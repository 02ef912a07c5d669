#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "game/game.h"
#include "state/lists.h"
#include "state/new_map.h"
#include "state/saved_game.h"
#include "support/message_host.h"
#include "support/recording_canvas.h"
#include "support/sample_game.h"
#include "support/scratch_folder.h"

namespace tavrine {
namespace {

namespace fs = std::filesystem;

using RecordingHost = test::MessageHost;

/// The run-time fields a load changes.
auto LoadFlags(const RunState& run) {
    return std::make_tuple(run.MinimapState, run.FadeInPending, run.TitleShown, run.Outcome, run.BannerTime);
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class LoadSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A game in progress that a failed load must leave alone.
        NewMap(game_.EditRecord(), game_.Run(), 12, 9, 1, 2);
        game_.EditRecord().Money = 123;
        game_.EditRecord().GameTime = 77;
        game_.EditRecord().ViewX = 360;
        RunState& run = game_.Run();
        run.MinimapState = 2;
        run.FadeInPending = 0;
        run.TitleShown = 1;
        run.Outcome = OutcomeFailed;
        run.BannerTime = 0;
    }

    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    void ExpectUnchanged(const Bytes& record, const char* what) {
        EXPECT_EQ(SerializeGame(game_.Record()), record) << what;
        EXPECT_EQ(LoadFlags(game_.Run()), std::make_tuple(2, std::uint8_t{0}, std::uint8_t{1}, 2, 0)) << what;
    }

    test::ScratchFolder scratch_{"tavrine-load-save"};
    const std::string folder_ = scratch_.Path().string();
    RecordingHost host_;
    Game game_{"/nonexistent-program-folder", host_};
};

TEST_F(LoadSaveTest, SaveThenLoadRestoresTheRecordAndPreparesTheView) {
    RecordingHost saveHost;
    Game saver(folder_, saveHost);
    saver.EditRecord() = test::MakeSampleGame();
    const Bytes written = SerializeGame(saver.Record());
    const std::string path = saver.Paths().SaveGames() + "/first game";
    ASSERT_TRUE(saver.SaveGame(path)) << "the missing SaveGames folder is created";
    EXPECT_EQ(ReadWholeFile(path), written);
    EXPECT_EQ(saveHost.messages, 0);

    ASSERT_TRUE(game_.LoadGame(path));
    EXPECT_EQ(host_.messages, 0);
    GameType& g = game_.EditRecord();
    // The 144 by 108 pixel map is centred on the 800 by 600 surface.
    EXPECT_EQ(g.ViewX, (144 - 800) / 2);
    EXPECT_EQ(g.ViewY, (108 - 600) / 2);
    g.ViewX = 17;
    g.ViewY = 23;
    EXPECT_EQ(SerializeGame(g), written) << "everything else as saved";
    EXPECT_EQ(LoadFlags(game_.Run()), std::make_tuple(0, std::uint8_t{1}, std::uint8_t{0}, 0, 600));
    EXPECT_EQ(g.Money, 4567) << "a saved game keeps its money and clock";
    EXPECT_EQ(g.GameTime, 321);
}

TEST_F(LoadSaveTest, FailedLoadsKeepTheRunningGameAndSayWhyOverTheRestoredPicture) {
    // The picture as the player sees it: a canvas with a gamma ramp, read once
    // as the display initialisation does; each message must find it restored.
    test::RecordingCanvas canvas;
    for (auto& channel : canvas.gamma)
        for (std::size_t i = 0; i < channel.size(); ++i) channel[i] = static_cast<std::uint16_t>(i * 257);
    game_.SetCanvas(&canvas);
    game_.ReadSavedGamma();
    const GammaRamp seen = canvas.gamma;
    bool restoredAtMessage = false;
    host_.onMessage = [&] { restoredAtMessage = canvas.gamma == seen; };

    const Bytes before = SerializeGame(game_.Record());
    const auto fails = [&](const std::string& name, const std::string& message) {
        host_.messages = 0;
        restoredAtMessage = false;
        const int fadesBefore = static_cast<int>(canvas.gammaRamps.size());
        EXPECT_FALSE(game_.LoadGame(Path(name))) << name;
        EXPECT_EQ(host_.messages, 1) << name;
        EXPECT_EQ(host_.lastMessage, message) << name;
        EXPECT_EQ(host_.lastCaption, "Error");
        EXPECT_EQ(host_.lastIcon, MessageIcon::Error);
        EXPECT_GT(static_cast<int>(canvas.gammaRamps.size()), fadesBefore + 1) << name << ": faded out while reading";
        EXPECT_TRUE(restoredAtMessage) << name << ": the message shows over the picture, not over black";
        ExpectUnchanged(before, name.c_str());
    };
    const auto damaged = [](const std::string& name) {
        return "The game file \"" + name + "\" is damaged and cannot be loaded.";
    };

    // A small file with a tank, an order and a label in it, and variants of it.
    GameType small;
    RunState scratch;
    NewMap(small, scratch, 2, 1, 0, 3);
    small.Tanks.push_back(std::make_unique<GameObjectType>());
    small.Tanks[0]->Route = {1, 0};
    small.Tanks[0]->Order = AddOrder(small, OrderMove, 1, OrderReady);
    small.InfoLabels.push_back({1, 2, 3, "+500", 4, 0x00FFFF});
    const Bytes file = SerializeGame(small);
    const auto with = [&](std::size_t at, std::uint8_t value) {
        Bytes b = file;
        b[at] = value;
        return b;
    };
    const auto cut = [&](std::size_t n) { return Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n)); };
    Bytes hugeCount = file;
    hugeCount[kHeaderBytes - 1] = 0x7F;  // the column count's high byte: two billion columns

    fs::create_directory(Path("folder.gam"));
    const struct {
        const char* name;
        Bytes bytes;  ///< written unless the name is a folder or missing
        bool write;
        std::string message;
    } cases[] = {
        {"missing.gam", {}, false, "Data I/O Error"},
        {"folder.gam", {}, false, "Data I/O Error"},
        {"empty.gam", {}, true, "File format error"},
        {"three.gam", cut(3), true, "File format error"},
        {"other.gam", with(0, 'P'), true, "File format error"},
        {"old.gam", with(4, 1), true, "File version error"},
        {"magic only.gam", cut(4), true, damaged("magic only.gam")},
        {"header.gam", cut(kHeaderBytes), true, damaged("header.gam")},
        {"counts.gam", hugeCount, true, damaged("counts.gam")},
        {"negative.gam", with(kHeaderBytes - 1, 0xFF), true, damaged("negative.gam")},
        {"longer.gam", [&] { Bytes b = file; b.push_back(0); return b; }(), true, damaged("longer.gam")},
    };
    for (const auto& c : cases) {
        if (c.write) WriteBytes(Path(c.name), c.bytes);
        fails(c.name, c.message);
    }
    // Every other cut of the file: the version is there, the rest is not.
    for (std::size_t n = 8; n < file.size(); ++n) {
        // A new name each time: rewriting one file would wait for the disk on every cut.
        const std::string name = "cut" + std::to_string(n) + ".gam";
        WriteBytes(Path(name), cut(n));
        fails(name, damaged(name));
        if (HasFailure()) break;
    }
}

TEST_F(LoadSaveTest, PreparedMapStartsFreshOnlyAfterASuccessfulLoad) {
    WriteBytes(Path("prepared.gam"), SerializeGame(test::MakeSampleGame()));
    ASSERT_FALSE(game_.LoadNewGame(Path("absent.gam")));
    EXPECT_EQ(game_.Record().Money, 123) << "the running game keeps its money";
    EXPECT_EQ(game_.Record().GameTime, 77) << "and its clock";

    ASSERT_TRUE(game_.LoadNewGame(Path("prepared.gam")));
    const GameType& g = game_.Record();
    EXPECT_EQ(g.Money, 5000);
    EXPECT_EQ(g.GameTime, 0);
    EXPECT_EQ(g.OwnBuildingsTotal, 1) << "the factory";
    EXPECT_EQ(g.EnemyBuildingsTotal, 1) << "the tower";
    EXPECT_EQ(g.OwnTanksTotal, 1);
    EXPECT_EQ(g.EnemyTanksTotal, 1) << "the neutral tank counts for nobody";
    EXPECT_EQ(g.Tanks.size(), 3u);
}

TEST_F(LoadSaveTest, FailedSaveKeepsTheOldFileAndReports) {
    // A name so long that the temporary file beside it cannot be made, while the
    // file itself can: the write fails after the old file was found in place.
    const std::string longPath = Path(std::string(250, 'g'));
    const Bytes old = {1, 2, 3, 4, 5};
    WriteBytes(longPath, old);
    ASSERT_EQ(ReadWholeFile(longPath), old);

    EXPECT_FALSE(game_.SaveGame(longPath));
    EXPECT_EQ(host_.messages, 1);
    EXPECT_EQ(host_.lastMessage, "Data I/O Error");
    EXPECT_EQ(host_.lastCaption, "Error");
    EXPECT_EQ(host_.lastIcon, MessageIcon::Error);
    EXPECT_EQ(ReadWholeFile(longPath), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1) << "no temporary file left";

    WriteBytes(Path("plain-file"), old);
    EXPECT_FALSE(game_.SaveGame(Path("plain-file/save.gam"))) << "the parent is a file, not a folder";
    EXPECT_EQ(host_.messages, 2);

    WriteBytes(Path("replace.gam"), old);
    ASSERT_TRUE(game_.SaveGame(Path("replace.gam")));
    EXPECT_EQ(ReadWholeFile(Path("replace.gam")), SerializeGame(game_.Record())) << "a good save replaces the old file";
    EXPECT_EQ(host_.messages, 2);
}

TEST_F(LoadSaveTest, GameFoldersAreCreatedWhenMissing) {
    Game game(folder_, host_);
    ASSERT_FALSE(fs::exists(folder_ + "/SaveGames"));
    EXPECT_TRUE(game.EnsureGameFolders());
    EXPECT_TRUE(fs::is_directory(folder_ + "/SaveGames"));
    EXPECT_TRUE(fs::is_directory(folder_ + "/NewGames"));
    EXPECT_TRUE(game.EnsureGameFolders()) << "existing folders are fine";

    Game homeless(folder_ + "/missing/deeper", host_);
    EXPECT_FALSE(homeless.EnsureGameFolders()) << "only the program's own folders are made";
}

}  // namespace
}  // namespace tavrine
