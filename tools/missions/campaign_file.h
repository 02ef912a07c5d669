// The campaign file the game reads, made from the catalogue and its texts.
#pragma once

#include "campaign_texts.h"
#include "state/campaign.h"

namespace tavrine::missions {

/// The campaign as the game reads it.
inline Campaign CampaignOfCatalogue() {
    Campaign campaign;
    for (std::size_t i = 0; i < kMissionCatalogue.size(); ++i) {
        const MissionEntry& m = kMissionCatalogue[i];
        const CampaignText& t = kCampaignTexts[i];
        CampaignMission c{std::string(m.File), std::string(m.Title), std::string(t.Objective), {}, {}};
        for (const std::string_view line : t.Story)
            if (!line.empty()) c.Story.emplace_back(line);
        for (const std::string_view line : t.New)
            if (!line.empty()) c.New.emplace_back(line);
        campaign.push_back(std::move(c));
    }
    return campaign;
}

}  // namespace tavrine::missions
