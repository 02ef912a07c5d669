#include "editor/placing.h"

#include <memory>

#include "editor/footprint.h"
#include "sim/grid.h"
#include "sim/production.h"

namespace tavrine {

namespace {

constexpr Color kWaterGroundColor = 0x800000;
constexpr Color kMountainGroundColor = 0xC0C0C0;
constexpr Color kLandGroundColor = 0x008000;

bool IsGroundPicture(const ImageRef& p) {
    return p.Group == 0 && p.Subgroup >= 0 && p.Subgroup <= 2 && p.List >= 0 && p.List <= 4;
}

Color GroundColorOf(const ImageRef& p) {
    if (p.Subgroup == 0) return kWaterGroundColor;
    if (p.Subgroup == 2 && p.List == 0) return kMountainGroundColor;
    return kLandGroundColor;
}

/// Map pixels to a cell; points left of or above the map give negative cells.
std::int32_t PixelToCell(std::int32_t pixel, std::int32_t cellSize) {
    return pixel < 0 ? -1 - (-1 - pixel) / cellSize : pixel / cellSize;
}

}  // namespace

Color SceneryColor(const RunState& run, std::int32_t list) {
    const auto i = static_cast<std::size_t>(list);
    return list >= 0 && i < run.ObjectColors.size() ? run.ObjectColors[i] : run.ObjectColors[0];
}

Color ObjectColor(std::int32_t group, std::int32_t subgroup) {
    if (group == KindTower || group == KindBuilding) {
        if (subgroup == SideComputer) return 0x000080;
        if (subgroup == SidePlayer) return 0x00A0A0;
        return 0;
    }
    return 0x00C000;
}

void PlaceScenery(GameType& g, const RunState& run, const ImageRef& picture, std::int32_t column, std::int32_t row) {
    if (!g.OnMap(column, row)) return;
    GameCellType& c = g.Cell(column, row);
    const std::int32_t anchor = CellIndex(g, column, row);
    if (!c.Object) {
        c.Object = std::make_unique<GameCellObjectType>();
    } else if (c.Object->Image.Group != KindDecoration) {
        // A tower or building becoming scenery no longer covers its other cells.
        ReleaseFootprint(g, anchor);
    }
    GameCellObjectType& o = *c.Object;
    o.Image = ImageRef{KindDecoration, picture.Subgroup, picture.List, picture.Frame};
    o.DestroyTimer = -1;
    o.Health = 100;
    c.Occupant = anchor;
    c.Occupancy = CellObject;
    c.MinimapColor = SceneryColor(run, picture.List);
}

DropResult PlaceObject(GameType& g, const ImageLibrary& lib, const ImageRef& picture, std::int32_t column, std::int32_t row) {
    std::int32_t w = 0, h = 0;
    if (!g.OnMap(column, row) || !ImageSize(lib, picture, w, h)) return DropResult::Ignored;
    const std::int32_t anchor = CellIndex(g, column, row);
    const Color colour = ObjectColor(picture.Group, picture.Subgroup);

    // The object placed here before goes, and with it every mark tying a cell
    // to this anchor: a smaller picture must not leave cells blocked by nothing.
    if (g.Cell(column, row).Object) ReleaseFootprint(g, anchor);

    const CellXY end = FootprintEnd(g, column, row, w, h);
    bool clipped = false;
    for (std::int32_t x = column; x <= end.X; ++x) {
        for (std::int32_t y = row; y <= end.Y; ++y) {
            if (!g.OnMap(x, y)) {
                clipped = true;
                continue;
            }
            GameCellType& c = g.Cell(x, y);
            c.MinimapColor = colour;
            c.Occupant = anchor;
            c.Occupancy = CellObject;
        }
    }

    auto o = std::make_unique<GameCellObjectType>();
    o->Image = picture;
    o->Spare = 0;
    o->DestroyTimer = -1;
    o->Health = 100;
    o->ReloadCounter = 0;
    o->TowerState = 0;
    o->TowerTarget = -1;
    o->AimTicks = 0;
    o->RestFacing = picture.Frame;
    o->ScanCounter = 0;
    o->HitTimer = 0;
    g.Cell(column, row).Object = std::move(o);
    g.SelectedBuilding = anchor;
    return clipped ? DropResult::ObjectClipped : DropResult::Object;
}

DropResult DropPicture(SimContext& ctx, const ImageRef& picture, std::int32_t mapX, std::int32_t mapY) {
    GameType& g = ctx.G;
    if (!FindPicture(ctx.Lib, picture) || g.CellWidth <= 0 || g.CellHeight <= 0) return DropResult::Ignored;
    const std::int32_t column = PixelToCell(mapX, g.CellWidth);
    const std::int32_t row = PixelToCell(mapY, g.CellHeight);
    if (!g.OnMap(column, row)) return DropResult::Ignored;

    if (IsGroundPicture(picture)) {
        GameCellType& c = g.Cell(column, row);
        c.Ground = picture;
        c.GroundColor = GroundColorOf(picture);
        c.MinimapColor = c.GroundColor;
        return DropResult::Ground;
    }
    if (picture.Group == KindDecoration) {
        PlaceScenery(g, ctx.Run, picture, column, row);
        return DropResult::Scenery;
    }
    if (picture.Group < KindTank) return PlaceObject(g, ctx.Lib, picture, column, row);
    if (picture.Group == KindTank) {
        // A tank list holds the hull pictures of the 16 facings followed by the
        // turret pictures; a dropped turret picture means the same facing.
        const std::int32_t facing = picture.Frame % 16;
        CreateTank(ctx, column, row, false, facing, picture.List, picture.Subgroup, KindTank);
        return DropResult::Tank;
    }
    return DropResult::Ignored;
}

}  // namespace tavrine
