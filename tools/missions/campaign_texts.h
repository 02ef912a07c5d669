// The campaign: the prepared missions in the order they teach the game, each with
// its briefing. The generator writes it into the program folder as Campaign.txt,
// which the game reads; the guide's mission pages are written from it too.
#pragma once

#include <array>
#include <string_view>

#include "catalogue.h"

namespace tavrine::missions {

struct CampaignText {
    std::string_view Objective;  ///< a few words
    std::array<std::string_view, 2> Story;
    std::array<std::string_view, 2> New;  ///< what the mission teaches; the second may be empty
};

/// By the catalogue's order, which is the campaign's.
inline constexpr std::array<CampaignText, kMissionCatalogue.size()> kCampaignTexts{{
    {"Find the enemy headquarters and destroy it.",
     {"You have landed on the south-west beach with twenty tanks.",
      "An enemy depot guards the field ahead; their headquarters lies beyond it to the north-east."},
     {"Click a tank to select it, or drag a band around several; click open land to send them there.",
      "Click an enemy building with tanks selected to attack it."}},
    {"Destroy every enemy building.",
     {"A river runs between you and the enemy, and they hold the far bank.",
      "Three fords cross it; their towers watch the water."},
     {"Towers fire on anything in reach: attack them with several tanks at once.",
      "Your factories build new tanks while you have money; send them after the others."}},
    {"Hold your headquarters; destroy every enemy building.",
     {"A mountain chain with two passes shields your headquarters.",
      "The enemy is massing behind it and will come in waves."},
     {"Lose your headquarters and the mission is lost: keep tanks at home to meet each wave.",
      "Strike back between the waves."}},
    {"Destroy every enemy building and tank.",
     {"Two valleys divided by broken ranges lead north to the enemy's stronghold.",
      "Every last enemy tank must fall, not only the buildings."},
     {"Hunt down stragglers: the mission ends only when no enemy is left.", ""}},
    {"Hold your headquarters; find and destroy the enemy's.",
     {"Lakes break the land into narrow causeways.",
      "The enemy headquarters hides among the lakes to the north-east."},
     {"Crossing water: tanks cross only where land or a bridge joins the banks.",
      "A narrow crossing takes one tank at a time; do not let a column stall on it."}},
    {"Hold your headquarters; destroy every enemy tank and building.",
     {"The enemy has walled in a city on the east coast.",
      "Its tanks come out through the gates."},
     {"Walls cannot be attacked: break in through the gates.", ""}},
    {"Find the enemy headquarters and destroy it.",
     {"A chain of islands joined by narrow necks of land.",
      "The enemy headquarters stands on the farthest island."},
     {"A long march: scout ahead with the minimap and keep your column together.", ""}},
    {"Destroy every enemy building and tank.",
     {"The last battle: a whole continent of rivers, lakes and mountain ranges.",
      "Four enemy bases hold it."},
     {"A large map: fight on several fronts and use every factory you take.", ""}},
}};

}  // namespace tavrine::missions
