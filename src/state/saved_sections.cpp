#include "state/saved_sections.h"

#include <algorithm>
#include <string>
#include <vector>

#include "state/section_commands.h"
#include "state/section_groups.h"
#include "state/section_skirmish.h"
#include "state/section_statistics.h"

namespace tavrine {

std::span<const GameFileSection> GameFileSections() {
    // One row per feature that keeps something across a save; add new rows at the end.
    static const std::vector<GameFileSection> sections = {
        {{'Q', 'U', 'E', 'U'}, WriteQueues, ReadQueues},
        {{'R', 'A', 'L', 'Y'}, WriteRallies, ReadRallies},
        {{'A', 'M', 'O', 'V'}, WriteAttackMoves, ReadAttackMoves},
        // The skirmish's seed and choices name the map; the battle is the same without them.
        {{'S', 'K', 'R', 'M'}, WriteSkirmishSection, ReadSkirmishSection, false},
        {{'G', 'R', 'U', 'P'}, WriteGroupSection, ReadGroupSection},
        {{'S', 'T', 'A', 'T'}, WriteStatisticsSection, ReadStatisticsSection, false},
    };
    return sections;
}

bool WriteGameSections(gamefile::Writer& w, const GameType& g, bool battleOnly) {
    bool any = false;
    for (const GameFileSection& section : GameFileSections()) {
        if (battleOnly && !section.Battle) continue;
        Bytes payload;
        gamefile::Writer pw(payload);
        section.Write(pw, g);
        if (payload.empty()) continue;
        w.Raw(std::span(reinterpret_cast<const std::uint8_t*>(section.Tag.data()), section.Tag.size()));
        w.Count(payload.size());
        w.Raw(payload);
        any = true;
    }
    return any;
}

void ReadGameSections(gamefile::Reader& r, GameType& g) {
    std::vector<std::array<char, 4>> seen;
    while (r.Remaining() != 0) {
        r.Part("sections");
        std::array<char, 4> tag{};
        const auto tagBytes = r.Take(tag.size());
        std::copy(tagBytes.begin(), tagBytes.end(), tag.begin());
        const std::string name(tag.begin(), tag.end());
        if (std::find(seen.begin(), seen.end(), tag) != seen.end()) r.Fail("the section " + name + " appears twice");
        seen.push_back(tag);
        const std::size_t length = r.Count("section bytes", 1);
        gamefile::Reader payload(r.Take(length));
        payload.Part("sections");
        const auto& known = GameFileSections();
        const auto it = std::find_if(known.begin(), known.end(), [&](const GameFileSection& s) { return s.Tag == tag; });
        if (it == known.end()) continue;  // written by a later build: not ours to read
        it->Read(payload, g);
        if (payload.Remaining() != 0) payload.Fail("the section " + name + " has " + std::to_string(payload.Remaining()) + " bytes too many");
    }
}

}  // namespace tavrine
