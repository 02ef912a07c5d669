#include "game/game.h"

#include <utility>

namespace tavrine {

Game::Game(GamePaths paths, Host& host, std::uint64_t seed) : paths_(std::move(paths)), host_(host), random_(seed) {}

Game::Game(std::string programFolder, Host& host, std::uint64_t seed)
    : Game(GamePaths::Portable(std::move(programFolder)), host, seed) {}

}  // namespace tavrine
