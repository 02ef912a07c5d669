// Editing the picture and sound library in memory, as the image library editor
// does: groups, subgroups and lists are appended; pictures are appended, deleted,
// replaced and filled from a numbered series of .bmp files; sounds are appended,
// deleted and replaced from .wav files; and the editor's thumbnails are made.
//
// Every operation checks every index it is given and changes nothing when one is
// out of range or a file cannot be read or decoded; it then says why in a text
// for the user. The library never keeps a picture or sound without data.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/file_io.h"
#include "data/image_ref.h"
#include "data/library.h"

namespace tavrine {

/// What an editing operation ended with: `Error` is empty on success, otherwise
/// a sentence for the user saying what went wrong.
struct EditResult {
    std::string Error;
    bool Ok() const { return Error.empty(); }
};

/// Where the series fill finds its files. The editor reads the disk; tests
/// supply files from memory.
class FileSource {
public:
    virtual ~FileSource() = default;
    /// Whether a file of that name is there (whether or not it can be read).
    virtual bool Exists(const std::string& path) const = 0;
    /// The whole file; nullopt when it cannot be read.
    virtual std::optional<Bytes> Read(const std::string& path) const = 0;
};

/// The files on disk. Files above `kMaxImportBytes` are not read.
class DiskFiles final : public FileSource {
public:
    bool Exists(const std::string& path) const override;
    std::optional<Bytes> Read(const std::string& path) const override;
};

/// The largest .bmp or .wav file the editor imports (256 MB); the pictures
/// themselves are capped far below that by the bitmap reader.
inline constexpr std::size_t kMaxImportBytes = std::size_t{1} << 28;

/// The most pictures a series fill loads: files 0.bmp to 31.bmp.
inline constexpr std::int32_t kSeriesLength = 32;

// Groups, subgroups and lists. Each returns the index of the new element, or
// nullopt (changing nothing) when the parent it names does not exist.

std::int32_t AddGroup(ImageLibrary& library);
std::optional<std::int32_t> AddSubgroup(ImageLibrary& library, std::int32_t group);
/// A new empty list, `Tag` 0.
std::optional<std::int32_t> AddList(ImageLibrary& library, std::int32_t group, std::int32_t subgroup);

// Pictures. A list is named by the group, subgroup and list of an ImageRef (its
// frame is ignored); a picture by all four numbers. Imported pictures are drawn
// with the library's transparent colour (red 255, green 0, blue 255) from the
// moment they are added, exactly as after the library is next loaded.

/// Appends the picture of a .bmp file's bytes to the list.
EditResult AppendPicture(ImageLibrary& library, const ImageRef& list, std::span<const std::uint8_t> bmpFile);
/// Removes the picture; the later pictures of its list move down by one.
EditResult DeletePicture(ImageLibrary& library, const ImageRef& picture);
/// Puts the picture of a .bmp file in the named picture's place. The new
/// picture keeps the transparent colour of the one it replaces.
EditResult ReplacePicture(ImageLibrary& library, const ImageRef& picture, std::span<const std::uint8_t> bmpFile);

/// What a series fill loaded.
struct SeriesResult {
    EditResult Result;
    std::int32_t Loaded = 0;  ///< pictures now in the list (0 on failure)
};

/// Replaces the pictures of the list with the files folder + "/" + n + ".bmp"
/// for n = 0, 1, ... up to 31, stopping at the first number that is missing; a
/// folder without 0.bmp leaves the list empty. When a file of the series is
/// there but cannot be read or decoded, the list is left exactly as it was and
/// the error names that file.
SeriesResult FillFromSeries(ImageLibrary& library, const ImageRef& list, const std::string& folder,
                            const FileSource& files);

/// The folder of a chosen file, without a trailing '/': everything before its
/// last '/' ("" for a file directly in "/", so that folder + "/0.bmp" is right;
/// "." for a bare name).
std::string FolderOf(const std::string& path);

// Sounds, by position in the wave list.

/// Appends the sound of a .wav file's bytes.
EditResult AppendSound(ImageLibrary& library, std::span<const std::uint8_t> wavFile);
/// Removes the sound; later sounds move down by one.
EditResult DeleteSound(ImageLibrary& library, std::int32_t index);
/// Puts the sound of a .wav file's bytes in the sound's place.
EditResult ReplaceSound(ImageLibrary& library, std::int32_t index, std::span<const std::uint8_t> wavFile);

// Thumbnails of the picture view.

/// The side of a thumbnail in pixels: one cell (36) for groups 0 and 1, three
/// cells (108) for the others.
std::int32_t ThumbnailSize(std::int32_t group);

/// A square thumbnail and its mask.
struct Thumbnail {
    std::int32_t Size = 0;
    /// Opaque colours 0xFFRRGGBB, rows top-down: white, with the picture copied
    /// on it unscaled (its transparent pixels as red 255, green 0, blue 255).
    std::vector<std::uint32_t> Pixels;
    /// 1 exactly where the thumbnail's pixel is red 255, green 0, blue 255
    /// (those show the background in the picture view), else 0.
    std::vector<std::uint8_t> Mask;
};

/// The thumbnail of a picture of group `group`: the picture at the top-left
/// corner for groups 0 and 1, centred for the others (the offset is the size
/// difference halved toward zero, so a larger picture starts left of or above
/// the corner); whatever falls outside the square is cut off, never scaled.
Thumbnail MakeThumbnail(const Picture& picture, std::int32_t group);

}  // namespace tavrine
