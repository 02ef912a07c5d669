// tavrine-sim campaign [--folder DIR] [--json]: the player's campaign progress, as
// a table or as one line of JSON ("Campaign", as `run` reports it).
#include <cstdio>

#include "commands.h"
#include "game/campaign_screens.h"
#include "data/file_io.h"

namespace tavrine::sim {

namespace {

int CampaignUsage() {
    std::fprintf(stderr, "usage: tavrine-sim campaign [--folder DIR] [--json]\n");
    return 2;
}

int ShowCampaign(const Args& args) {
    std::optional<std::string> folder;
    bool json = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") json = true;
        else if (args[i] == "--folder" && i + 1 < args.size()) folder = args[++i];
        else return CampaignUsage();
    }
    const GamePaths paths = folder ? GamePaths::Portable(*folder) : ProgramPaths();
    std::string problem;
    const std::optional<Campaign> campaign = LoadCampaign(paths, problem);
    if (!campaign) {
        std::fprintf(stderr, "tavrine-sim: %s\n", problem.c_str());
        return 1;
    }
    // Only read: a damaged progress file is reported and left where it is.
    CampaignProgress progress;
    if (const std::optional<Bytes> bytes = ReadWholeFile(paths.CampaignProgressFile(), kMaxCampaignFileBytes + 1)) {
        std::optional<CampaignProgress> read =
            ParseProgress(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), problem);
        if (!read) {
            std::fprintf(stderr, "tavrine-sim: %s is damaged: %s\n", paths.CampaignProgressFile().c_str(), problem.c_str());
            return 1;
        }
        progress = std::move(*read);
    }
    if (json) {
        JsonWriter w;
        w.BeginObject();
        WriteCampaignJson(w, *campaign, progress);
        w.EndObject();
        std::printf("%s\n", w.Text().c_str());
    } else {
        std::printf("%-3s %-20s %-5s %-14s %-14s %-14s\n", "#", "Mission", "Open", "Easy", "Normal", "Difficult");
        const std::vector<CampaignRow> rows = CampaignRows(*campaign, progress);
        for (std::size_t i = 0; i < rows.size(); ++i)
            std::printf("%-3zu %-20s %-5s %-14s %-14s %-14s\n", i + 1, rows[i].Name.c_str(), rows[i].Open ? "yes" : "no",
                        rows[i].Results[0].c_str(), rows[i].Results[1].c_str(), rows[i].Results[2].c_str());
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const CommandRegistration campaignRegistration("campaign", "campaign [--folder DIR] [--json]", ShowCampaign);

}  // namespace

}  // namespace tavrine::sim
