// Loading and saving the picture and sound library, with the game's messages.
#include <utility>

#include "data/file_io.h"
#include "data/library_file.h"
#include "game/game.h"

namespace tavrine {

namespace {

void ShowError(Host& host, const std::string& message) { host.ShowMessage(message, "Error", MessageIcon::Error); }

}  // namespace

bool ReadLibraryContents(Host& host, ByteReader* in, ImageLibrary& library) {
    if (!in) return false;
    if (ReadLibraryBody(*in, library)) return true;
    ShowError(host, LibraryStatusMessage(LibraryStatus::DataError));
    return false;
}

bool WriteLibraryContents(Host& host, const ImageLibrary& library, std::vector<std::uint8_t>* out) {
    if (!out) return false;
    if (WriteLibraryBody(library, *out)) return true;
    ShowError(host, LibraryStatusMessage(LibraryStatus::DataError));
    return false;
}

bool LoadImageLibraryFrom(Host& host, const std::string& path, ImageLibrary& library) {
    const std::optional<Bytes> file = ReadWholeFile(path);
    if (!file) {
        ShowError(host, LibraryStatusMessage(LibraryStatus::DataError));
        return false;
    }
    ByteReader in(*file);
    const LibraryStatus status = ReadLibraryHeader(in);
    if (status != LibraryStatus::Ok) {
        ShowError(host, LibraryStatusMessage(status));
        return false;
    }
    return ReadLibraryContents(host, &in, library);
}

bool SaveImageLibraryTo(Host& host, const std::string& path, const ImageLibrary& library) {
    Bytes out;
    PutI32(out, kLibraryMagic);
    PutI32(out, kLibraryVersion);
    if (!WriteLibraryContents(host, library, &out)) return false;
    if (WriteFileAtomically(path, out)) return true;
    ShowError(host, LibraryStatusMessage(LibraryStatus::DataError));
    return false;
}

bool Game::LoadImageLibrary() { return LoadImageLibraryFrom(host_, paths_.LibraryToRead(), library_); }

bool Game::SaveImageLibrary() {
    // Installed, the user's folder may not exist yet; a failure to make it shows
    // as the failed write.
    paths_.MakeFolder(paths_.UserFolder());
    return SaveImageLibraryTo(host_, paths_.LibraryToWrite(), library_);
}

bool Game::LoadLibraryAtStartUp() {
    if (FileExists(paths_.LibraryToRead())) return LoadImageLibrary();
    ShowError(host_, "File \"Tavrine.isd\" not found");
    library_ = ImageLibrary{};
    return false;
}

}  // namespace tavrine
