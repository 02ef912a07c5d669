// What the campaign screen and the briefing show, made from the campaign, the
// player's progress and the mission's map.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/json_writer.h"
#include "platform/dialogs.h"
#include "state/campaign.h"

namespace tavrine {

/// One row per mission, in campaign order.
std::vector<CampaignRow> CampaignRows(const Campaign& campaign, const CampaignProgress& progress);

/// The briefing of mission `index`, with the outline of the map at `mapPath`;
/// nothing when the map cannot be read.
std::optional<Briefing> MakeBriefing(const Campaign& campaign, std::size_t index, const std::string& mapPath);

/// "Campaign": each mission in order with "File", "Name", "Open", "OpenAll" and per
/// difficulty ("Easy", "Normal", "Difficult") "Played", "Won", and the fastest
/// win's "BestSeconds", "TanksBuilt", "TanksDestroyed", "BuildingsDestroyed",
/// "MoneyEarned".
void WriteCampaignJson(JsonWriter& w, const Campaign& campaign, const CampaignProgress& progress);

}  // namespace tavrine
