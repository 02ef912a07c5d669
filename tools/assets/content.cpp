#include "content.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "contact_sheet.h"
#include "cursors.h"
#include "effects.h"
#include "ground_lists.h"
#include "help.h"
#include "pixel_font.h"
#include "png_writer.h"
#include "music.h"
#include "scenery.h"
#include "sounds.h"
#include "structures.h"
#include "ui_pictures.h"
#include "state/random.h"
#include "vehicles.h"

namespace tavrine::assets {

ContentLibrary BuildLibrary(std::uint64_t seed) {
    Random random(seed);
    ContentLibrary library;
    AddGround(library, random.Next());
    AddEffects(library, random.Next());
    AddScenery(library, random.Next());
    AddTowers(library);
    AddBuildings(library);
    AddTanks(library);
    AddSounds(library, random.Next());
    return library;
}

namespace {

/// A panel of pictures side by side over a mid grey, each with its number, for
/// the contact sheet.
Scene Panel(const std::string& title, const std::vector<Image>& pictures) {
    int width = 4, height = 0;
    for (const Image& p : pictures) {
        width += std::max(p.Width, 14) + 6;
        height = std::max(height, p.Height);
    }
    Image panel(width, height + 14, 0xFF808488u);
    int x = 4;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const Image& p = pictures[i];
        Blit(panel, p, x, 2);
        DrawText(panel, x, height + 5, std::to_string(i), 0xFF202020u);
        x += std::max(p.Width, 14) + 6;
    }
    return {title, panel};
}

}  // namespace

std::map<std::string, ByteVector> GenerateContent(std::uint64_t seed) {
    std::map<std::string, ByteVector> files;
    const ContentLibrary library = BuildLibrary(seed);
    files["Tavrine.isd"] = EncodeLibrary(library);
    files["Music.mid"] = ComposeMusic();
    std::vector<Image> cursorImages;
    for (int n = 1; n <= kCursorCount; ++n) {
        const AnimatedCursor cursor = MakeCursor(n);
        files["Cursors/" + std::to_string(n) + ".ani"] = EncodeAnimatedCursor(cursor);
        cursorImages.push_back(cursor.Frames[0].Picture);
    }
    const std::string help = HelpText();
    files["Tavrine.hlp"] = ByteVector(help.begin(), help.end());
    std::vector<Image> icons;
    for (const auto& [path, picture] : DialogPictures(library)) {
        files[path] = EncodePng(picture, true);
        icons.push_back(picture);
    }
    cursorImages.insert(cursorImages.begin(), Image(1, 1, 0));  // cursors count from 1
    const std::vector<Scene> extras = {Panel("CURSORS 1-22 (FIRST FRAME)", cursorImages),
                                       Panel("DIALOG PICTURES: TITLE, DISPLAY, FILES, SOUND, MAP EDITOR 0-6, IMAGE EDITOR 0-12", icons)};
    files["contact-sheet.png"] = EncodePng(ContactSheet(library, extras), false);
    return files;
}

bool WriteContent(const std::map<std::string, ByteVector>& files, const std::string& folder) {
    namespace fs = std::filesystem;
    bool ok = true;
    for (const auto& [name, bytes] : files) {
        const fs::path path = fs::path(folder) / name;
        std::error_code error;
        fs::create_directories(path.parent_path(), error);
        const fs::path temporary = path.string() + ".tmp-assets";
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            fs::remove(temporary, error);
            ok = false;
            continue;
        }
        fs::rename(temporary, path, error);
        if (error) ok = false;
    }
    return ok;
}

}  // namespace tavrine::assets
