// tavrine-sim: the headless tool. Inspects game and library files, runs the game
// without a window, renders frames and measures.
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>

#include "commands.h"
#include "tavrine_build.h"

namespace tavrine::sim {

namespace {
struct Command {
    const char* usage;
    CommandFn fn;
};

std::map<std::string, Command>& Registry() {
    static std::map<std::string, Command> commands;
    return commands;
}

void PrintUsage(std::FILE* to) {
    std::fprintf(to, "usage: tavrine-sim COMMAND ...\n");
    for (const auto& [name, command] : Registry()) std::fprintf(to, "  tavrine-sim %s\n", command.usage);
    std::fprintf(to, "  tavrine-sim --help | --version\n");
}
}  // namespace

CommandRegistration::CommandRegistration(const char* name, const char* usage, CommandFn fn) {
    Registry()[name] = Command{usage, fn};
}

std::string ExecutableFolder() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return ".";
    std::string path(buffer, static_cast<std::size_t>(n));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

GamePaths ProgramPaths() { return GamePaths::ForExecutable(ExecutableFolder(), ProcessEnvironment()); }

}  // namespace tavrine::sim

int main(int argc, char** argv) {
    using namespace tavrine::sim;
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        PrintUsage(stdout);
        return 0;
    }
    if (first == "--version") {
        std::printf("tavrine-sim %s\n", tavrine::kVersion);
        return 0;
    }
    const auto it = Registry().find(argv[1]);
    if (it == Registry().end()) {
        std::fprintf(stderr, "tavrine-sim: unknown command '%s'\n", argv[1]);
        PrintUsage(stderr);
        return 2;
    }
    return it->second.fn(Args(argv + 2, argv + argc));
}
