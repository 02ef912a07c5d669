// tavrine-sim info GAME.gam: the whole game record of a game file as one line of JSON.
#include <cstdio>

#include "commands.h"
#include "state/game_json.h"
#include "state/saved_game.h"

namespace tavrine::sim {

namespace {

int Info(const Args& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tavrine-sim info GAME.gam\n");
        return 2;
    }
    GameType g;
    std::string problem;
    const LoadResult result = ReadGameFile(args[0], g, &problem);
    if (result != LoadResult::Ok) {
        // The game's own message; a malformed file is also explained.
        if (result == LoadResult::Malformed) std::fprintf(stderr, "Malformed game file: %s\n", problem.c_str());
        else std::fprintf(stderr, "%s\n", LoadFailureMessage(result, args[0]).c_str());
        return 1;
    }
    const std::string json = GameToJson(g);
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const CommandRegistration infoRegistration("info", "info GAME.gam", Info);

}  // namespace

}  // namespace tavrine::sim
