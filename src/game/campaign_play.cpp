#include "game/game.h"
#include "view/status.h"

namespace tavrine {

void Game::EnsureCampaignRead() {
    if (campaignRead_) return;
    campaignRead_ = true;
    if (std::optional<Campaign> campaign = LoadCampaign(paths_, campaignProblem_)) campaign_ = std::move(*campaign);
    // A replay being played back neither reads nor writes the viewer's progress.
    if (!paths_.KeepsSettings()) return;
    progress_ = LoadProgress(paths_);
    if (!progress_.Message.empty()) host_.ShowMessage(progress_.Message, "Campaign", MessageIcon::Warning);
}

const Campaign& Game::CampaignMissions() {
    EnsureCampaignRead();
    return campaign_;
}

const std::string& Game::CampaignProblem() {
    EnsureCampaignRead();
    return campaignProblem_;
}

CampaignProgress& Game::Progress() {
    EnsureCampaignRead();
    return progress_.Progress;
}

bool Game::SaveProgressFile() {
    EnsureCampaignRead();
    if (!paths_.KeepsSettings() || !progress_.Writable) return false;
    return SaveProgress(paths_, progress_.Progress);
}

void Game::StartBattleCounts() {
    // A saved campaign battle's counts go on from where they stood.
    ownTanksAtLoad_ = record_.OwnTanksTotal - record_.Tally.TanksBuilt;
    moneySeen_ = record_.Money;
    moneyEarned_ = record_.Tally.MoneyEarned;
}

void Game::KeepTally() {
    record_.Tally = {};
    if (start_.From != BattleStart::Kind::Campaign) return;
    const BattleStatistics s = Statistics();
    record_.Tally = {start_.Map, s.TanksBuilt, s.MoneyEarned};
}

void Game::ResumeTally() {
    if (record_.Tally.CampaignMap.empty()) return;
    const Campaign& campaign = CampaignMissions();
    for (std::size_t i = 0; i < campaign.size(); ++i)
        if (campaign[i].File == record_.Tally.CampaignMap) {
            start_ = BattleStart{BattleStart::Kind::Campaign, campaign[i].File, i, {}};
            return;
        }
}

BattleStatistics Game::Statistics() const {
    const SideCounts buildings = CountBuildings(record_);
    const SideCounts tanks = CountTanks(record_);
    BattleStatistics s;
    s.Seconds = record_.GameTime;
    s.TanksDestroyed = std::max(0, record_.EnemyTanksTotal - tanks.Enemy);
    s.BuildingsDestroyed = std::max(0, record_.EnemyBuildingsTotal - buildings.Enemy);
    // The total grows by each tank the player builds.
    s.TanksBuilt = std::max(0, record_.OwnTanksTotal - ownTanksAtLoad_);
    s.MoneyEarned = static_cast<std::int32_t>(std::min<std::int64_t>(moneyEarned_, 999999999));
    return s;
}

void Game::NoteOutcome() {
    run_.ResultOffersRetry = start_.From != BattleStart::Kind::Other;
    run_.ResultOffersNext = start_.From == BattleStart::Kind::Skirmish ? kNextIsNewMap : 0;
    if (start_.From != BattleStart::Kind::Campaign) return;
    const Campaign& campaign = CampaignMissions();
    if (start_.Mission >= campaign.size()) return;
    RecordBattle(Progress(), campaign[start_.Mission].File, run_.Difficulty, run_.Outcome == OutcomeAccomplished,
                 Statistics());
    if (!SaveProgressFile() && paths_.KeepsSettings() && progress_.Writable)
        host_.ShowMessage("The campaign progress could not be written to \"" + paths_.CampaignProgressFile() + "\".",
                          "Error", MessageIcon::Error);
    run_.ResultOffersNext = MissionOpen(campaign, Progress(), start_.Mission + 1);
}

}  // namespace tavrine
