// The painter of one frame, shared by the world layers (draw_world.cpp) and the
// overlay (draw_overlay.cpp). Internal to the frame drawing.
#pragma once

#include <cstdint>

#include "platform/canvas.h"
#include "sim/context.h"
#include "sim/grid.h"
#include "view/draw_frame.h"

namespace tavrine::frame {

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kMaroon{128, 0, 0};
inline constexpr Rgb kSilver{192, 192, 192};

/// Adds with the wrap-around of the game's 32-bit integers, for positions and
/// counters that a foreign file may have left at an extreme value.
inline std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

/// A stored 0x00BBGGRR colour as the canvas takes it.
inline Rgb FromColor(Color c) {
    return {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF), static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

inline CanvasPicture AsCanvas(const Picture& p) { return {p.Width, p.Height, p.Pixels.data()}; }

inline std::int32_t Count(const PictureList& list) { return static_cast<std::int32_t>(list.Pictures.size()); }

inline const Picture& FrameOf(const PictureList& list, std::int32_t frame) { return list.Pictures[static_cast<std::size_t>(frame)]; }

/// Everything one frame draws with.
struct Painter {
    SimContext& Ctx;
    Canvas& C;
    const FrameOptions& Options;
    std::int32_t SW;
    std::int32_t SH;
    /// The map pixel at the picture's top-left corner (the game's view unless the
    /// options name another).
    std::int32_t OriginX = 0;
    std::int32_t OriginY = 0;

    GameType& G() { return Ctx.G; }
    RunState& Run() { return Ctx.Run; }
    const ImageLibrary& Lib() { return Ctx.Lib; }
    /// The battle is paused, or the frame is a still: the frame is drawn but
    /// nothing in it moves or ages.
    bool Frozen() { return Options.Still || BattlePaused(Ctx.Run); }

    // Screen position of a map pixel, computed wide: positions loaded from a
    // file may lie anywhere in the 32-bit range.
    std::int64_t ScreenX(std::int32_t x) { return std::int64_t{x} - OriginX; }
    std::int64_t ScreenY(std::int32_t y) { return std::int64_t{y} - OriginY; }

    /// Hands a picture to the canvas, which clips it. Positions far beyond any
    /// surface (possible only with a foreign file's values) are left out so the
    /// canvas always gets coordinates it can add sizes to.
    void Draw(std::int64_t x, std::int64_t y, const Picture& p) {
        constexpr std::int64_t kFar = std::int64_t{1} << 30;
        if (x < -kFar || x > kFar || y < -kFar || y > kFar) return;
        C.DrawPicture(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), AsCanvas(p));
    }

    void DrawWorld();
    /// `fogFollows`: the fog is drawn over the ground this frame.
    void DrawGround(const CellRange& r, bool fogFollows);
    /// The fog's piece for a hidden cell when it covers the cell whole, else nullptr.
    const Picture* HiddenCover();
    /// Draws the objects of `drawn` and advances the animations of `advanced`
    /// (the same range unless the picture shows another part of the map).
    void DrawObjects(const CellRange& drawn, const CellRange& advanced);
    void DrawTanks();
    void DrawTank(GameObjectType& t);
    void DrawExplosions();
    void DrawFog(const CellRange& r);
    std::int32_t HiddenMask(std::int32_t x, std::int32_t y);

    void DrawOverlay();
    void DrawEditorPath();
    void DrawShots();
    void StepShot(ShotType& s);
    void DrawSelections();
    void Brackets(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b, std::int32_t penWidth);
    void HealthBar(std::int32_t l, std::int32_t r, std::int32_t b, std::int32_t top, std::int32_t health);
    void DrawTankMarks(const GameObjectType& t);
    void DrawBuildingMarks();
    void DrawQueueMarks(const GameObjectType& t);
    void DrawRallyFlag(const GameCellObjectType& factory);
    void DrawBand();
    void DrawInfoLabels();
    void DrawMissionHint();
    void DrawPaused();
    /// Text in `color` with a one-pixel outline, readable on any ground and
    /// roof: black, or white around a dark colour.
    void OutlinedText(std::int32_t x, std::int32_t y, Rgb color, std::string_view text);
};

}  // namespace tavrine::frame
