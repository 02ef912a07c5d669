#include "content_library.h"

namespace tavrine::assets {

PictureSet& ContentLibrary::List(int group, int subgroup, int list) {
    if (Groups.size() <= static_cast<std::size_t>(group)) Groups.resize(static_cast<std::size_t>(group) + 1);
    auto& g = Groups[static_cast<std::size_t>(group)];
    if (g.size() <= static_cast<std::size_t>(subgroup)) g.resize(static_cast<std::size_t>(subgroup) + 1);
    auto& s = g[static_cast<std::size_t>(subgroup)];
    if (s.size() <= static_cast<std::size_t>(list)) s.resize(static_cast<std::size_t>(list) + 1);
    return s[static_cast<std::size_t>(list)];
}

const PictureSet* ContentLibrary::Find(int group, int subgroup, int list) const {
    if (group < 0 || subgroup < 0 || list < 0) return nullptr;
    if (Groups.size() <= static_cast<std::size_t>(group)) return nullptr;
    const auto& g = Groups[static_cast<std::size_t>(group)];
    if (g.size() <= static_cast<std::size_t>(subgroup)) return nullptr;
    const auto& s = g[static_cast<std::size_t>(subgroup)];
    if (s.size() <= static_cast<std::size_t>(list)) return nullptr;
    return &s[static_cast<std::size_t>(list)];
}

}  // namespace tavrine::assets
