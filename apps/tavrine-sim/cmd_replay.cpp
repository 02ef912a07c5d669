// tavrine-sim replay FILE: plays a replay headless through the real tick and the
// main window's commands, prints what `run` prints, and with --verify compares
// how the battle ended with how the replay says it ended.
#include <charconv>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "commands.h"
#include "data/file_io.h"
#include "game/replay_player.h"
#include "run_report.h"

namespace tavrine::sim {

namespace {

int ReplayUsage(const std::string& problem);

int PlayReplay(const Args& args) {
    std::optional<std::string> file;
    std::optional<std::string> library;
    std::optional<long long> ticks;
    bool json = false, verify = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json") {
            json = true;
        } else if (a == "--verify") {
            verify = true;
        } else if (a == "--ticks") {
            long long n = -1;
            if (i + 1 < args.size()) {
                const std::string& v = args[++i];
                const auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
                if (ec != std::errc() || ptr != v.data() + v.size()) n = -1;
            }
            if (n < 0) return ReplayUsage("--ticks takes a whole number, 0 or more");
            ticks = n;
        } else if (a == "--library") {
            if (i + 1 == args.size() || args[i + 1].empty()) return ReplayUsage("--library takes a file name or none");
            library = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return ReplayUsage("unknown option " + a);
        } else if (file) {
            return ReplayUsage("only one replay can be played");
        } else {
            file = a;
        }
    }
    if (!file) return ReplayUsage("no replay file given");

    std::string error;
    std::optional<tavrine::Replay> replay = ReadReplayFile(*file, error);
    if (!replay) {
        std::fprintf(stderr, "%s: %s\n", file->c_str(), error.c_str());
        return 2;
    }

    ScriptHost host(true);
    Game game(ProgramPaths(), host, 1);
    // The library the replay names, when it names one: a battle recorded without
    // pictures plays without them (the player puts any library aside), one
    // recorded with a library must find the same one here or at --library.
    const bool recordedBare = replay->Start.Library == "none";
    const std::string libraryPath = library.value_or(recordedBare ? "none" : game.Paths().LibraryToRead());
    if (libraryPath != "none" && (library || FileExists(libraryPath) || !replay->Start.Library)) {
        if (!LoadImageLibraryFrom(host, libraryPath, game.Library())) {
            std::fprintf(stderr, "%s: %s\n", libraryPath.c_str(), host.lastMessage.c_str());
            return 1;
        }
    }
    if (!recordedBare)
        if (const auto mismatch = LibraryMismatch(replay->Start, game.Library())) {
            std::fprintf(stderr, "%s: %s; give it with --library FILE\n", file->c_str(), mismatch->c_str());
            return 1;
        }
    // A battle recorded on the desktop drew the fades' frames: a surface with a
    // gamma ramp lets them run here too.
    NullCanvas fading(true);
    if (replay->Start.Fades) game.SetCanvas(&fading);
    ReplayPlayer player(game, host, std::move(*replay));
    if (!player.Start(error)) {
        std::fprintf(stderr, "%s: %s\n", file->c_str(), error.c_str());
        return 1;
    }
    const long long limit = ticks.value_or(std::numeric_limits<long long>::max());
    while (player.Ticks() < limit && player.Step()) {
    }

    const std::string text = json ? FullRecord(game, player.Ticks(), &player.Shell()) : Summary(game, player.Ticks(), &player.Shell());
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    if (std::fflush(stdout) != 0) return 1;
    if (verify) {
        if (const auto difference = player.Verify()) {
            std::fprintf(stderr, "%s: the replay does not verify: %s\n", file->c_str(), difference->c_str());
            return 1;
        }
    }
    return 0;
}

const char* const kReplayUsage = "replay FILE [--json] [--verify] [--ticks N] [--library FILE|none]";

int ReplayUsage(const std::string& problem) {
    std::fprintf(stderr, "tavrine-sim replay: %s\nusage: tavrine-sim %s\n", problem.c_str(), kReplayUsage);
    return 2;
}

const CommandRegistration replayRegistration("replay", kReplayUsage, PlayReplay);

}  // namespace

}  // namespace tavrine::sim
