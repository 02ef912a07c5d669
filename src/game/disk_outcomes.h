// What the commands learn from the disk during a battle: whether a saved game
// exists, whether a save or the settings were written, how a game file read.
// The answers steer the battle (a question asked or not, a message shown), so a
// recording keeps them and a replay gives them back instead of touching the
// viewer's files.
#pragma once

#include <cstdint>
#include <functional>

namespace tavrine {

enum class DiskQuestion : std::uint8_t {
    GameExists,     ///< 1: the file a save would replace exists
    GameSaved,      ///< 1: the game was written
    GameRead,       ///< the LoadResult of reading a game file
    SettingsSaved,  ///< 1: the settings file was written (or is not kept)
};

class DiskOutcomes {
public:
    virtual ~DiskOutcomes() = default;
    /// The answer to `question`; `real` asks the disk itself.
    virtual std::int32_t Ask(DiskQuestion question, const std::function<std::int32_t()>& real) = 0;
};

}  // namespace tavrine
