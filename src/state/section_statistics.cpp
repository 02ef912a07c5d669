#include "state/section_statistics.h"

namespace tavrine {

namespace {

constexpr std::size_t kLongestMapName = 255;

}  // namespace

void WriteStatisticsSection(gamefile::Writer& w, const GameType& g) {
    const BattleTally& t = g.Tally;
    if (t.CampaignMap.empty()) return;
    w.Text(t.CampaignMap);
    w.I32(t.TanksBuilt);
    w.I32(t.MoneyEarned);
}

void ReadStatisticsSection(gamefile::Reader& r, GameType& g) {
    BattleTally t;
    t.CampaignMap = r.Text();
    if (t.CampaignMap.empty() || t.CampaignMap.size() > kLongestMapName ||
        t.CampaignMap.find('\0') != std::string::npos)
        r.Fail("the campaign mission's name is empty, too long or holds a NUL");
    t.TanksBuilt = r.I32();
    t.MoneyEarned = r.I32();
    if (t.TanksBuilt < 0 || t.MoneyEarned < 0) r.Fail("a negative count in the battle's statistics");
    g.Tally = std::move(t);
}

}  // namespace tavrine
