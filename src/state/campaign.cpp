#include "state/campaign.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "data/file_io.h"

namespace tavrine {

namespace {

constexpr std::string_view kCampaignHeader = "Tavrine campaign 1";
constexpr std::string_view kProgressHeader = "Tavrine progress 1";

/// Splits `text` into lines (LF, CR LF); false when a line is too long or holds
/// a control character other than a tab.
bool SplitLines(std::string_view text, std::vector<std::string_view>& lines, std::string& error) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::string where = "line " + std::to_string(lines.size() + 1);
        if (line.size() > kMaxCampaignLineLength) {
            error = where + ": too long";
            return false;
        }
        for (const char c : line)
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
                error = where + ": a control character";
                return false;
            }
        lines.push_back(line);
        start = end + 1;
    }
    return true;
}

bool PlainFileName(std::string_view name) {
    return !name.empty() && name.front() != '.' && name.find_first_of("/\\\t") == std::string_view::npos &&
           name.find_first_not_of(' ') != std::string_view::npos;
}

std::optional<std::int32_t> Count(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    std::int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::vector<std::string_view> SplitTabs(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = text.find('\t', start);
        fields.push_back(text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

std::string MissionProblem(const CampaignMission& m) {
    if (m.Name.empty()) return "has no name";
    if (m.Objective.empty()) return "has no objective";
    if (m.Story.empty()) return "has no story";
    return {};
}

/// The lines of a campaign or progress file whose first line is `header`;
/// false, with the reason in `error`, for a file too large, not text, or of
/// another kind or version.
bool HeadedLines(std::string_view text, std::string_view header, std::string_view kind, std::vector<std::string_view>& lines,
                 std::string& error) {
    if (text.size() > kMaxCampaignFileBytes) {
        error = "the file is too large";
        return false;
    }
    if (!SplitLines(text, lines, error)) return false;
    if (lines.empty() || lines[0] != header) {
        error = "line 1: not a " + std::string(kind) + " file of this version";
        return false;
    }
    return true;
}

}  // namespace

std::optional<Campaign> ParseCampaign(std::string_view text, std::string& error) {
    std::vector<std::string_view> lines;
    if (!HeadedLines(text, kCampaignHeader, "campaign", lines, error)) return std::nullopt;
    Campaign campaign;
    const auto finish = [&](std::size_t lineNumber) {
        if (campaign.empty()) return true;
        const std::string problem = MissionProblem(campaign.back());
        if (problem.empty()) return true;
        error = "line " + std::to_string(lineNumber) + ": mission \"" + campaign.back().File + "\" " + problem;
        return false;
    };
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        if (line.empty() || line.front() == '#') continue;
        const std::size_t blank = line.find(' ');
        const std::string_view key = line.substr(0, blank);
        const std::string_view value = blank == std::string_view::npos ? std::string_view{} : line.substr(blank + 1);
        if (value.empty()) {
            error = where + "\"" + std::string(key) + "\" without a text";
            return std::nullopt;
        }
        if (key == "mission") {
            if (!finish(i)) return std::nullopt;
            if (!PlainFileName(value)) {
                error = where + "the mission's file is not a plain file name";
                return std::nullopt;
            }
            if (campaign.size() == kMaxCampaignMissions) {
                error = where + "too many missions";
                return std::nullopt;
            }
            campaign.push_back(CampaignMission{std::string(value), {}, {}, {}, {}});
            continue;
        }
        if (campaign.empty()) {
            error = where + "\"" + std::string(key) + "\" before the first mission";
            return std::nullopt;
        }
        CampaignMission& m = campaign.back();
        std::string* single = key == "name" ? &m.Name : key == "objective" ? &m.Objective : nullptr;
        std::vector<std::string>* list = key == "story" ? &m.Story : key == "new" ? &m.New : nullptr;
        if (single) {
            if (!single->empty()) {
                error = where + "a second \"" + std::string(key) + "\"";
                return std::nullopt;
            }
            *single = value;
        } else if (list) {
            if (list->size() == kMaxBriefingLines) {
                error = where + "more than four \"" + std::string(key) + "\" lines";
                return std::nullopt;
            }
            list->emplace_back(value);
        } else {
            error = where + "unknown key \"" + std::string(key) + "\"";
            return std::nullopt;
        }
    }
    if (!finish(lines.size())) return std::nullopt;
    if (campaign.empty()) {
        error = "no missions";
        return std::nullopt;
    }
    return campaign;
}

std::string FormatCampaign(const Campaign& campaign) {
    std::string text = std::string(kCampaignHeader) + "\n";
    for (const CampaignMission& m : campaign) {
        text += "\nmission " + m.File + "\nname " + m.Name + "\nobjective " + m.Objective + "\n";
        for (const std::string& line : m.Story) text += "story " + line + "\n";
        for (const std::string& line : m.New) text += "new " + line + "\n";
    }
    return text;
}

std::optional<CampaignProgress> ParseProgress(std::string_view text, std::string& error) {
    std::vector<std::string_view> lines;
    if (!HeadedLines(text, kProgressHeader, "progress", lines, error)) return std::nullopt;
    CampaignProgress progress;
    bool openAllSeen = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        if (line.empty()) continue;
        if (line == "open-all 0" || line == "open-all 1") {
            if (openAllSeen) {
                error = where + "a second \"open-all\"";
                return std::nullopt;
            }
            openAllSeen = true;
            progress.OpenAll = line.back() == '1';
            continue;
        }
        if (!line.starts_with("result ")) {
            error = where + "neither \"open-all\" nor \"result\"";
            return std::nullopt;
        }
        const std::vector<std::string_view> f = SplitTabs(line.substr(7));
        if (f.size() != 9) {
            error = where + "a result has nine fields";
            return std::nullopt;
        }
        if (!PlainFileName(f[0])) {
            error = where + "the mission's file is not a plain file name";
            return std::nullopt;
        }
        std::array<std::int32_t, 8> n{};
        for (std::size_t k = 0; k < n.size(); ++k) {
            const std::optional<std::int32_t> value = Count(f[k + 1]);
            if (!value) {
                error = where + "field " + std::to_string(k + 2) + " is not a count";
                return std::nullopt;
            }
            n[k] = *value;
        }
        if (n[0] > 2 || n[2] > n[1] || (n[2] == 0 && (n[3] | n[4] | n[5] | n[6] | n[7]) != 0)) {
            error = where + "the counts do not fit together";
            return std::nullopt;
        }
        if (progress.Missions.size() >= kMaxCampaignMissions && !progress.Missions.contains(std::string(f[0]))) {
            error = where + "too many missions";
            return std::nullopt;
        }
        MissionRecord& r = progress.Missions[std::string(f[0])][static_cast<std::size_t>(n[0])];
        if (r.Played != 0) {
            error = where + "a second result for this mission and difficulty";
            return std::nullopt;
        }
        if (n[1] == 0) {
            error = where + "a result of no battle";
            return std::nullopt;
        }
        r = MissionRecord{n[1], n[2], BattleStatistics{n[3], n[4], n[5], n[6], n[7]}};
    }
    return progress;
}

std::string FormatProgress(const CampaignProgress& progress) {
    std::string text = std::string(kProgressHeader) + "\nopen-all " + (progress.OpenAll ? "1" : "0") + "\n";
    for (const auto& [file, records] : progress.Missions)
        for (std::size_t d = 0; d < records.size(); ++d) {
            const MissionRecord& r = records[d];
            if (r.Played == 0) continue;
            const BattleStatistics& s = r.Best;
            text += "result " + file;
            for (const std::int32_t n : {static_cast<std::int32_t>(d), r.Played, r.Won, s.Seconds, s.TanksBuilt,
                                         s.TanksDestroyed, s.BuildingsDestroyed, s.MoneyEarned})
                text += "\t" + std::to_string(n);
            text += "\n";
        }
    return text;
}

void RecordBattle(CampaignProgress& progress, const std::string& file, std::int32_t difficulty, bool won,
                  const BattleStatistics& statistics) {
    constexpr std::int32_t kMost = 999999999;
    MissionRecord& r = progress.Missions[file][static_cast<std::size_t>(difficulty < 0 ? 0 : difficulty > 2 ? 2 : difficulty)];
    if (r.Played < kMost) ++r.Played;
    if (!won) return;
    const bool fastest = r.Won == 0 || statistics.Seconds < r.Best.Seconds;
    if (r.Won < r.Played) ++r.Won;
    if (fastest) {
        r.Best = statistics;
        for (std::int32_t* n : {&r.Best.Seconds, &r.Best.TanksBuilt, &r.Best.TanksDestroyed, &r.Best.BuildingsDestroyed,
                                &r.Best.MoneyEarned})
            *n = *n < 0 ? 0 : *n > kMost ? kMost : *n;
    }
}

bool MissionOpen(const Campaign& campaign, const CampaignProgress& progress, std::size_t index) {
    if (index >= campaign.size()) return false;
    if (index == 0 || progress.OpenAll) return true;
    const auto before = progress.Missions.find(campaign[index - 1].File);
    if (before == progress.Missions.end()) return false;
    for (const MissionRecord& r : before->second)
        if (r.Won > 0) return true;
    return false;
}

std::optional<std::size_t> CampaignIndexOf(const Campaign& campaign, const std::string& file) {
    for (std::size_t i = 0; i < campaign.size(); ++i)
        if (campaign[i].File == file) return i;
    return std::nullopt;
}

std::string CampaignTime(std::int32_t seconds) {
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}

ProgressLoad LoadProgress(const GamePaths& paths) {
    ProgressLoad load;
    const std::string path = paths.CampaignProgressFile();
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) return load;
    std::string error = "it cannot be read";
    if (const std::optional<Bytes> bytes = ReadWholeFile(path, kMaxCampaignFileBytes + 1)) {
        const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
        if (std::optional<CampaignProgress> progress = ParseProgress(text, error)) {
            load.Progress = std::move(*progress);
            return load;
        }
    }
    // Kept aside under a name no other file has, so nothing the player had is lost.
    const std::string stem = path.substr(0, path.size() - 4);
    std::string aside;
    for (int n = 1; n <= 99 && aside.empty(); ++n) {
        const std::string candidate = stem + (n == 1 ? " (damaged).txt" : " (damaged " + std::to_string(n) + ").txt");
        if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, ec))) aside = candidate;
    }
    if (!aside.empty()) {
        std::filesystem::rename(path, aside, ec);
        if (ec) aside.clear();
    }
    load.Writable = !aside.empty();
    load.Message = "The campaign progress file \"" + path + "\" is damaged (" + error + "). " +
                   (aside.empty() ? std::string("It could not be moved aside, so this session keeps no progress.")
                                  : "It was kept as \"" + aside + "\" and the campaign starts afresh.");
    return load;
}

bool SaveProgress(const GamePaths& paths, const CampaignProgress& progress) {
    if (!paths.MakeFolder(paths.UserFolder())) return false;
    const std::string text = FormatProgress(progress);
    return WriteFileAtomically(paths.CampaignProgressFile(), Bytes(text.begin(), text.end()));
}

std::optional<Campaign> LoadCampaign(const GamePaths& paths, std::string& error) {
    const std::string path = paths.DataFile(kCampaignFileName);
    const std::optional<Bytes> bytes = ReadWholeFile(path, kMaxCampaignFileBytes + 1);
    if (!bytes) {
        error = "\"" + path + "\" cannot be read";
        return std::nullopt;
    }
    std::optional<Campaign> campaign =
        ParseCampaign(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), error);
    if (!campaign) error = "\"" + path + "\": " + error;
    return campaign;
}

}  // namespace tavrine
