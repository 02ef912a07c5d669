// The guide's section on the prepared missions, written from the catalogue so
// that the guide always names the maps that ship and the times they were
// balanced to.
#pragma once

#include <string>

#include "campaign_texts.h"
#include "catalogue.h"

namespace tavrine::missions {

/// The mission texts of the New Game dialog's list, by mission type.
inline constexpr std::string_view kMissionTypeTexts[] = {
    "Destroy all the enemy buildings and kill all the enemies.",
    "Destroy all the enemy buildings.",
    "Find the enemy headquarters and destroy it.",
    "Defend army headquarters from enemies and kill all enemies.",
    "Defend army headquarters from enemies and destroy all enemy buildings.",
    "Defend army headquarters from enemies and find the enemy headquarters, destroy it.",
};

/// The section as HTML: one row per mission with its size, objective and
/// briefing, then the balancing figures.
/// The guide's cell for what an idle player does on Difficult: the minutes
/// within which the mission is lost, or "held" when waiting cannot lose it.
inline std::string IdleCell(const MissionEntry& m) { return m.IdleLossMinutes > 0 ? std::to_string(m.IdleLossMinutes) : "held"; }

inline std::string MissionsHelpSection() {
    std::string html = R"(<h2 id="campaign">The prepared missions</h2>
<p>The <code>NewGames</code> folder holds these battles, from a short first landing to a war over a whole continent.
Each starts with 5000 in money and with the ground around your forces uncovered; your scouts have also marked the
nearest enemy factory, whose attacks you will meet first.</p>
<table>
<tr><th>Map</th><th>Size</th><th>Mission</th><th>Briefing</th></tr>
)";
    for (const MissionEntry& m : kMissionCatalogue) {
        html += "<tr><td>" + std::string(m.File.substr(0, m.File.size() - 4)) + "</td><td>" + std::to_string(m.Columns) +
                " x " + std::to_string(m.Rows) + "</td><td>" + std::string(kMissionTypeTexts[m.Mission]) + "</td><td>" +
                std::string(m.Briefing) + "</td></tr>\n";
    }
    html += R"(</table>
<h3 id="campaign-order">The campaign</h3>
<p>Choose <b>Campaign...</b> in the Load Game dialog to play the missions in this order: each teaches one more
part of the game. The first is open from the start; each of the others opens once you have won the one before it, on
any difficulty (tick <b>Open every mission</b> on the campaign screen to play them in any order). Before each mission
a briefing shows its objective, its story and a first look at the map. Your results (battles played and won, the
fastest win and its statistics, per difficulty) are kept in <code>Campaign progress.txt</code> in your data folder;
if that file is ever damaged, the game says so, keeps it aside as <code>Campaign progress (damaged).txt</code> and
starts the campaign afresh.</p>
<ol>
)";
    for (std::size_t i = 0; i < kMissionCatalogue.size(); ++i) {
        const CampaignText& t = kCampaignTexts[i];
        html += "<li><b>" + std::string(kMissionCatalogue[i].Title) + "</b>: " + std::string(t.Objective) + "<br>";
        for (const std::string_view line : t.Story)
            if (!line.empty()) html += std::string(line) + " ";
        html += "<br><i>New:</i>";
        for (const std::string_view line : t.New)
            if (!line.empty()) html += " " + std::string(line);
        html += "</li>\n";
    }
    html += R"(</ol>
<h3>How long they last</h3>
<p>Every mission is played through by the game's own test pilot, which gives its orders with the mouse as you
would: it points its factories' rally flags at the front, gathers its tanks, moves them by attack-move and round
the towers by queued waypoints, attacks the nearest tower or building and keeps a guard at home. The figures are
game minutes at the Normal speed.</p>
<table>
<tr><th>Map</th><th>Test pilot on Easy: wins in about</th><th>always within</th><th>Doing nothing on Difficult: lost within</th></tr>
)";
    for (const MissionEntry& m : kMissionCatalogue)
        html += "<tr><td>" + std::string(m.Title) + "</td><td>" + std::to_string(m.TypicalWinMinutes) + "</td><td>" +
                std::to_string(m.EasyWinMinutes) + "</td><td>" + IdleCell(m) + "</td></tr>\n";
    html += R"(</table>
<p>On Easy a player who only waits held out for the whole half hour of every test: the computer's slow attacks
break on your towers. On Difficult its factories build a tank every three seconds and send them in fours, and a
player who does not fight back loses within minutes, though never in the first two; only River Crossing's towers and
two factories hold the far bank's attacks off for the whole half hour ("held").</p>
)";
    return html;
}

}  // namespace tavrine::missions
