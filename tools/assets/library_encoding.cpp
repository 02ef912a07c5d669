#include "library_encoding.h"

#include "data/bmp.h"
#include "data/library_file.h"

namespace tavrine::assets {

namespace {
void Put16(ByteVector& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(ByteVector& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}
}  // namespace

Wave ToWave(const Sound& sound) {
    Wave wave;
    Put16(wave.Format, 1);  // PCM
    Put16(wave.Format, 1);  // mono
    Put32(wave.Format, static_cast<std::uint32_t>(sound.Rate));
    Put32(wave.Format, static_cast<std::uint32_t>(sound.Rate) * 2);
    Put16(wave.Format, 2);
    Put16(wave.Format, 16);
    wave.Samples.reserve(sound.Samples.size() * 2);
    for (std::int16_t s : sound.Samples) Put16(wave.Samples, static_cast<std::uint16_t>(s));
    return wave;
}

ImageLibrary ToImageLibrary(const ContentLibrary& library) {
    ImageLibrary out;
    for (const auto& group : library.Groups) {
        Subgroups& g = out.Images.emplace_back();
        for (const auto& subgroup : group) {
            PictureLists& s = g.emplace_back();
            for (const PictureSet& set : subgroup) {
                PictureList& list = s.emplace_back();
                for (const Image& frame : set.Frames) {
                    const Image keyed = ToKeyed(frame);
                    if (auto picture = MakePicture(keyed.Width, keyed.Height, keyed.Pixels)) {
                        list.Pictures.push_back(std::move(*picture));
                    }
                }
            }
        }
    }
    for (const Sound& sound : library.Sounds) out.WaveList.push_back(ToWave(sound));
    return out;
}

ByteVector EncodeLibrary(const ContentLibrary& library) {
    auto file = WriteLibraryFile(ToImageLibrary(library));
    return file ? *file : ByteVector{};
}

}  // namespace tavrine::assets
