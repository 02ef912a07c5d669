#include "editor/library_edit.h"

#include <algorithm>
#include <utility>

#include "data/bmp.h"
#include "data/wave.h"

namespace tavrine {

namespace {

template <typename T>
T* At(std::vector<T>& v, std::int32_t i) {
    if (i < 0 || static_cast<std::size_t>(i) >= v.size()) return nullptr;
    return &v[static_cast<std::size_t>(i)];
}

PictureList* ListOf(ImageLibrary& library, const ImageRef& ref) {
    Subgroups* group = At(library.Images, ref.Group);
    PictureLists* subgroup = group ? At(*group, ref.Subgroup) : nullptr;
    return subgroup ? At(*subgroup, ref.List) : nullptr;
}

std::string ListName(const ImageRef& ref) {
    return std::to_string(ref.Group) + "/" + std::to_string(ref.Subgroup) + "/" + std::to_string(ref.List);
}

EditResult NoList(const ImageRef& ref) { return {"There is no picture list " + ListName(ref) + "."}; }

EditResult NoPicture(const ImageRef& ref) {
    return {"There is no picture " + std::to_string(ref.Frame) + " in list " + ListName(ref) + "."};
}

EditResult NoSound(std::int32_t index) { return {"There is no sound " + std::to_string(index) + "."}; }

/// The picture of a .bmp file, or the reason it cannot be one.
std::optional<Picture> Decode(std::span<const std::uint8_t> file, EditResult& result) {
    std::string why;
    std::optional<Picture> picture = ImportBmpFile(file, &why);
    if (!picture || picture->Pixels.empty()) {
        result.Error = "The file is not a usable bitmap" + (why.empty() ? std::string(".") : ": " + why + ".");
        return std::nullopt;
    }
    return picture;
}

std::optional<Wave> DecodeWave(std::span<const std::uint8_t> file, EditResult& result) {
    std::string why;
    std::optional<Wave> wave = ImportWaveFile(file, &why);
    if (!wave) {
        result.Error = "The file is not a usable wave sound" + (why.empty() ? std::string(".") : ": " + why + ".");
        return std::nullopt;
    }
    return wave;
}

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kMaskColour = 0xFF000000u | 0x00FF00FFu;

}  // namespace

bool DiskFiles::Exists(const std::string& path) const { return FileExists(path); }

std::optional<Bytes> DiskFiles::Read(const std::string& path) const { return ReadWholeFile(path, kMaxImportBytes); }

std::int32_t AddGroup(ImageLibrary& library) {
    library.Images.emplace_back();
    return static_cast<std::int32_t>(library.Images.size() - 1);
}

std::optional<std::int32_t> AddSubgroup(ImageLibrary& library, std::int32_t group) {
    Subgroups* g = At(library.Images, group);
    if (!g) return std::nullopt;
    g->emplace_back();
    return static_cast<std::int32_t>(g->size() - 1);
}

std::optional<std::int32_t> AddList(ImageLibrary& library, std::int32_t group, std::int32_t subgroup) {
    Subgroups* g = At(library.Images, group);
    PictureLists* s = g ? At(*g, subgroup) : nullptr;
    if (!s) return std::nullopt;
    s->emplace_back();
    return static_cast<std::int32_t>(s->size() - 1);
}

EditResult AppendPicture(ImageLibrary& library, const ImageRef& list, std::span<const std::uint8_t> bmpFile) {
    PictureList* target = ListOf(library, list);
    if (!target) return NoList(list);
    EditResult result;
    std::optional<Picture> picture = Decode(bmpFile, result);
    if (picture) target->Pictures.push_back(std::move(*picture));
    return result;
}

EditResult DeletePicture(ImageLibrary& library, const ImageRef& picture) {
    PictureList* list = ListOf(library, picture);
    if (!list) return NoList(picture);
    if (!At(list->Pictures, picture.Frame)) return NoPicture(picture);
    list->Pictures.erase(list->Pictures.begin() + picture.Frame);
    return {};
}

EditResult ReplacePicture(ImageLibrary& library, const ImageRef& picture, std::span<const std::uint8_t> bmpFile) {
    PictureList* list = ListOf(library, picture);
    if (!list) return NoList(picture);
    Picture* old = At(list->Pictures, picture.Frame);
    if (!old) return NoPicture(picture);
    EditResult result;
    // Every picture of the library takes red 255, green 0, blue 255 as its
    // transparent colour, and the decoder gives the new one that same colour.
    std::optional<Picture> fresh = Decode(bmpFile, result);
    if (fresh) *old = std::move(*fresh);
    return result;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return path.substr(0, slash);
}

SeriesResult FillFromSeries(ImageLibrary& library, const ImageRef& list, const std::string& folder,
                            const FileSource& files) {
    PictureList* target = ListOf(library, list);
    if (!target) return {NoList(list), 0};
    // The new pictures are gathered apart, so that a broken file in the middle
    // of the series leaves the list as it was instead of half filled.
    std::vector<Picture> series;
    for (std::int32_t n = 0; n < kSeriesLength; ++n) {
        const std::string path = folder + "/" + std::to_string(n) + ".bmp";
        if (!files.Exists(path)) break;
        const std::optional<Bytes> bytes = files.Read(path);
        if (!bytes) return {{"Cannot read \"" + path + "\"."}, 0};
        EditResult result;
        std::optional<Picture> picture = Decode(*bytes, result);
        if (!picture) return {{"\"" + path + "\": " + result.Error}, 0};
        series.push_back(std::move(*picture));
    }
    target->Pictures = std::move(series);
    return {{}, static_cast<std::int32_t>(target->Pictures.size())};
}

EditResult AppendSound(ImageLibrary& library, std::span<const std::uint8_t> wavFile) {
    EditResult result;
    std::optional<Wave> wave = DecodeWave(wavFile, result);
    if (wave) library.WaveList.push_back(std::move(*wave));
    return result;
}

EditResult DeleteSound(ImageLibrary& library, std::int32_t index) {
    if (!At(library.WaveList, index)) return NoSound(index);
    library.WaveList.erase(library.WaveList.begin() + index);
    return {};
}

EditResult ReplaceSound(ImageLibrary& library, std::int32_t index, std::span<const std::uint8_t> wavFile) {
    Wave* old = At(library.WaveList, index);
    if (!old) return NoSound(index);
    EditResult result;
    std::optional<Wave> wave = DecodeWave(wavFile, result);
    if (wave) *old = std::move(*wave);
    return result;
}

std::int32_t ThumbnailSize(std::int32_t group) { return group == 0 || group == 1 ? 36 : 108; }

Thumbnail MakeThumbnail(const Picture& picture, std::int32_t group) {
    Thumbnail t;
    t.Size = ThumbnailSize(group);
    const std::size_t area = static_cast<std::size_t>(t.Size) * static_cast<std::size_t>(t.Size);
    t.Pixels.assign(area, kWhite);
    t.Mask.assign(area, 0);
    const bool whole = picture.Width > 0 && picture.Height > 0 &&
                       picture.Pixels.size() == static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height);
    if (!whole) return t;
    const bool centred = t.Size != ThumbnailSize(0);
    // Integer division truncates toward zero, as the offset must.
    const std::int32_t left = centred ? (t.Size - picture.Width) / 2 : 0;
    const std::int32_t top = centred ? (t.Size - picture.Height) / 2 : 0;
    const std::int32_t x0 = std::max(0, left), x1 = std::min(t.Size, left + picture.Width);
    const std::int32_t y0 = std::max(0, top), y1 = std::min(t.Size, top + picture.Height);
    for (std::int32_t y = y0; y < y1; ++y)
        for (std::int32_t x = x0; x < x1; ++x) {
            const std::uint32_t colour = 0xFF000000u | picture.Pixels[static_cast<std::size_t>(y - top) * picture.Width + (x - left)];
            const std::size_t at = static_cast<std::size_t>(y) * t.Size + x;
            t.Pixels[at] = colour;
            t.Mask[at] = colour == kMaskColour ? 1 : 0;
        }
    return t;
}

}  // namespace tavrine
