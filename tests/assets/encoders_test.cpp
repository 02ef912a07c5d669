// The generator's PNG files: the pixels read back exactly, and the shipped
// pictures are PNG files of the expected sizes.
#include <gtest/gtest.h>
#include <png.h>

#include <optional>
#include <string>

#include "generated_content.h"
#include "png_writer.h"

namespace tavrine::assets::testing {
namespace {

/// The pixels of a PNG file as libpng reads it back; nullopt when it refuses it.
std::optional<Image> DecodePng(const ByteVector& file) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, file.data(), file.size())) return std::nullopt;
    png.format = PNG_FORMAT_RGBA;
    ByteVector rgba(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr)) return std::nullopt;
    Image img(static_cast<int>(png.width), static_cast<int>(png.height));
    for (std::size_t i = 0; i < img.Pixels.size(); ++i) {
        const std::uint8_t* p = &rgba[4 * i];
        img.Pixels[i] = (static_cast<std::uint32_t>(p[3]) << 24) | (p[0] << 16) | (p[1] << 8) | p[2];
    }
    return img;
}

TEST(Encoders, PngPixelsReadBackExactly) {
    Image img(37, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 37; ++x) img.At(x, y) = (static_cast<std::uint32_t>(x * 7) << 24) | (x * 5 << 16) | (y * 40 << 8) | ((x * y) & 255);
    auto rgba = DecodePng(EncodePng(img, true));
    ASSERT_TRUE(rgba.has_value());
    EXPECT_EQ(rgba->Pixels, img.Pixels);
    auto rgb = DecodePng(EncodePng(img, false));
    ASSERT_TRUE(rgb.has_value());
    for (std::size_t i = 0; i < img.Pixels.size(); ++i) EXPECT_EQ(rgb->Pixels[i], img.Pixels[i] | 0xFF000000u);
}

TEST(Encoders, TheDialogPicturesAndTheContactSheetAreReadablePngs) {
    auto title = DecodePng(ProgramFile("ui/title.png"));
    ASSERT_TRUE(title.has_value());
    EXPECT_EQ(title->Width, 304);
    EXPECT_EQ(title->Height, 218);
    auto display = DecodePng(ProgramFile("ui/display.png"));
    ASSERT_TRUE(display.has_value());
    EXPECT_EQ(display->Width, 32);
    for (const std::string icon : {"ui/saved-game.png", "ui/new-game.png"}) {
        auto i = DecodePng(ProgramFile(icon));
        ASSERT_TRUE(i.has_value()) << icon;
        EXPECT_EQ(i->Width, 16);
        EXPECT_EQ(i->Height, 16);
    }
    for (int n = 0; n <= 6; ++n) EXPECT_TRUE(DecodePng(ProgramFile("ui/map-editor/" + std::to_string(n) + ".png")));
    for (int n = 0; n <= 12; ++n) EXPECT_TRUE(DecodePng(ProgramFile("ui/image-editor/" + std::to_string(n) + ".png")));
    auto sheet = DecodePng(ProgramFile("contact-sheet.png"));
    ASSERT_TRUE(sheet.has_value());
    EXPECT_GT(sheet->Height, 500);
}

}  // namespace
}  // namespace tavrine::assets::testing
