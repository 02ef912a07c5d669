// tavrine-sim run GAME.gam: loads a game as the game's load command does and runs
// frame ticks headless through the real tick, with a null canvas and no sound;
// optionally with scripted input through the main window's commands.
#include <cstdio>
#include <optional>
#include <string>

#include "commands.h"
#include "data/file_io.h"
#include "game/game.h"
#include "game/replay_recorder.h"
#include "run_options.h"
#include "run_report.h"
#include "game/script_shell.h"
#include "state/new_map.h"

namespace tavrine::sim {

namespace {

int Usage(const std::string& problem);

/// The run command's own options beside the shared ones.
struct RunOutput {
    std::optional<std::string> out;  ///< save the game here after the ticks
    bool json = false;
    std::optional<std::string> events;  ///< the input script
    bool answer = true;                 ///< the reply to every yes/no question
    std::optional<std::string> folder;  ///< the program folder instead of the tool's own
    bool title = false;                 ///< start on the title screen, with no game
    bool reveal = false;                ///< clear the fog of war after loading
    std::optional<std::string> record;  ///< write the replay of the run here
};

/// Events files larger than this are refused.
constexpr std::size_t kMaxEventsBytes = std::size_t{16} << 20;

int Run(const Args& args) {
    RunOptions o;
    RunOutput output;
    const auto own = [&](const std::string& a, const OptionValue& value, std::string& error) {
        if (a == "--json") {
            output.json = true;
        } else if (a == "--title") {
            output.title = true;
        } else if (a == "--reveal") {
            output.reveal = true;
        } else if (a == "--out" || a == "--events" || a == "--folder" || a == "--record") {
            const auto v = value();
            if (!v || v->empty()) error = a + " takes a file name";
            else (a == "--out" ? output.out : a == "--events" ? output.events : a == "--record" ? output.record : output.folder) = *v;
        } else if (a == "--answer") {
            const auto v = value();
            if (v && (*v == "yes" || *v == "no")) output.answer = *v == "yes";
            else error = "--answer takes yes or no";
        } else {
            return false;
        }
        return true;
    };
    if (const auto problem = ParseRunOptions(args, o, own, true)) return Usage(*problem);
    if (output.title == !o.game.empty()) return Usage(output.title ? "--title runs without a game file" : "no game file given");
    if (output.record && (o.edit || output.reveal)) return Usage("--record records battles, without --edit or --reveal");

    std::vector<ScriptEvent> events;
    if (output.events) {
        const std::optional<Bytes> text = ReadWholeFile(*output.events, kMaxEventsBytes);
        if (!text) return Usage("cannot read the events file " + *output.events);
        std::string error;
        const auto parsed = ParseEvents(std::string(text->begin(), text->end()), o.ticks, o.edit, error);
        if (!parsed) return Usage(*output.events + ": " + error);
        events = *parsed;
    }

    ScriptHost host(output.answer);
    // Every message box and question goes through the recorder to the script's host.
    RecordingHost recordingHost(host);
    Game game(output.folder ? *output.folder : ExecutableFolder(), recordingHost, o.seed);
    // The first battle of the run is the one recorded.
    std::optional<Replay> recorded;
    ReplayRecorder recorder(game, [&](const Replay& replay, const std::string&) {
        if (!recorded) recorded = replay;
    });
    if (output.record) recordingHost.SetRecorder(&recorder);
    if (!PrepareGame(o, game, host)) return 1;
    if (output.record && !output.title) {
        const std::optional<Bytes> bytes = ReadWholeFile(o.game);
        if (!bytes) return Usage("cannot read " + o.game);
        recorder.Begin(*bytes, o.newGame, o.game);
    }
    if (output.title) {
        // As after start-up: the empty 80 x 60 map under the title, faded in.
        NewMap(game.Record(), game.Run(), 80, 60, 1, 0);
        game.Run().TitleShown = 1;
    }
    if (output.reveal)
        for (auto& column : game.Record().Cells)
            for (auto& cell : column) cell.Hidden = 0;

    ScriptedShell shell(game, host, output.answer, std::move(events), output.record ? &recorder : nullptr);
    const bool scripted = output.events || output.title;
    while (true) {
        shell.ApplyDue();
        if (shell.Ticks() >= o.ticks || shell.Closed()) break;
        shell.Tick();
    }
    const long long ran = shell.Ticks();
    if (output.record) {
        recorder.End();
        if (!recorded) {
            std::fprintf(stderr, "%s: no battle was recorded (no game was loaded)\n", output.record->c_str());
            return 1;
        }
        const std::string text = WriteReplay(*recorded);
        if (!WriteFileAtomically(*output.record, Bytes(text.begin(), text.end()))) {
            std::fprintf(stderr, "%s: the replay could not be written\n", output.record->c_str());
            return 1;
        }
    }

    if (output.out && !game.SaveGame(*output.out)) {
        std::fprintf(stderr, "%s: %s\n", output.out->c_str(), host.lastMessage.c_str());
        return 1;
    }
    const ScriptedShell* report = scripted ? &shell : nullptr;
    const std::string text = output.json ? FullRecord(game, ran, report) : Summary(game, ran, report);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const std::string kUsage = std::string("run GAME.gam|--title ") + kRunOptionsUsage +
                           " [--out FILE] [--json]\n"
                           "                   [--events FILE] [--answer yes|no] [--folder DIR] [--reveal] [--record FILE]";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "tavrine-sim run: %s\nusage: tavrine-sim %s\n", problem.c_str(), kUsage.c_str());
    return 2;
}

const CommandRegistration registration("run", kUsage.c_str(), Run);

}  // namespace

}  // namespace tavrine::sim
