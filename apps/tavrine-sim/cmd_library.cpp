// tavrine-sim library FILE.isd [--export DIR]: the contents of a picture and sound
// library as one line of JSON; with --export every picture as DIR/G-S-L-F.bmp and
// every sound as DIR/wave-N.wav.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "commands.h"
#include "data/bmp.h"
#include "data/file_io.h"
#include "data/json_writer.h"
#include "data/library_file.h"
#include "data/wave.h"

namespace tavrine::sim {

namespace {

const char* CompressionName(std::uint32_t compression) {
    switch (compression) {
        case kBmpRgb: return "none";
        case kBmpRle8: return "rle8";
        case kBmpRle4: return "rle4";
        case kBmpBitFields: return "bitfields";
        default: return "unknown";
    }
}

void WritePicture(JsonWriter& json, const Picture& picture) {
    json.BeginObject().Field("width", picture.Width).Field("height", picture.Height);
    if (const std::optional<BmpFormat> format = DescribeBmpRecord(picture.Record)) {
        json.Field("bitsPerPixel", format->BitCount).Field("compression", CompressionName(format->Compression));
        json.Field("headerBytes", format->HeaderSize).Field("colors", format->ColorCount);
    }
    json.Field("recordBytes", static_cast<std::int64_t>(picture.Record.size())).EndObject();
}

void WriteWave(JsonWriter& json, const Wave& wave) {
    json.BeginObject();
    if (const std::optional<WaveFormatInfo> info = ParseWaveFormat(wave.Format)) {
        json.Field("formatTag", info->FormatTag).Field("channels", info->Channels);
        json.Field("sampleRate", info->SamplesPerSec).Field("bitsPerSample", info->BitsPerSample);
    }
    json.Field("formatBytes", static_cast<std::int64_t>(wave.Format.size()));
    json.Field("dataBytes", static_cast<std::int64_t>(wave.Samples.size())).EndObject();
}

std::string LibraryToJson(const ImageLibrary& library) {
    JsonWriter json;
    json.BeginObject().Key("groups").BeginArray();
    for (const Subgroups& group : library.Images) {
        json.BeginObject().Key("subgroups").BeginArray();
        for (const PictureLists& subgroup : group) {
            json.BeginObject().Key("lists").BeginArray();
            for (const PictureList& list : subgroup) {
                json.BeginObject().Field("Tag", list.Tag).Key("pictures").BeginArray();
                for (const Picture& picture : list.Pictures) WritePicture(json, picture);
                json.EndArray().EndObject();
            }
            json.EndArray().EndObject();
        }
        json.EndArray().EndObject();
    }
    json.EndArray().Key("waves").BeginArray();
    for (const Wave& wave : library.WaveList) WriteWave(json, wave);
    json.EndArray().EndObject();
    return json.Text();
}

bool Export(const ImageLibrary& library, const std::string& folder) {
    bool ok = MakeFolder(folder, true);
    const auto& images = library.Images;
    for (std::size_t g = 0; ok && g < images.size(); ++g)
        for (std::size_t s = 0; ok && s < images[g].size(); ++s)
            for (std::size_t l = 0; ok && l < images[g][s].size(); ++l)
                for (std::size_t f = 0; ok && f < images[g][s][l].Pictures.size(); ++f) {
                    const std::string name = std::to_string(g) + "-" + std::to_string(s) + "-" + std::to_string(l) +
                                             "-" + std::to_string(f) + ".bmp";
                    ok = WriteFileAtomically(folder + "/" + name, images[g][s][l].Pictures[f].Record);
                }
    for (std::size_t w = 0; ok && w < library.WaveList.size(); ++w)
        ok = WriteFileAtomically(folder + "/wave-" + std::to_string(w) + ".wav", EncodeWaveFile(library.WaveList[w]));
    if (!ok) std::fprintf(stderr, "tavrine-sim: cannot write the exported files to %s\n", folder.c_str());
    return ok;
}

int Library(const Args& args) {
    std::string path, exportFolder;
    bool understood = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--export" && i + 1 < args.size()) exportFolder = args[++i];
        else if (path.empty() && args[i].rfind("--", 0) != 0) path = args[i];
        else understood = false;
    }
    if (!understood || path.empty()) {
        std::fprintf(stderr, "usage: tavrine-sim library FILE.isd [--export DIR]\n");
        return 2;
    }
    ImageLibrary library;
    std::string problem = "cannot read " + path;
    const std::optional<Bytes> file = ReadWholeFile(path);
    const LibraryStatus status = file ? ReadLibraryFile(*file, library, &problem) : LibraryStatus::DataError;
    if (status != LibraryStatus::Ok) {
        // The game's own message, then what exactly is wrong.
        std::fprintf(stderr, "%s\n%s\n", LibraryStatusMessage(status).c_str(), problem.c_str());
        return 1;
    }
    if (!exportFolder.empty() && !Export(library, exportFolder)) return 1;
    const std::string json = LibraryToJson(library);
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

const CommandRegistration libraryRegistration("library", "library FILE.isd [--export DIR]", Library);

}  // namespace

}  // namespace tavrine::sim
