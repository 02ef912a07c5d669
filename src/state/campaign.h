// The campaign: the prepared missions in their teaching order with the texts of
// their briefings, and the player's progress through them.
//
// The campaign file (Campaign.txt among the game's read-only files) is written by
// the mission generator and read at start-up:
//   Tavrine campaign 1
//   mission FILE          a prepared map's name in NewGames; starts a mission
//   name TEXT             once per mission
//   objective TEXT        once per mission, a few words
//   story TEXT            one to four lines of story
//   new TEXT              one to four lines of what the mission teaches
//
// The progress file (Campaign progress.txt in the player's data folder) is ours to
// write and read back:
//   Tavrine progress 1
//   open-all 0|1          every mission open, won or not
//   result FILE<TAB>DIFFICULTY<TAB>PLAYED<TAB>WON<TAB>SECONDS<TAB>BUILT<TAB>TANKS<TAB>BUILDINGS<TAB>MONEY
// one result line per mission and difficulty (0..2): battles finished, battles
// won, and the statistics of the fastest win (all 0 before the first win).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/game_paths.h"

namespace tavrine {

inline constexpr std::string_view kCampaignFileName = "Campaign.txt";
inline constexpr std::string_view kProgressFileName = "Campaign progress.txt";
/// Neither file comes near this; a larger one is damaged.
inline constexpr std::size_t kMaxCampaignFileBytes = 1 << 20;
inline constexpr std::size_t kMaxCampaignMissions = 64;
inline constexpr std::size_t kMaxBriefingLines = 4;
inline constexpr std::size_t kMaxCampaignLineLength = 300;

struct CampaignMission {
    std::string File;  ///< the prepared map in NewGames
    std::string Name;
    std::string Objective;
    std::vector<std::string> Story;
    std::vector<std::string> New;

    friend bool operator==(const CampaignMission&, const CampaignMission&) = default;
};

using Campaign = std::vector<CampaignMission>;

/// The campaign file's text; nothing, with `error` naming the line, when it is
/// malformed (unknown key, a field twice or missing, too many lines or missions,
/// a file name that is not a plain name, a control character).
std::optional<Campaign> ParseCampaign(std::string_view text, std::string& error);
std::string FormatCampaign(const Campaign& campaign);

/// How one battle went, in the player's terms.
struct BattleStatistics {
    std::int32_t Seconds = 0;  ///< game time
    std::int32_t TanksBuilt = 0;
    std::int32_t TanksDestroyed = 0;  ///< enemy tanks
    std::int32_t BuildingsDestroyed = 0;  ///< enemy towers and buildings
    std::int32_t MoneyEarned = 0;

    friend bool operator==(const BattleStatistics&, const BattleStatistics&) = default;
};

/// A mission's record on one difficulty.
struct MissionRecord {
    std::int32_t Played = 0;  ///< battles finished, won or lost
    std::int32_t Won = 0;
    BattleStatistics Best;  ///< the fastest win

    friend bool operator==(const MissionRecord&, const MissionRecord&) = default;
};

struct CampaignProgress {
    bool OpenAll = false;
    /// By the mission's file name; Easy, Normal, Difficult.
    std::map<std::string, std::array<MissionRecord, 3>> Missions;

    friend bool operator==(const CampaignProgress&, const CampaignProgress&) = default;
};

std::optional<CampaignProgress> ParseProgress(std::string_view text, std::string& error);
std::string FormatProgress(const CampaignProgress& progress);

/// Notes a finished battle of the mission `file`: one more played, and when won,
/// one more won and the statistics if it is the fastest win.
void RecordBattle(CampaignProgress& progress, const std::string& file, std::int32_t difficulty, bool won,
                  const BattleStatistics& statistics);

/// The mission at `index` (from 0) may be started: the first always, any other
/// once the one before it was won on some difficulty, or all with `OpenAll`.
bool MissionOpen(const Campaign& campaign, const CampaignProgress& progress, std::size_t index);

/// The index of the campaign's mission `file`, or nothing.
std::optional<std::size_t> CampaignIndexOf(const Campaign& campaign, const std::string& file);

/// "m:ss" under an hour, "h:mm:ss" above.
std::string CampaignTime(std::int32_t seconds);

/// What loading the progress found.
struct ProgressLoad {
    CampaignProgress Progress;
    /// False when a damaged file could not be moved aside: it must not be
    /// written over, so progress is not kept this session.
    bool Writable = true;
    /// For the player when the file was damaged (empty otherwise).
    std::string Message;
};

/// Reads the progress file of `paths`. Missing: a fresh campaign. Damaged: it is
/// renamed to "Campaign progress (damaged).txt" (or "... (damaged 2).txt" and on,
/// never over another file), the campaign starts afresh and `Message` says so.
ProgressLoad LoadProgress(const GamePaths& paths);

/// Writes the progress file atomically (its folder made when missing). False on failure.
bool SaveProgress(const GamePaths& paths, const CampaignProgress& progress);

/// Reads the shipped campaign file; nothing, with `error`, when it is missing or
/// malformed.
std::optional<Campaign> LoadCampaign(const GamePaths& paths, std::string& error);

}  // namespace tavrine
