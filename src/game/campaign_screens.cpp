#include "game/campaign_screens.h"

#include "state/run_state.h"
#include "state/saved_game.h"
#include "view/minimap.h"
#include "view/status.h"

namespace tavrine {

std::vector<CampaignRow> CampaignRows(const Campaign& campaign, const CampaignProgress& progress) {
    std::vector<CampaignRow> rows;
    for (std::size_t i = 0; i < campaign.size(); ++i) {
        CampaignRow row{campaign[i].Name, campaign[i].Objective, MissionOpen(campaign, progress, i), {"-", "-", "-"}};
        if (const auto it = progress.Missions.find(campaign[i].File); it != progress.Missions.end())
            for (std::size_t d = 0; d < row.Results.size(); ++d) {
                const MissionRecord& r = it->second[d];
                if (r.Won > 0) row.Results[d] = "won in " + CampaignTime(r.Best.Seconds);
                else if (r.Played > 0) row.Results[d] = "not won";
            }
        rows.push_back(std::move(row));
    }
    return rows;
}

void WriteCampaignJson(JsonWriter& w, const Campaign& campaign, const CampaignProgress& progress) {
    static constexpr const char* kLevels[] = {"Easy", "Normal", "Difficult"};
    w.Key("Campaign").BeginObject();
    w.Key("OpenAll").Bool(progress.OpenAll);
    w.Key("Missions").BeginArray();
    for (std::size_t i = 0; i < campaign.size(); ++i) {
        w.BeginObject();
        w.Field("File", campaign[i].File);
        w.Field("Name", campaign[i].Name);
        w.Key("Open").Bool(MissionOpen(campaign, progress, i));
        const auto it = progress.Missions.find(campaign[i].File);
        for (std::size_t d = 0; d < 3; ++d) {
            const MissionRecord r = it == progress.Missions.end() ? MissionRecord{} : it->second[d];
            w.Key(kLevels[d]).BeginObject();
            w.Field("Played", r.Played);
            w.Field("Won", r.Won);
            w.Field("BestSeconds", r.Best.Seconds);
            w.Field("TanksBuilt", r.Best.TanksBuilt);
            w.Field("TanksDestroyed", r.Best.TanksDestroyed);
            w.Field("BuildingsDestroyed", r.Best.BuildingsDestroyed);
            w.Field("MoneyEarned", r.Best.MoneyEarned);
            w.EndObject();
        }
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

std::optional<Briefing> MakeBriefing(const Campaign& campaign, std::size_t index, const std::string& mapPath) {
    GameType g;
    if (index >= campaign.size() || ReadGameFile(mapPath, g) != LoadResult::Ok) return std::nullopt;
    const CampaignMission& m = campaign[index];
    Briefing b{"Mission " + std::to_string(index + 1) + ": " + m.Name, m.Objective, MissionText(g.Mission), m.Story,
               m.New, g.Columns, g.Rows, {}};
    // The fog as the mission starts: the map as a battle in play shows it.
    const RunState run;
    b.Outline.reserve(static_cast<std::size_t>(g.Columns) * static_cast<std::size_t>(g.Rows));
    for (std::int32_t y = 0; y < g.Rows; ++y)
        for (std::int32_t x = 0; x < g.Columns; ++x) b.Outline.push_back(MinimapCellColor(g, run, x, y, false));
    return b;
}

}  // namespace tavrine
