// The options shared by the commands that run a game headless (run, render): the
// game file, ticks, seed, difficulty, timer interval, surface size, library and
// editing mode; and loading the game with them as the game itself would.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "commands.h"
#include "game/game.h"
#include "state/settings.h"

namespace tavrine::sim {

struct RunOptions {
    std::string game;
    bool newGame = false;
    long long ticks = 0;
    std::uint64_t seed = 1;
    std::int32_t difficulty = DifficultyNormal;
    std::int32_t interval = kIntervalNormal;
    std::int32_t viewWidth = 800;
    std::int32_t viewHeight = 600;
    std::optional<std::string> library;  ///< none given: Tavrine.isd in the program folder
    bool edit = false;
};

/// The shared options as the usage line shows them.
inline constexpr const char* kRunOptionsUsage =
    "[--new] [--ticks N] [--seed S] [--difficulty D] [--interval MS] [--view WxH]\n"
    "                   [--library FILE|none] [--edit]";

/// The next argument as an option's value; nothing when the arguments ran out.
using OptionValue = std::function<std::optional<std::string>()>;
/// A command's own options, offered each option first: returns true when it took
/// the option, and sets `error` when its value is wrong.
using OwnOptions = std::function<bool(const std::string& option, const OptionValue& value, std::string& error)>;

/// Fills `o` from the arguments; an error text when they are wrong. The game
/// file is one plain argument, required unless `gameOptional`.
std::optional<std::string> ParseRunOptions(const Args& args, RunOptions& o, const OwnOptions& own, bool gameOptional = false);

/// Sets the game up as the options say: the game's start-up (the first map, on
/// the title in play), run-time settings, the library, and the game file loaded
/// (or started afresh with --new). Prints the reason and returns
/// false when the library or the game cannot be read.
bool PrepareGame(const RunOptions& o, Game& game, QuietHost& host);

}  // namespace tavrine::sim
