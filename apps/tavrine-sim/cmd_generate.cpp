// tavrine-sim generate OUT.gam [--seed S] [--size CxR|small|medium|large|huge]
//     [--landscape NAME] [--symmetry none|mirror|rotate] [--mission N]
//     [--scenery 0..3] [--library FILE] [--json]
// Writes a generated skirmish map; exits 1 naming the check that could not be met.
#include <charconv>
#include <cstdio>
#include <optional>

#include "commands.h"
#include "data/file_io.h"
#include "data/json_writer.h"
#include "game/game.h"
#include "mapgen/generator.h"

namespace tavrine::sim {

namespace {

using namespace mapgen;

constexpr const char* kGenerateUsage =
    "generate OUT.gam [--seed S] [--size CxR|small|medium|large|huge] [--landscape NAME]\n"
    "                   [--symmetry none|mirror|rotate] [--mission N] [--scenery 0..3] [--library FILE] [--json]";

int GenerateUsage(const std::string& problem) {
    std::fprintf(stderr, "tavrine-sim generate: %s\nusage: tavrine-sim %s\n", problem.c_str(), kGenerateUsage);
    return 2;
}

template <typename T>
std::optional<T> ParseNumber(const std::string& text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::string Report(const GenerateOptions& o, const GeneratedMap& m) {
    JsonWriter j;
    j.BeginObject();
    j.Key("options").BeginObject();
    j.Field("seed", std::to_string(o.Seed));
    j.Field("columns", static_cast<std::int64_t>(o.Columns)).Field("rows", static_cast<std::int64_t>(o.Rows));
    j.Field("landscape", NameOf(o.Land)).Field("symmetry", NameOf(o.Mirror));
    j.Field("mission", static_cast<std::int64_t>(o.Mission)).Field("scenery", static_cast<std::int64_t>(o.Scenery));
    j.EndObject();
    j.Key("ok").Bool(m.Ok);
    j.Field("attempts", static_cast<std::int64_t>(m.Attempts));
    j.Field("used_seed", std::to_string(m.UsedSeed));
    if (!m.Ok) j.Field("failure", m.Failure);
    j.Key("checks").BeginArray();
    for (const FairnessCheck& c : m.Report.Checks) {
        j.BeginObject().Field("name", c.Name).Key("passed").Bool(c.Passed).Field("figure", c.Figure);
        if (!c.Passed) j.Field("problem", c.Problem);
        j.EndObject();
    }
    j.EndArray();
    j.Field("land_route_cells", static_cast<std::int64_t>(m.Report.LandRoute));
    j.Field("tower_margin_cells", static_cast<std::int64_t>(m.Report.TowerMarginCells));
    const MapCounts& c = m.Counts;
    j.Key("counts").BeginObject();
    j.Field("cells", static_cast<std::int64_t>(c.Cells)).Field("water", static_cast<std::int64_t>(c.Water));
    j.Field("land", static_cast<std::int64_t>(c.Land)).Field("mountain", static_cast<std::int64_t>(c.Mountain));
    j.Field("scenery", static_cast<std::int64_t>(c.Scenery));
    const char* sides[2] = {"player", "computer"};
    for (int s = 0; s < 2; ++s) {
        j.Key(sides[s]).BeginObject();
        j.Field("buildings", static_cast<std::int64_t>(c.Buildings[s])).Field("towers", static_cast<std::int64_t>(c.Towers[s]));
        j.Field("tanks", static_cast<std::int64_t>(c.Tanks[s]));
        j.EndObject();
    }
    j.EndObject();
    j.EndObject();
    return j.Text();
}

int Generate(const Args& args) {
    GenerateOptions o;
    std::optional<std::string> out, library;
    bool json = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "--seed" || a == "--size" || a == "--landscape" || a == "--symmetry" || a == "--mission" ||
                                a == "--scenery" || a == "--library";
        if (takesValue && i + 1 == args.size()) return GenerateUsage(a + " needs a value");
        if (a == "--json") {
            json = true;
        } else if (a == "--seed") {
            const auto v = ParseNumber<std::uint64_t>(args[++i]);
            if (!v) return GenerateUsage("--seed takes a whole number from 0 to 18446744073709551615");
            o.Seed = *v;
        } else if (a == "--size") {
            if (!ParseMapSize(args[++i], o.Columns, o.Rows)) return GenerateUsage("--size takes small, medium, large, huge or CxR from 40x30 to 200x200");
        } else if (a == "--landscape") {
            const auto v = LandscapeNamed(args[++i]);
            if (!v) return GenerateUsage("--landscape takes continent, islands, lakes, highlands or river");
            o.Land = *v;
        } else if (a == "--symmetry") {
            const auto v = SymmetryNamed(args[++i]);
            if (!v) return GenerateUsage("--symmetry takes none, mirror or rotate");
            o.Mirror = *v;
        } else if (a == "--mission") {
            const auto v = ParseNumber<int>(args[++i]);
            if (!v || *v < 0 || *v > 5) return GenerateUsage("--mission takes a whole number from 0 to 5");
            o.Mission = *v;
        } else if (a == "--scenery") {
            const auto v = ParseNumber<int>(args[++i]);
            if (!v || *v < 0 || *v > kMaxScenery) return GenerateUsage("--scenery takes a whole number from 0 to 3");
            o.Scenery = *v;
        } else if (a == "--library") {
            library = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            return GenerateUsage("unknown option " + a);
        } else if (!out) {
            out = a;
        } else {
            return GenerateUsage("one OUT.gam only");
        }
    }
    if (!out) return GenerateUsage("expected OUT.gam");

    QuietHost host;
    ImageLibrary lib;
    const std::string libraryPath = library ? *library : ProgramPaths().LibraryToRead();
    if (!LoadImageLibraryFrom(host, libraryPath, lib)) {
        std::fprintf(stderr, "%s: %s\n", libraryPath.c_str(), host.lastMessage.empty() ? "the library could not be read" : host.lastMessage.c_str());
        return 1;
    }
    const GeneratedMap m = GenerateMap(lib, o);
    if (json) std::printf("%s\n", Report(Clamped(o), m).c_str());
    if (!m.Ok) {
        std::fprintf(stderr, "tavrine-sim generate: no fair map after %d attempts: %s\n", m.Attempts, m.Failure.c_str());
        return 1;
    }
    if (!WriteFileAtomically(*out, m.File)) {
        std::fprintf(stderr, "%s: cannot be written\n", out->c_str());
        return 1;
    }
    return 0;
}

const CommandRegistration generateRegistration("generate", kGenerateUsage, Generate);

}  // namespace

}  // namespace tavrine::sim
