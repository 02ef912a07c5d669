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
#include "game/script_shell.h"
#include "run_options.h"
#include "run_report.h"

namespace tavrine::sim {

namespace {

int RunUsage(const std::string& problem);

/// Events files larger than this are refused.
constexpr std::size_t kMaxEventsBytes = std::size_t{16} << 20;

}  // namespace

bool TakeRunOutputOption(const std::string& a, const OptionValue& value, std::string& error, RunOutput& output) {
    if (a == "--json") {
        output.json = true;
    } else if (a == "--title") {
        output.title = true;
    } else if (a == "--reveal") {
        output.reveal = true;
    } else if (a == "--autosave") {
        output.autosave = true;
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
}

int RunHeadless(const RunOptions& o, const RunOutput& output, const RunHooks& hooks,
                const std::function<int(const std::string&)>& usage) {
    if (output.record && (o.edit || output.reveal)) return usage("--record records battles, without --edit or --reveal");
    std::vector<ScriptEvent> events;
    if (output.events) {
        const std::optional<Bytes> text = ReadWholeFile(*output.events, kMaxEventsBytes);
        if (!text) return usage("cannot read the events file " + *output.events);
        std::string error;
        const auto parsed = ParseEvents(std::string(text->begin(), text->end()), o.ticks, o.edit, error);
        if (!parsed) return usage(*output.events + ": " + error);
        events = *parsed;
    }

    ScriptHost host(output.answer);
    // Every message box and question goes through the recorder to the script's host.
    RecordingHost recordingHost(host);
    Game game(output.folder ? GamePaths::Portable(*output.folder) : ProgramPaths(), recordingHost, o.seed);
    // The first battle of the run is the one recorded.
    std::optional<Replay> recorded;
    ReplayRecorder recorder(game, [&](const Replay& replay, const std::string&) {
        if (!recorded) recorded = replay;
    });
    if (output.record) recordingHost.SetRecorder(&recorder);
    if (!PrepareGame(o, game, host)) return 1;
    game.SetAutosave(output.autosave);
    if (output.record && !output.title) {
        const std::optional<Bytes> bytes = ReadWholeFile(o.game);
        if (!bytes) return usage("cannot read " + o.game);
        recorder.Begin(*bytes, o.newGame, o.game);
    }
    // Without a game the start-up's empty 80 x 60 map stays, under the title
    // (in the editing mode too).
    if (output.title) game.Run().TitleShown = 1;
    if (output.reveal)
        for (auto& column : game.EditRecord().Cells)
            for (auto& cell : column) cell.Hidden = 0;

    ScriptedShell shell(game, host, output.answer, std::move(events), output.record ? &recorder : nullptr);
    if (hooks.Start) hooks.Start(game, shell);
    const bool scripted = output.events || output.title;
    while (true) {
        shell.ApplyDue();
        if (shell.Ticks() >= o.ticks || shell.Closed()) break;
        if (hooks.Done && hooks.Done(game)) break;
        if (hooks.BeforeTick) hooks.BeforeTick();
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
    const std::string text = hooks.Report ? hooks.Report(game, ran, report)
                             : output.json ? FullRecord(game, ran, report)
                                           : Summary(game, ran, report);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

namespace {

int Run(const Args& args) {
    RunOptions o;
    RunOutput output;
    const auto own = [&](const std::string& a, const OptionValue& value, std::string& error) {
        return TakeRunOutputOption(a, value, error, output);
    };
    if (const auto problem = ParseRunOptions(args, o, own, true)) return RunUsage(*problem);
    if (output.title == !o.game.empty()) return RunUsage(output.title ? "--title runs without a game file" : "no game file given");
    return RunHeadless(o, output, {}, RunUsage);
}

const std::string kRunUsage = std::string("run GAME.gam|--title ") + kRunOptionsUsage + kRunOutputUsage;

int RunUsage(const std::string& problem) {
    std::fprintf(stderr, "tavrine-sim run: %s\nusage: tavrine-sim %s\n", problem.c_str(), kRunUsage.c_str());
    return 2;
}

const CommandRegistration runRegistration("run", kRunUsage.c_str(), Run);

}  // namespace

}  // namespace tavrine::sim
