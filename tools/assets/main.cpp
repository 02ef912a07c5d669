// tavrine-assets: writes the game's generated content into a program folder.
//   tavrine-assets FOLDER                 every file
//   tavrine-assets --list G S L OUT.png   one list of the library, enlarged 4 times
//   tavrine-assets --icons FOLDER         the desktop icons, below FOLDER/hicolor
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "app_icon.h"
#include "content.h"
#include "png_writer.h"

namespace {

int ShowList(int group, int subgroup, int list, const char* out) {
    using namespace tavrine::assets;
    const ContentLibrary library = BuildLibrary(kContentSeed);
    const PictureSet* set = library.Find(group, subgroup, list);
    if (!set || set->Frames.empty()) return 1;
    const PictureSet* land = library.Find(0, 1, 0);
    constexpr int kZoom = 4;
    int width = 0, height = 0;
    for (const Image& f : set->Frames) {
        width += f.Width + 2;
        height = std::max(height, f.Height);
    }
    Image strip(width * kZoom, height * kZoom, 0xFF202020u);
    int x0 = 0;
    for (const Image& f : set->Frames) {
        for (int y = 0; y < f.Height; ++y)
            for (int x = 0; x < f.Width; ++x) {
                std::uint32_t p = f.At(x, y);
                if ((IsKey(p) || AlphaOf(p) == 0) && land) p = land->Frames[0].At(x % 36, y % 36);
                FillRect(strip, (x0 + x) * kZoom, y * kZoom, kZoom, kZoom, p | 0xFF000000u);
            }
        x0 += f.Width + 2;
    }
    const ByteVector png = EncodePng(strip, false);
    std::ofstream(out, std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                              static_cast<std::streamsize>(png.size()));
    return 0;
}

int WriteIcons(const char* folder) {
    using namespace tavrine::assets;
    std::map<std::string, ByteVector> files;
    for (const auto& [path, icon] : AppIcons(BuildLibrary(kContentSeed))) files[path] = EncodePng(icon, true);
    if (WriteContent(files, folder)) return 0;
    std::fprintf(stderr, "tavrine-assets: could not write the icons into %s\n", folder);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 6 && std::string(argv[1]) == "--list")
        return ShowList(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), argv[5]);
    if (argc == 3 && std::string(argv[1]) == "--icons") return WriteIcons(argv[2]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavrine-assets PROGRAM_FOLDER | --list G S L OUT.png | --icons FOLDER\n");
        return 2;
    }
    const auto files = tavrine::assets::GenerateContent();
    if (!tavrine::assets::WriteContent(files, argv[1])) {
        std::fprintf(stderr, "tavrine-assets: could not write every file into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
