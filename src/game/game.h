// The game object: owns the game record, the run-time state, the library and the
// one random generator, and runs the game's flows against the platform interfaces.
#pragma once

#include <cstdint>
#include <string>

#include "data/library.h"
#include "platform/host.h"
#include "state/random.h"
#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

class Game {
public:
    /// `programFolder` holds the data files (no trailing slash); `host` must
    /// outlive the game.
    Game(std::string programFolder, Host& host, std::uint64_t seed = 1);

    GameType& Record() { return record_; }
    const GameType& Record() const { return record_; }
    RunState& Run() { return run_; }
    const RunState& Run() const { return run_; }
    ImageLibrary& Library() { return library_; }
    const ImageLibrary& Library() const { return library_; }
    Random& Rng() { return random_; }
    Host& GetHost() { return host_; }

    /// The program folder followed by `suffix` (which starts with '/').
    std::string ProgramPath(const std::string& suffix) const { return folder_ + suffix; }
    const std::string& ProgramFolder() const { return folder_; }

private:
    std::string folder_;
    Host& host_;
    GameType record_;
    RunState run_;
    ImageLibrary library_;
    Random random_;
};

}  // namespace tavrine
