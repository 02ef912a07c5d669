// tavrine-sim new COLUMNS ROWS MISSION [--flag 0|1] OUT.gam: writes the empty map
// the game's new-map command makes.
#include <charconv>
#include <cstdio>
#include <optional>

#include "commands.h"
#include "game/game.h"
#include "state/new_map.h"

namespace tavrine::sim {

namespace {

/// Map sides the tool accepts: from a single cell up to the largest map the
/// New Game dialog offers.
inline constexpr int kMinSide = 1;
inline constexpr int kMaxSide = 200;
inline constexpr int kMissions = 6;

std::optional<int> ParseInt(const std::string& text, int low, int high) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end || value < low || value > high) return std::nullopt;
    return value;
}

int NewUsage(const char* problem) {
    std::fprintf(stderr, "tavrine-sim new: %s\nusage: tavrine-sim new COLUMNS ROWS MISSION [--flag 0|1] OUT.gam\n", problem);
    return 2;
}

int New(const Args& args) {
    Args positional;
    std::optional<int> flag = 1;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--flag") {
            if (i + 1 == args.size()) return NewUsage("--flag needs a value, 0 or 1");
            flag = ParseInt(args[++i], 0, 1);
            if (!flag) return NewUsage("--flag takes 0 or 1");
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 4) return NewUsage("expected COLUMNS, ROWS, MISSION and OUT.gam");
    const auto columns = ParseInt(positional[0], kMinSide, kMaxSide);
    const auto rows = ParseInt(positional[1], kMinSide, kMaxSide);
    const auto mission = ParseInt(positional[2], 0, kMissions - 1);
    if (!columns) return NewUsage("COLUMNS must be a whole number from 1 to 200");
    if (!rows) return NewUsage("ROWS must be a whole number from 1 to 200");
    if (!mission) return NewUsage("MISSION must be a whole number from 0 to 5");

    QuietHost host;
    Game game(ProgramPaths(), host);
    NewMap(game.EditRecord(), game.Run(), *columns, *rows, static_cast<std::uint8_t>(*flag), *mission);
    if (!game.SaveGame(positional[3])) {
        std::fprintf(stderr, "%s\n", host.lastMessage.c_str());
        return 1;
    }
    return 0;
}

const CommandRegistration newRegistration("new", "new COLUMNS ROWS MISSION [--flag 0|1] OUT.gam", New);

}  // namespace

}  // namespace tavrine::sim
