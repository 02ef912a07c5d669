#include "data/library_file.h"

#include <utility>

#include "data/bmp.h"
#include "data/wave.h"

namespace tavrine {

namespace {

/// The fewest bytes each kind of element can take in a file, for checking counts.
constexpr std::size_t kMinSubgroupsBytes = 4;  // a group: its subgroup count
constexpr std::size_t kMinListsBytes = 4;      // a subgroup: its list count
constexpr std::size_t kMinListBytes = 8;       // a list: Tag and frame count
constexpr std::size_t kMinPictureBytes = 26;   // file header and the smallest information header
constexpr std::size_t kMinWaveBytes = 28;      // RIFF header and two chunk headers

bool Fail(std::string* error, const std::string& text) {
    if (error) *error = text;
    return false;
}

/// Reads a count and checks that `count` elements of at least `minBytes` each
/// can still follow.
bool ReadCount(ByteReader& in, std::size_t minBytes, const char* what, std::int32_t& count, std::string* error) {
    if (!in.ReadI32(count)) return Fail(error, std::string("file ends before the ") + what + " count");
    if (count < 0) return Fail(error, std::string("negative ") + what + " count");
    if (static_cast<std::size_t>(count) > in.Remaining() / minBytes)
        return Fail(error, std::string(what) + " count " + std::to_string(count) + " exceeds the bytes that remain");
    return true;
}

class BodyReader {
public:
    BodyReader(ByteReader& in, std::string* error, std::int64_t pixelBudget)
        : in_(in), error_(error), budget_(pixelBudget) {}

    bool Read(ImageLibrary& library) {
        std::int32_t groups = 0;
        if (!ReadCount(in_, kMinSubgroupsBytes, "group", groups, error_)) return false;
        library.Images.reserve(static_cast<std::size_t>(groups));
        for (std::int32_t g = 0; g < groups; ++g)
            if (!ReadGroup(library.Images.emplace_back())) return false;
        std::int32_t waves = 0;
        if (!ReadCount(in_, kMinWaveBytes, "wave", waves, error_)) return false;
        library.WaveList.reserve(static_cast<std::size_t>(waves));
        for (std::int32_t w = 0; w < waves; ++w) {
            std::optional<Wave> wave = ReadWaveRecord(in_, error_);
            if (!wave) return false;
            library.WaveList.push_back(std::move(*wave));
        }
        return true;
    }

private:
    bool ReadGroup(Subgroups& group) {
        std::int32_t subgroups = 0;
        if (!ReadCount(in_, kMinListsBytes, "subgroup", subgroups, error_)) return false;
        group.reserve(static_cast<std::size_t>(subgroups));
        for (std::int32_t s = 0; s < subgroups; ++s) {
            PictureLists& lists = group.emplace_back();
            std::int32_t count = 0;
            if (!ReadCount(in_, kMinListBytes, "list", count, error_)) return false;
            lists.reserve(static_cast<std::size_t>(count));
            for (std::int32_t l = 0; l < count; ++l)
                if (!ReadList(lists.emplace_back())) return false;
        }
        return true;
    }

    bool ReadList(PictureList& list) {
        std::int32_t frames = 0;
        if (!in_.ReadI32(list.Tag)) return Fail(error_, "file ends before a list's Tag");
        if (!ReadCount(in_, kMinPictureBytes, "frame", frames, error_)) return false;
        list.Pictures.reserve(static_cast<std::size_t>(frames));
        for (std::int32_t f = 0; f < frames; ++f) {
            std::optional<Picture> picture = ReadBmpRecord(in_, error_);
            if (!picture) return false;
            pixels_ += std::int64_t{picture->Width} * picture->Height;
            if (pixels_ > budget_) return Fail(error_, "the pictures hold more pixels than the game accepts");
            list.Pictures.push_back(std::move(*picture));
        }
        return true;
    }

    ByteReader& in_;
    std::string* error_;
    std::int64_t budget_;
    std::int64_t pixels_ = 0;
};

/// True when `record` reads back as one bitmap record of exactly its length.
bool IsWholeRecord(const std::vector<std::uint8_t>& record) {
    ByteReader in(record);
    return ReadBmpRecord(in).has_value() && in.AtEnd();
}

}  // namespace

std::string LibraryStatusMessage(LibraryStatus status) {
    switch (status) {
        case LibraryStatus::Ok: return "";
        case LibraryStatus::FormatError: return "File format error";
        case LibraryStatus::VersionError: return "File version error";
        case LibraryStatus::DataError: break;
    }
    return "Data I/O Error";
}

bool ReadLibraryBody(ByteReader& in, ImageLibrary& library, std::string* error, std::int64_t pixelBudget) {
    ImageLibrary fresh;
    if (!BodyReader(in, error, pixelBudget).Read(fresh)) return false;
    library = std::move(fresh);
    return true;
}

bool WriteLibraryBody(const ImageLibrary& library, std::vector<std::uint8_t>& out, std::string* error) {
    PutI32(out, static_cast<std::int32_t>(library.Images.size()));
    for (std::size_t g = 0; g < library.Images.size(); ++g) {
        const Subgroups& group = library.Images[g];
        PutI32(out, static_cast<std::int32_t>(group.size()));
        for (std::size_t s = 0; s < group.size(); ++s) {
            PutI32(out, static_cast<std::int32_t>(group[s].size()));
            for (std::size_t l = 0; l < group[s].size(); ++l) {
                const PictureList& list = group[s][l];
                PutI32(out, list.Tag);
                PutI32(out, static_cast<std::int32_t>(list.Pictures.size()));
                for (std::size_t f = 0; f < list.Pictures.size(); ++f) {
                    const std::vector<std::uint8_t>& record = list.Pictures[f].Record;
                    if (!IsWholeRecord(record))
                        return Fail(error, "picture " + std::to_string(g) + "-" + std::to_string(s) + "-" +
                                               std::to_string(l) + "-" + std::to_string(f) +
                                               " has no readable bitmap record");
                    PutBytes(out, record);
                }
            }
        }
    }
    PutI32(out, static_cast<std::int32_t>(library.WaveList.size()));
    for (const Wave& wave : library.WaveList) WriteWaveRecord(wave, out);
    return true;
}

LibraryStatus ReadLibraryHeader(ByteReader& in, std::string* error) {
    std::int32_t magic = 0, version = 0;
    if (!in.ReadI32(magic) || magic != kLibraryMagic) {
        Fail(error, "not a library file (magic is not 30905)");
        return LibraryStatus::FormatError;
    }
    if (!in.ReadI32(version) || version != kLibraryVersion) {
        Fail(error, "library version " + std::to_string(version) + ", expected 2");
        return LibraryStatus::VersionError;
    }
    return LibraryStatus::Ok;
}

LibraryStatus ReadLibraryFile(std::span<const std::uint8_t> file, ImageLibrary& library, std::string* error) {
    ByteReader in(file);
    const LibraryStatus status = ReadLibraryHeader(in, error);
    if (status != LibraryStatus::Ok) return status;
    return ReadLibraryBody(in, library, error) ? LibraryStatus::Ok : LibraryStatus::DataError;
}

std::optional<std::vector<std::uint8_t>> WriteLibraryFile(const ImageLibrary& library, std::string* error) {
    std::vector<std::uint8_t> out;
    PutI32(out, kLibraryMagic);
    PutI32(out, kLibraryVersion);
    if (!WriteLibraryBody(library, out, error)) return std::nullopt;
    return out;
}

}  // namespace tavrine
