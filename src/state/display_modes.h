// The display modes the game plays in, their names in the dialogs, and the choice
// of the mode preselected for the player.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrine {

/// A full-screen display mode: width and height in pixels, bits per pixel.
struct DisplayMode {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Bits = 0;

    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

/// One row of the mode table. The row index is the mode number that the start
/// dialog, the settings file and the game control dialog use.
struct DisplayModeRow {
    DisplayMode Mode;
    std::int32_t Preference = 0;  ///< the offered mode of highest preference is preselected
};

inline constexpr std::array<DisplayModeRow, 3> kDisplayModes{{
    {{640, 480, 16}, 70},
    {{800, 600, 16}, 100},
    {{1024, 768, 16}, 20},
}};

inline constexpr std::int32_t kModeCount = static_cast<std::int32_t>(kDisplayModes.size());

/// The common wide sizes offered after the 4:3 rows where the screen holds them,
/// in 16 bits like the rows.
inline constexpr std::array<DisplayMode, 6> kWideModes{{
    {1280, 720, 16},
    {1366, 768, 16},
    {1600, 900, 16},
    {1920, 1080, 16},
    {2560, 1440, 16},
    {3840, 2160, 16},
}};

/// The smallest and largest surface side a mode may have: a window is never made
/// smaller than 640 by 480, and no side is larger than 16384.
inline constexpr std::int32_t kMinModeWidth = 640;
inline constexpr std::int32_t kMinModeHeight = 480;
inline constexpr std::int32_t kMaxModeSide = 16384;

/// A mode that is no table row still has a mode number: its size coded above
/// every row number (bit 30 set, the width in bits 15-29, the height in bits
/// 0-14), so a mode number names any size the dialogs, the scripts and the
/// replays pass around. Only 16-bit modes of kMinModeWidth..kMaxModeSide by
/// kMinModeHeight..kMaxModeSide pixels are coded.
inline constexpr std::int32_t kSizeModeFlag = std::int32_t{1} << 30;

/// The mode a mode number stands for: a table row or a coded size; nothing for
/// any other number.
std::optional<DisplayMode> ModeOfNumber(std::int32_t number);

/// Reads "WxH" (e.g. "1920x1080") as a 16-bit mode within the coded bounds.
std::optional<DisplayMode> ParseModeSize(std::string_view text);

/// The screen's own size and the table rows and wide sizes that fit in it: the
/// 4:3 rows first, then the wider sizes (the screen's own among them) from the
/// smallest up.
std::vector<DisplayMode> ModesForScreen(std::int32_t screenWidth, std::int32_t screenHeight);

/// The start dialog's answer for the editing mode (a mode number means play in
/// that mode).
inline constexpr std::int32_t kEditingModeChoice = -2;

/// The mode the game falls back to when nothing else is known: 800 by 600, 16 bits.
inline constexpr DisplayMode kDefaultDisplayMode{800, 600, 16};

/// "256 Colors (8 bit)", "High Color (16 bit)", "True Color (24 bit)" or
/// "True Color (32 bit)"; empty for any other bit count.
std::string_view ColorDepthText(std::int32_t bits);

/// "<width> by <height>, <depth text>", e.g. "800 by 600, High Color (16 bit)".
/// With an unknown bit count the name ends in ", ".
std::string ModeName(const DisplayMode& mode);

/// The name of mode `number` (a table row or a coded size); empty when there is
/// no such mode.
std::string ModeName(std::int32_t number);

/// The mode number whose name equals `name` exactly, -1 when none does.
std::int32_t ModeNumberOfName(std::string_view name);

/// The mode number of the row with this width, height and bit count, else the
/// coded size of a 16-bit mode within bounds, -1 otherwise.
std::int32_t ModeNumberOf(const DisplayMode& mode);

/// The modes the display offers that have mode numbers, in the display's order. A mode the display lists more than once appears once.
std::vector<std::int32_t> OfferedModeNumbers(std::span<const DisplayMode> offered);

/// The position in `modeNumbers` of the mode of highest preference (the first of
/// equals), -1 when the list is empty. Entries that are not table rows are skipped.
std::int32_t PreselectedEntry(std::span<const std::int32_t> modeNumbers);

/// The entry the start dialog selects: the first one holding mode `wanted` (the
/// mode stored in the settings file, -1 for none), otherwise the entry of highest
/// preference.
std::int32_t PreselectedEntry(std::span<const std::int32_t> modeNumbers, std::int32_t wanted);

}  // namespace tavrine
