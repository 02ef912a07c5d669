#include "state/section_skirmish.h"

#include <string>

namespace tavrine {

void WriteSkirmishSection(gamefile::Writer& w, const GameType& g) {
    if (!g.InSkirmish) return;
    const SkirmishSetup& k = g.SkirmishPlayed;
    w.U32(static_cast<std::uint32_t>(k.Seed));
    w.U32(static_cast<std::uint32_t>(k.Seed >> 32));
    for (const std::int32_t v : {k.Landscape, k.Columns, k.Rows, k.Symmetry, k.Mission, k.Scenery, k.Difficulty}) w.I32(v);
}

void ReadSkirmishSection(gamefile::Reader& r, GameType& g) {
    SkirmishSetup k;
    const std::uint64_t low = r.U32();
    k.Seed = low | static_cast<std::uint64_t>(r.U32()) << 32;
    struct Field {
        std::int32_t& Value;
        std::int32_t Low, High;
        const char* Name;
    };
    const Field fields[] = {{k.Landscape, 0, 4, "landscape"}, {k.Columns, 40, 200, "columns"}, {k.Rows, 30, 200, "rows"},
                            {k.Symmetry, 0, 2, "symmetry"},   {k.Mission, 0, 5, "mission"},     {k.Scenery, 0, 3, "scenery"},
                            {k.Difficulty, 0, 2, "difficulty"}};
    for (const Field& f : fields) {
        f.Value = r.I32();
        if (f.Value < f.Low || f.Value > f.High) r.Fail("the skirmish's " + std::string(f.Name) + " is out of range");
    }
    g.InSkirmish = 1;
    g.SkirmishPlayed = k;
}

}  // namespace tavrine
