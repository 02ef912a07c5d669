// Game files from strangers: the parser must reject or accept without crashing,
// reading out of bounds or allocating more than the input can justify; whatever
// it accepts writes back to a file that loads to the same bytes again.
#include <cstdint>
#include <cstdlib>

#include "state/game_json.h"
#include "state/saved_game.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavrine;
    GameType g;
    if (ParseGame(std::span<const std::uint8_t>(data, size), g) != LoadResult::Ok) return 0;
    const Bytes written = SerializeGame(g);
    GameType again;
    if (ParseGame(written, again) != LoadResult::Ok || SerializeGame(again) != written) std::abort();
    if (GameToJson(again).empty()) std::abort();
    return 0;
}
