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

std::string ModeName(std::int32_t number) {
    if (!IsModeNumber(number)) return {};
    return ModeName(kDisplayModes[static_cast<std::size_t>(number)].Mode);
}

std::int32_t ModeNumberOfName(std::string_view name) {
    for (std::int32_t n = 0; n < kModeCount; ++n)
        if (ModeName(n) == name) return n;
    return -1;
}

std::int32_t ModeNumberOf(const DisplayMode& mode) {
    for (std::int32_t n = 0; n < kModeCount; ++n)
        if (kDisplayModes[static_cast<std::size_t>(n)].Mode == mode) return n;
    return -1;
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
    if (IsModeNumber(wanted)) {
        const auto it = std::find(modeNumbers.begin(), modeNumbers.end(), wanted);
        if (it != modeNumbers.end()) return static_cast<std::int32_t>(it - modeNumbers.begin());
    }
    return PreselectedEntry(modeNumbers);
}

}  // namespace tavrine
