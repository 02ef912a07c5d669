#include "state/display_modes.h"

#include <algorithm>

namespace tavrine {

namespace {
struct DepthText {
    std::int32_t Bits;
    std::string_view Text;
};

constexpr std::array<DepthText, 4> kDepthTexts{{
    {8, "256 Colors (8 bit)"},
    {16, "High Color (16 bit)"},
    {24, "True Color (24 bit)"},
    {32, "True Color (32 bit)"},
}};

bool IsModeNumber(std::int32_t number) { return number >= 0 && number < kModeCount; }

bool CodableSize(std::int64_t w, std::int64_t h) {
    return w >= kMinModeWidth && w <= kMaxModeSide && h >= kMinModeHeight && h <= kMaxModeSide;
}

std::optional<std::int32_t> Digits(std::string_view text) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    std::int32_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}
}  // namespace

std::string_view ColorDepthText(std::int32_t bits) {
    for (const DepthText& d : kDepthTexts)
        if (d.Bits == bits) return d.Text;
    return {};
}

std::string ModeName(const DisplayMode& mode) {
    std::string name = std::to_string(mode.Width);
    name += " by ";
    name += std::to_string(mode.Height);
    name += ", ";
    name += ColorDepthText(mode.Bits);
    return name;
}

std::optional<DisplayMode> ModeOfNumber(std::int32_t number) {
    if (IsModeNumber(number)) return kDisplayModes[static_cast<std::size_t>(number)].Mode;
    if (number < kSizeModeFlag) return std::nullopt;
    const std::int32_t w = (number >> 15) & 0x7FFF, h = number & 0x7FFF;
    if (!CodableSize(w, h)) return std::nullopt;
    const DisplayMode mode{w, h, 16};
    // A coded size of a table row is not a mode number of its own.
    for (const DisplayModeRow& row : kDisplayModes)
        if (row.Mode == mode) return std::nullopt;
    return mode;
}

std::optional<DisplayMode> ParseModeSize(std::string_view text) {
    const auto x = text.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    const auto w = Digits(text.substr(0, x)), h = Digits(text.substr(x + 1));
    if (!w || !h || !CodableSize(*w, *h)) return std::nullopt;
    return DisplayMode{*w, *h, 16};
}

std::vector<DisplayMode> ModesForScreen(std::int32_t screenWidth, std::int32_t screenHeight) {
    std::vector<DisplayMode> modes;
    for (const DisplayModeRow& row : kDisplayModes)
        if (row.Mode.Width <= screenWidth && row.Mode.Height <= screenHeight) modes.push_back(row.Mode);
    std::vector<DisplayMode> wide;
    for (const DisplayMode& m : kWideModes)
        if (m.Width <= screenWidth && m.Height <= screenHeight) wide.push_back(m);
    const DisplayMode own{screenWidth, screenHeight, 16};
    if (CodableSize(screenWidth, screenHeight) && std::find(modes.begin(), modes.end(), own) == modes.end() &&
        std::find(wide.begin(), wide.end(), own) == wide.end())
        wide.push_back(own);
    std::stable_sort(wide.begin(), wide.end(), [](const DisplayMode& a, const DisplayMode& b) {
        return std::int64_t{a.Width} * a.Height < std::int64_t{b.Width} * b.Height;
    });
    modes.insert(modes.end(), wide.begin(), wide.end());
    return modes;
}

std::string ModeName(std::int32_t number) {
    const auto mode = ModeOfNumber(number);
    return mode ? ModeName(*mode) : std::string();
}

std::int32_t ModeNumberOfName(std::string_view name) {
    const auto by = name.find(" by "), comma = name.find(", ");
    if (by == std::string_view::npos || comma == std::string_view::npos || comma < by) return -1;
    const auto w = Digits(name.substr(0, by)), h = Digits(name.substr(by + 4, comma - by - 4));
    if (!w || !h) return -1;
    for (const DepthText& d : kDepthTexts) {
        const std::int32_t n = ModeNumberOf({*w, *h, d.Bits});
        if (n >= 0 && ModeName(n) == name) return n;
    }
    return -1;
}

std::int32_t ModeNumberOf(const DisplayMode& mode) {
    for (std::int32_t n = 0; n < kModeCount; ++n)
        if (kDisplayModes[static_cast<std::size_t>(n)].Mode == mode) return n;
    if (mode.Bits != 16 || !CodableSize(mode.Width, mode.Height)) return -1;
    return kSizeModeFlag | (mode.Width << 15) | mode.Height;
}

std::vector<std::int32_t> OfferedModeNumbers(std::span<const DisplayMode> offered) {
    std::vector<std::int32_t> numbers;
    for (const DisplayMode& m : offered) {
        const std::int32_t n = ModeNumberOf(m);
        if (n >= 0 && std::find(numbers.begin(), numbers.end(), n) == numbers.end()) numbers.push_back(n);
    }
    return numbers;
}

std::int32_t PreselectedEntry(std::span<const std::int32_t> modeNumbers) {
    std::int32_t best = -1;
    std::int32_t bestPreference = 0;
    for (std::size_t i = 0; i < modeNumbers.size(); ++i) {
        if (!IsModeNumber(modeNumbers[i])) continue;
        const std::int32_t preference = kDisplayModes[static_cast<std::size_t>(modeNumbers[i])].Preference;
        if (best < 0 || preference > bestPreference) {
            best = static_cast<std::int32_t>(i);
            bestPreference = preference;
        }
    }
    return best;
}

std::int32_t PreselectedEntry(std::span<const std::int32_t> modeNumbers, std::int32_t wanted) {
    if (ModeOfNumber(wanted)) {
        const auto it = std::find(modeNumbers.begin(), modeNumbers.end(), wanted);
        if (it != modeNumbers.end()) return static_cast<std::int32_t>(it - modeNumbers.begin());
    }
    return PreselectedEntry(modeNumbers);
}

}  // namespace tavrine
