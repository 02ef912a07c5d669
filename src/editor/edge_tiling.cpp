#include "editor/edge_tiling.h"

#include <array>

namespace tavrine {

namespace {

/// The cell of a piece relative to its vertex.
enum class PieceCell : std::uint8_t { Nothing, Vertex, Left, Right, Above, Below };

struct PiecePlacement {
    PieceCell Where = PieceCell::Nothing;
    std::int8_t Piece = 0;
};

/// At most two pieces per vertex: the vertex's own and, where the outline
/// leaves diagonally, one in the neighbour on the terrain side.
using PieceEntry = std::array<PiecePlacement, 2>;

constexpr PiecePlacement V(int piece) { return {PieceCell::Vertex, static_cast<std::int8_t>(piece)}; }
constexpr PiecePlacement L(int piece) { return {PieceCell::Left, static_cast<std::int8_t>(piece)}; }
constexpr PiecePlacement R(int piece) { return {PieceCell::Right, static_cast<std::int8_t>(piece)}; }
constexpr PiecePlacement A(int piece) { return {PieceCell::Above, static_cast<std::int8_t>(piece)}; }
constexpr PiecePlacement B(int piece) { return {PieceCell::Below, static_cast<std::int8_t>(piece)}; }
constexpr PieceEntry None{};
constexpr PieceEntry E1(PiecePlacement a) { return {a, PiecePlacement{}}; }
constexpr PieceEntry E2(PiecePlacement a, PiecePlacement b) { return {a, b}; }

// Pieces by incoming (rows) and outgoing (columns) direction, both in the order
// E, SE, S, SW, W, NW, N, NE. Pieces 0..3 are straight borders (outside to the
// west, north, east, south), 4..7 inner corners, 8..11 outer corners.
constexpr std::array<std::array<PieceEntry, 8>, 8> kEdgePieces{{
    // in E
    {E1(V(1)), E2(V(9), B(5)), E1(V(9)), None, None, None, E1(V(4)), E2(V(1), R(4))},
    // in SE
    {E1(V(1)), E2(V(9), B(5)), E1(V(9)), E1(L(2)), None, None, None, E2(V(1), R(4))},
    // in S
    {E1(V(5)), E2(V(2), B(5)), E1(V(2)), E2(V(10), L(6)), E1(V(10)), None, None, None},
    // in SW
    {None, E2(V(2), B(5)), E1(V(2)), E2(V(10), L(6)), E1(V(10)), E1(A(3)), None, None},
    // in W
    {None, None, E1(V(6)), E2(V(3), L(6)), E1(V(3)), E2(V(11), A(7)), E1(V(11)), None},
    // in NW
    {None, None, None, E2(V(3), L(6)), E1(V(3)), E2(V(11), A(7)), E1(V(11)), E1(R(0))},
    // in N
    {E1(V(8)), None, None, None, E1(V(7)), E2(V(0), A(7)), E1(V(0)), E2(V(8), R(4))},
    // in NE
    {E1(V(8)), E1(B(1)), None, None, None, E2(V(0), A(7)), E1(V(0)), E2(V(8), R(4))},
}};

constexpr int Sign(std::int32_t v) { return (v > 0) - (v < 0); }

EditPoint CellOfPiece(EditPoint v, PieceCell where) {
    switch (where) {
        case PieceCell::Left: return {v.X - 1, v.Y};
        case PieceCell::Right: return {v.X + 1, v.Y};
        case PieceCell::Above: return {v.X, v.Y - 1};
        case PieceCell::Below: return {v.X, v.Y + 1};
        default: return v;
    }
}

}  // namespace

std::int32_t StepDirection(EditPoint from, EditPoint to) {
    // Indexed [sign dy + 1][sign dx + 1].
    constexpr std::int32_t kBySigns[3][3] = {
        {DirNorthWest, DirNorth, DirNorthEast},
        {DirWest, DirNone, DirEast},
        {DirSouthWest, DirSouth, DirSouthEast},
    };
    return kBySigns[Sign(to.Y - from.Y) + 1][Sign(to.X - from.X) + 1];
}

void PlaceEdgePieces(GameType& g, EditPoint v, std::int32_t incoming, std::int32_t outgoing, std::int32_t terrain,
                     Color colour) {
    if (incoming < DirEast || incoming > DirNorthEast || outgoing < DirEast || outgoing > DirNorthEast) return;
    const PieceEntry& entry = kEdgePieces[static_cast<std::size_t>(incoming - 1)][static_cast<std::size_t>(outgoing - 1)];
    for (const PiecePlacement& p : entry) {
        if (p.Where == PieceCell::Nothing) continue;
        const EditPoint at = CellOfPiece(v, p.Where);
        if (!g.OnMap(at.X, at.Y)) continue;
        GameCellType& c = g.Cell(at.X, at.Y);
        c.MinimapColor = colour;
        c.GroundColor = colour;
        c.Ground = ImageRef{0, 2, terrain, p.Piece};
    }
}

void TileOutline(GameType& g, const std::vector<EditPoint>& outline, std::int32_t terrain, Color colour) {
    const std::size_t n = outline.size();
    if (n < 3) return;
    const auto vertex = [&](std::size_t before, std::size_t at, std::size_t after) {
        PlaceEdgePieces(g, outline[at], StepDirection(outline[before], outline[at]), StepDirection(outline[at], outline[after]),
                        terrain, colour);
    };
    for (std::size_t k = 1; k + 1 < n; ++k) vertex(k - 1, k, k + 1);
    vertex(n - 2, n - 1, 0);
    vertex(n - 1, 0, 1);
}

}  // namespace tavrine
