#include "view/keys.h"

#include <algorithm>

#include "sim/grid.h"
#include "view/scroll.h"

namespace tavrine {

namespace {

/// 0 to 8 for the keys 1 to 9, -1 for any other key.
int GroupOf(GameKey key) {
    const int n = static_cast<int>(key) - static_cast<int>(GameKey::Digit1);
    return n >= 0 && n < static_cast<int>(kControlGroups) ? n : -1;
}

bool PlayersTank(const GameType& g, std::int32_t i) {
    return i >= 0 && static_cast<std::size_t>(i) < g.Tanks.size() && g.Tanks[static_cast<std::size_t>(i)]->Side() == SidePlayer;
}

/// Makes exactly the tanks `chosen` accepts the selection, as a band does.
template <typename Chosen>
void SelectOnly(GameType& g, Chosen&& chosen) {
    bool any = false;
    for (std::size_t i = 0; i < g.Tanks.size(); ++i) {
        auto& t = *g.Tanks[i];
        t.Selected = t.Side() == SidePlayer && chosen(static_cast<std::int32_t>(i), t) ? 1 : 0;
        any = any || t.Selected;
    }
    g.SelectedBuilding = -1;
    g.UnitsSelected = any ? 1 : 0;
}

}  // namespace

std::uint8_t ArrowOf(GameKey key) {
    switch (key) {
        case GameKey::Left: return ArrowLeft;
        case GameKey::Right: return ArrowRight;
        case GameKey::Up: return ArrowUp;
        case GameKey::Down: return ArrowDown;
        default: return 0;
    }
}

bool IsBattleKey(GameKey key, bool ctrl) {
    return ArrowOf(key) != 0 || GroupOf(key) >= 0 || (ctrl && key == GameKey::A);
}

void BattleKeyDown(SimContext& ctx, GameKey key, bool ctrl, bool shift) {
    RunState& run = ctx.Run;
    if (const std::uint8_t arrow = ArrowOf(key)) {
        run.HeldArrows |= arrow;
        run.TappedArrows |= arrow;
        return;
    }
    if (ctrl && key == GameKey::A) {
        SelectAllInView(ctx);
        return;
    }
    const int n = GroupOf(key);
    if (n < 0) return;
    const auto group = static_cast<std::size_t>(n);
    if (ctrl) {
        StoreGroup(ctx.G, run, group);
        return;
    }
    if (shift) {
        AddGroup(ctx.G, run, group);
        return;
    }
    if (!SelectGroup(ctx.G, run, group)) return;
    const std::int64_t elapsed = (run.TickCount - run.LastGroupRecallTick) * std::max(run.TimerInterval, 1);
    if (run.LastGroupRecalled == n && elapsed <= kGroupCentreMs) CentreOnGroup(ctx, group);
    run.LastGroupRecalled = n;
    run.LastGroupRecallTick = run.TickCount;
}

void BattleKeyUp(RunState& run, GameKey key) {
    run.HeldArrows &= static_cast<std::uint8_t>(~ArrowOf(key));
    if (key == GameKey::R) run.RallyKeyHeld = 0;
}

bool KeyboardScroll(GameType& g, RunState& run) {
    const std::uint8_t arrows = run.HeldArrows | run.TappedArrows;
    run.TappedArrows = 0;
    if (!arrows) return false;
    const auto axis = [&](std::uint8_t minus, std::uint8_t plus) {
        return ((arrows & plus) ? run.ScrollStep : 0) - ((arrows & minus) ? run.ScrollStep : 0);
    };
    ScrollBy(g, run, axis(ArrowLeft, ArrowRight), axis(ArrowUp, ArrowDown));
    return true;
}

void StoreGroup(const GameType& g, RunState& run, std::size_t n) {
    auto& group = run.ControlGroups.at(n);
    group.clear();
    for (std::size_t i = 0; i < g.Tanks.size(); ++i)
        if (g.Tanks[i]->Selected && g.Tanks[i]->Side() == SidePlayer) group.push_back(static_cast<std::int32_t>(i));
}

bool SelectGroup(GameType& g, const RunState& run, std::size_t n) {
    const auto& group = run.ControlGroups.at(n);
    if (std::none_of(group.begin(), group.end(), [&](std::int32_t i) { return PlayersTank(g, i); })) return false;
    SelectOnly(g, [&](std::int32_t i, const GameObjectType&) { return std::find(group.begin(), group.end(), i) != group.end(); });
    return true;
}

bool AddGroup(GameType& g, const RunState& run, std::size_t n) {
    const auto& group = run.ControlGroups.at(n);
    if (std::none_of(group.begin(), group.end(), [&](std::int32_t i) { return PlayersTank(g, i); })) return false;
    // A computer tank looked at is no part of a selection to add to.
    const bool keep = g.UnitsSelected != 0;
    SelectOnly(g, [&](std::int32_t i, const GameObjectType& t) {
        return (keep && t.Selected) || std::find(group.begin(), group.end(), i) != group.end();
    });
    return true;
}

void SelectAllInView(SimContext& ctx) {
    const GameType& g = ctx.G;
    const std::int64_t left = g.ViewX, top = g.ViewY;
    const std::int64_t right = left + ctx.Run.DisplayWidth, bottom = top + ctx.Run.DisplayHeight;
    SelectOnly(ctx.G, [&](std::int32_t, const GameObjectType& t) {
        const PixelXY c = TankCentre(t, ctx.Lib);
        return c.X >= left && c.X < right && c.Y >= top && c.Y < bottom;
    });
}

void CentreOnGroup(SimContext& ctx, std::size_t n) {
    std::int64_t sumX = 0, sumY = 0, count = 0;
    for (std::int32_t i : ctx.Run.ControlGroups.at(n)) {
        if (!PlayersTank(ctx.G, i)) continue;
        const PixelXY c = TankCentre(*ctx.G.Tanks[static_cast<std::size_t>(i)], ctx.Lib);
        sumX += c.X;
        sumY += c.Y;
        ++count;
    }
    if (count == 0) return;
    GameType& g = ctx.G;
    const std::int64_t dx = sumX / count - ctx.Run.DisplayWidth / 2 - g.ViewX;
    const std::int64_t dy = sumY / count - ctx.Run.DisplayHeight / 2 - g.ViewY;
    const auto clamp = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, -(std::int64_t{1} << 30), std::int64_t{1} << 30));
    };
    ScrollBy(g, ctx.Run, clamp(dx), clamp(dy));
}

}  // namespace tavrine
