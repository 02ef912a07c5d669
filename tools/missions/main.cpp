// tavrine-missions LIBRARY FOLDER [CAMPAIGN]: builds the prepared missions into
// FOLDER (the program's NewGames), with the picture sizes of the library LIBRARY,
// and writes the campaign file CAMPAIGN (the program folder's Campaign.txt).
//   tavrine-missions --list   prints the catalogue, one mission a line:
//   file, columns, rows, mission type, Easy win minutes, idle loss minutes, quick
#include <cstdio>
#include <string>

#include "campaign_file.h"
#include "catalogue.h"
#include "data/file_io.h"
#include "game/game.h"
#include "mapgen/map_builder.h"
#include "missions.h"
#include "platform/host.h"

int main(int argc, char** argv) {
    using namespace tavrine::missions;
    if (argc == 2 && std::string(argv[1]) == "--list") {
        for (const MissionEntry& m : kMissionCatalogue)
            std::printf("%.*s\t%d\t%d\t%d\t%d\t%d\t%d\n", static_cast<int>(m.File.size()), m.File.data(), m.Columns, m.Rows,
                        m.Mission, m.EasyWinMinutes, m.IdleLossMinutes, m.Quick ? 1 : 0);
        return 0;
    }
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: tavrine-missions LIBRARY.isd FOLDER [CAMPAIGN.txt]\n       tavrine-missions --list\n");
        return 2;
    }
    tavrine::QuietHost host;
    tavrine::ImageLibrary library;
    if (!tavrine::LoadImageLibraryFrom(host, argv[1], library)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], host.lastMessage.empty() ? "cannot be read" : host.lastMessage.c_str());
        return 1;
    }
    for (int i = 0; i < static_cast<int>(kMissionCatalogue.size()); ++i) {
        try {
            BuildMission(i, library, argv[2]);
        } catch (const MapError& e) {
            const auto& file = kMissionCatalogue[static_cast<std::size_t>(i)].File;
            std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(file.size()), file.data(), e.what());
            return 1;
        }
    }
    if (argc == 4) {
        const std::string text = tavrine::FormatCampaign(CampaignOfCatalogue());
        if (!tavrine::WriteFileAtomically(argv[3], tavrine::Bytes(text.begin(), text.end()))) {
            std::fprintf(stderr, "%s: cannot be written\n", argv[3]);
            return 1;
        }
    }
    return 0;
}
