#include "game/game.h"

#include <utility>

namespace tavrine {

Game::Game(std::string programFolder, Host& host, std::uint64_t seed)
    : folder_(std::move(programFolder)), host_(host), random_(seed) {}

}  // namespace tavrine
