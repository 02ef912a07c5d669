// The headless tool's sub-commands. Each command file registers itself with a
// static `CommandRegistration`, so adding a command touches no other file.
#pragma once

#include <string>
#include <vector>

#include "state/game_paths.h"

namespace tavrine::sim {

using Args = std::vector<std::string>;
/// Runs a command with the arguments after its name; returns the exit code.
using CommandFn = int (*)(const Args& args);

struct CommandRegistration {
    CommandRegistration(const char* name, const char* usage, CommandFn fn);
};

/// The folder of the running executable.
std::string ExecutableFolder();

/// Where the tool reads and writes, by the game's own rule: beside it when run
/// from the build folder, the installed data and the user's folders otherwise.
GamePaths ProgramPaths();

}  // namespace tavrine::sim
