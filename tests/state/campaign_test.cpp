#include "state/campaign.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/scratch_folder.h"

namespace tavrine {
namespace {

constexpr std::string_view kTwoMissions =
    "Tavrine campaign 1\n"
    "mission 01 First.gam\nname First\nobjective Win.\nstory A.\nstory B.\nnew C.\n"
    "\n# the second\n"
    "mission 02 Second.gam\nname Second\nobjective Win again.\nstory D.\n";

TEST(Campaign, ReadsWhatItWritesAndRefusesEachKindOfDamage) {
    std::string error;
    const std::optional<Campaign> campaign = ParseCampaign(kTwoMissions, error);
    ASSERT_TRUE(campaign) << error;
    ASSERT_EQ(campaign->size(), 2u);
    EXPECT_EQ((*campaign)[0].Story, (std::vector<std::string>{"A.", "B."}));
    EXPECT_EQ(ParseCampaign(FormatCampaign(*campaign), error), campaign);

    const std::string good(kTwoMissions);
    for (const auto& [text, why] : std::vector<std::pair<std::string, std::string>>{
             {"", "line 1"},
             {"Tavrine campaign 2\n" + good.substr(19), "line 1"},
             {good + "story E.\nstory F.\nstory G.\nstory H.\n", "line 17: more than four"},
             {good + "name Again\n", "line 14: a second \"name\""},
             {good + "colour red\n", "unknown key"},
             {good + "mission ../x.gam\n", "plain file name"},
             {good + "mission 03 Third.gam\nname Third\n", "has no objective"},
             {"Tavrine campaign 1\nname Lost\n", "before the first mission"},
             {"Tavrine campaign 1\n", "no missions"},
             {good + "story " + std::string(400, 'x') + "\n", "too long"},
             {good + "story a\x01\n", "control character"},
             {good + "story\n", "without a text"},
         }) {
        error.clear();
        EXPECT_FALSE(ParseCampaign(text, error)) << why;
        EXPECT_NE(error.find(why), std::string::npos) << error;
    }
}

TEST(CampaignProgress, KeepsResultsAndRefusesEachKindOfDamage) {
    CampaignProgress progress;
    RecordBattle(progress, "01 First.gam", 1, false, {});
    RecordBattle(progress, "01 First.gam", 1, true, {300, 4, 9, 3, 1500});
    RecordBattle(progress, "01 First.gam", 1, true, {400, 1, 1, 1, 1});  // slower: the best stays
    const MissionRecord& r = progress.Missions["01 First.gam"][1];
    EXPECT_EQ(r, (MissionRecord{3, 2, {300, 4, 9, 3, 1500}}));
    const std::string text = FormatProgress(progress);
    EXPECT_EQ(text, "Tavrine progress 1\nopen-all 0\nresult 01 First.gam\t1\t3\t2\t300\t4\t9\t3\t1500\n");
    std::string error;
    EXPECT_EQ(ParseProgress(text, error), progress);

    const std::string head = "Tavrine progress 1\n";
    for (const auto& [body, why] : std::vector<std::pair<std::string, std::string>>{
             {"result a.gam\t3\t1\t0\t0\t0\t0\t0\t0\n", "do not fit"},        // difficulty 3
             {"result a.gam\t0\t1\t2\t5\t0\t0\t0\t0\n", "do not fit"},        // more won than played
             {"result a.gam\t0\t1\t0\t5\t0\t0\t0\t0\n", "do not fit"},        // a best time without a win
             {"result a.gam\t0\t0\t0\t0\t0\t0\t0\t0\n", "no battle"},
             {"result a.gam\t0\t1\t1\t-5\t0\t0\t0\t0\n", "field 5"},
             {"result a.gam\t0\t1\t1\t1234567890\t0\t0\t0\t0\n", "field 5"},
             {"result a.gam\t0\t1\t1\t5\t0\t0\t0\n", "nine fields"},
             {"result /etc/x\t0\t1\t1\t5\t0\t0\t0\t0\n", "plain file name"},
             {"result a.gam\t0\t1\t0\t0\t0\t0\t0\t0\nresult a.gam\t0\t1\t0\t0\t0\t0\t0\t0\n", "a second result"},
             {"open-all 1\nopen-all 0\n", "a second"},
             {"open-all yes\n", "neither"},
         }) {
        error.clear();
        EXPECT_FALSE(ParseProgress(head + body, error)) << body;
        EXPECT_NE(error.find(why), std::string::npos) << body << ": " << error;
    }
}

TEST(CampaignProgress, AMissionOpensWhenTheOneBeforeIsWon) {
    std::string error;
    const Campaign campaign = *ParseCampaign(kTwoMissions, error);
    CampaignProgress progress;
    EXPECT_TRUE(MissionOpen(campaign, progress, 0));
    EXPECT_FALSE(MissionOpen(campaign, progress, 1));
    RecordBattle(progress, "01 First.gam", 2, false, {});
    EXPECT_FALSE(MissionOpen(campaign, progress, 1));
    RecordBattle(progress, "01 First.gam", 0, true, {60, 0, 0, 0, 0});
    EXPECT_TRUE(MissionOpen(campaign, progress, 1));
    EXPECT_FALSE(MissionOpen(campaign, progress, 2));
    EXPECT_TRUE(MissionOpen(campaign, CampaignProgress{true, {}}, 1));
}

TEST(CampaignProgress, ADamagedFileIsKeptAsideAndNeverOverwritten) {
    test::ScratchFolder scratch("tavrine-progress");
    const GamePaths paths = GamePaths::Portable(scratch.Path().string());
    EXPECT_EQ(LoadProgress(paths).Progress, CampaignProgress{});  // none yet: a fresh campaign, no message
    EXPECT_TRUE(LoadProgress(paths).Message.empty());

    const auto plant = [&] { std::ofstream(paths.CampaignProgressFile(), std::ios::binary) << "Tavrine progress 1\nresult ?\n"; };
    plant();
    ProgressLoad load = LoadProgress(paths);
    EXPECT_NE(load.Message.find("Campaign progress (damaged).txt"), std::string::npos) << load.Message;
    EXPECT_TRUE(load.Writable);
    EXPECT_TRUE(std::filesystem::exists(scratch.Path() / "Campaign progress (damaged).txt"));
    EXPECT_FALSE(std::filesystem::exists(paths.CampaignProgressFile()));
    plant();  // damaged again: the first copy stays, the second goes beside it
    load = LoadProgress(paths);
    EXPECT_NE(load.Message.find("Campaign progress (damaged 2).txt"), std::string::npos) << load.Message;

    RecordBattle(load.Progress, "01 First.gam", 0, true, {60, 1, 2, 3, 4});
    ASSERT_TRUE(SaveProgress(paths, load.Progress));
    EXPECT_EQ(LoadProgress(paths).Progress, load.Progress);
}

}  // namespace
}  // namespace tavrine
