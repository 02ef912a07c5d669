#include "state/section_groups.h"

#include <string>

namespace tavrine {

namespace {
/// The bytes of one entry: order index, PaceDistance, PaceStall.
constexpr std::size_t kEntryBytes = 12;
}  // namespace

void WriteGroupSection(gamefile::Writer& w, const GameType& g) {
    std::size_t n = 0;
    for (const auto& o : g.Orders) n += o->Together ? 1 : 0;
    if (n == 0) return;
    w.Count(n);
    for (const auto& o : g.Orders) {
        if (!o->Together) continue;
        w.I32(o->Index);
        w.I32(o->PaceDistance);
        w.I32(o->PaceStall);
    }
}

void ReadGroupSection(gamefile::Reader& r, GameType& g) {
    const std::size_t n = r.Count("groups", kEntryBytes);
    for (std::size_t i = 0; i < n; ++i) {
        const std::int32_t k = r.I32();
        if (k < 0 || static_cast<std::size_t>(k) >= g.Orders.size())
            r.Fail("the group order " + std::to_string(k) + " does not exist");
        OrderType& o = *g.Orders[static_cast<std::size_t>(k)];
        if (o.Together) r.Fail("the group order " + std::to_string(k) + " appears twice");
        o.Together = 1;
        o.PaceDistance = r.I32();
        o.PaceStall = r.I32();
        if (o.PaceDistance < 0 || o.PaceStall < 0) r.Fail("the group order " + std::to_string(k) + " has a negative pace");
    }
}

}  // namespace tavrine
