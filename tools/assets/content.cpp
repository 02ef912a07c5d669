#include "content.h"

#include <filesystem>
#include <fstream>

#include "contact_sheet.h"
#include "cursors.h"
#include "effects.h"
#include "ground_lists.h"
#include "help.h"
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

std::map<std::string, ByteVector> GenerateContent(std::uint64_t seed) {
    std::map<std::string, ByteVector> files;
    const ContentLibrary library = BuildLibrary(seed);
    files["Tavrine.isd"] = EncodeLibrary(library);
    files["contact-sheet.png"] = EncodePng(ContactSheet(library), false);
    files["Music.mid"] = ComposeMusic();
    for (int n = 1; n <= kCursorCount; ++n)
        files["Cursors/" + std::to_string(n) + ".ani"] = EncodeAnimatedCursor(MakeCursor(n));
    const std::string help = HelpText();
    files["Tavrine.hlp"] = ByteVector(help.begin(), help.end());
    for (const auto& [path, picture] : DialogPictures(library)) files[path] = EncodePng(picture, true);
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
