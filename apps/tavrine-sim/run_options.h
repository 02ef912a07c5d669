// The options shared by the commands that run a game headless (run, render): the
// game file, ticks, seed, difficulty, timer interval, surface size, library and
// editing mode; and loading the game with them as the game itself would.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "commands.h"
#include "data/json_writer.h"
#include "game/script_shell.h"
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
    std::int32_t scale = 0;  ///< the interface scale: 1, 2, or 0 for automatic
    std::optional<std::string> library;  ///< none given: the library the game itself would load
    bool edit = false;
    bool keepGroups = false;  ///< "Keep groups together", off unless --keep-groups
};

/// The shared options as the usage line shows them.
inline constexpr const char* kRunOptionsUsage =
    "[--new] [--ticks N] [--seed S] [--difficulty D] [--interval MS] [--view WxH]\n"
    "                   [--scale 1|2|auto] [--library FILE|none] [--edit] [--keep-groups]";

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

/// The options of `run` beside the shared ones, which `autoplay` takes too.
struct RunOutput {
    std::optional<std::string> out;  ///< save the game here after the ticks
    bool json = false;
    std::optional<std::string> events;  ///< the input script
    bool answer = true;                 ///< the reply to every yes/no question
    std::optional<std::string> folder;  ///< the program folder instead of the tool's own
    bool title = false;                 ///< start on the title screen, with no game
    bool reveal = false;                ///< clear the fog of war after loading
    bool autosave = false;              ///< autosave as the desktop game does
    std::optional<std::string> record;  ///< write the replay of the run's battle here
};

/// Those options as the usage line shows them.
inline constexpr const char* kRunOutputUsage =
    " [--out FILE] [--json]\n"
    "                   [--events FILE] [--answer yes|no] [--folder DIR] [--reveal] [--record FILE]\n"
    "                   [--autosave]";

/// Takes one of RunOutput's options (an OwnOptions for ParseRunOptions).
bool TakeRunOutputOption(const std::string& option, const OptionValue& value, std::string& error, RunOutput& output);


/// What a command running a game through RunHeadless adds to it.
struct RunHooks {
    /// Once the game is loaded, before the first event and tick.
    std::function<void(Game&, ScriptedShell&)> Start;
    /// Before each tick, after that tick's events: true ends the run there.
    std::function<bool(const Game&)> Done;
    /// Before each tick, after that tick's events.
    std::function<void()> BeforeTick;
    /// The JSON line printed at the end, from the game, the ticks run and the
    /// shell (nullptr unless the run was scripted).
    std::function<std::string(Game&, long long ticks, const ScriptedShell* shell)> Report;
};

/// `tavrine-sim run` once its options are read: the game loaded in the program
/// folder, `o.ticks` ticks with the scripted events, the game saved with --out,
/// and the report printed. Returns the exit code; 2 with `usage` called for a
/// wrong events file.
int RunHeadless(const RunOptions& o, const RunOutput& output, const RunHooks& hooks,
                const std::function<int(const std::string&)>& usage);

}  // namespace tavrine::sim
