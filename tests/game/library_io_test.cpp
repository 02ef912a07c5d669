#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "data/bmp_samples.h"
#include "data/file_io.h"
#include "data/library_file.h"
#include "game/game.h"
#include "support/message_host.h"

namespace tavrine {
namespace {

using RecordingHost = test::MessageHost;

class LibraryIoTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tavrine-library-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string LibraryPath() const { return (folder_ / "Tavrine.isd").string(); }
    void WriteLibrary(const test::Bytes& bytes) const { ASSERT_TRUE(WriteFileAtomically(LibraryPath(), bytes)); }
    void ExpectMessage(const std::string& text) const {
        EXPECT_EQ(host_.lastMessage, text);
        EXPECT_EQ(host_.lastCaption, "Error");
        EXPECT_EQ(host_.lastIcon, MessageIcon::Error);
    }

    std::filesystem::path folder_;
    RecordingHost host_;
};

TEST_F(LibraryIoTest, SaveThenLoadGivesTheSameLibraryWithoutMessages) {
    Game game(folder_.string(), host_);
    game.Library() = test::SampleLibrary();
    ASSERT_TRUE(game.SaveImageLibrary());
    const std::optional<test::Bytes> saved = ReadWholeFile(LibraryPath());
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, *WriteLibraryFile(test::SampleLibrary()));

    Game other(folder_.string(), host_);
    ASSERT_TRUE(other.LoadLibraryAtStartUp());
    EXPECT_EQ(*WriteLibraryFile(other.Library()), *saved);
    EXPECT_EQ(host_.messages, 0);
}

TEST_F(LibraryIoTest, RejectedFilesShowTheirMessageAndKeepTheLibraryLoadedBefore) {
    Game game(folder_.string(), host_);
    game.Library() = test::SampleLibrary();
    const test::Bytes good = *WriteLibraryFile(test::SampleLibrary());
    const test::Bytes before = good;

    struct Case {
        test::Bytes file;
        std::string message;
    };
    test::Bytes version1 = good, badMagic = good, truncated(good.begin(), good.end() - 5);
    version1[4] = 1;
    badMagic[1] = 0;
    const Case cases[] = {{version1, "File version error"},
                          {badMagic, "File format error"},
                          {{0xB9, 0x78}, "File format error"},
                          {truncated, "Data I/O Error"}};
    for (const Case& c : cases) {
        WriteLibrary(c.file);
        host_.messages = 0;
        EXPECT_FALSE(game.LoadImageLibrary());
        ExpectMessage(c.message);
        EXPECT_EQ(host_.messages, 1) << c.message << " is shown once";
        EXPECT_EQ(*WriteLibraryFile(game.Library()), before) << "the library loaded before stays";
    }
    std::filesystem::remove(LibraryPath());
    std::filesystem::create_directory(LibraryPath());  // exists, but cannot be read as a file
    EXPECT_FALSE(game.LoadImageLibrary());
    ExpectMessage("Data I/O Error");
}

TEST_F(LibraryIoTest, MissingFileAtStartUpLeavesAnEmptyLibrary) {
    Game game(folder_.string(), host_);
    game.Library() = test::SampleLibrary();
    EXPECT_FALSE(game.LoadLibraryAtStartUp());
    ExpectMessage("File \"Tavrine.isd\" not found");
    EXPECT_TRUE(game.Library().Images.empty());
    EXPECT_TRUE(game.Library().WaveList.empty());
}

TEST_F(LibraryIoTest, AFailedSaveLeavesTheOldFile) {
    Game game(folder_.string(), host_);
    const test::Bytes old = *WriteLibraryFile(test::SampleLibrary());
    WriteLibrary(old);

    game.Library().Images.resize(1);
    game.Library().Images[0].resize(1);
    game.Library().Images[0][0].resize(1);
    game.Library().Images[0][0][0].Pictures.resize(1);  // a picture without a record
    EXPECT_FALSE(game.SaveImageLibrary());
    ExpectMessage("Data I/O Error");
    EXPECT_EQ(*ReadWholeFile(LibraryPath()), old);

    Game elsewhere((folder_ / "no-such-folder").string(), host_);
    host_.messages = 0;
    EXPECT_FALSE(elsewhere.SaveImageLibrary());
    ExpectMessage("Data I/O Error");
}

TEST_F(LibraryIoTest, MissingStreamsFailWithoutAMessage) {
    ImageLibrary lib = test::SampleLibrary();
    EXPECT_FALSE(ReadLibraryContents(host_, nullptr, lib));
    EXPECT_FALSE(WriteLibraryContents(host_, lib, nullptr));
    EXPECT_EQ(host_.messages, 0);
    EXPECT_EQ(lib.Images.size(), 3u);

    const test::Bytes body = {1, 0, 0, 0};  // one group, then nothing
    ByteReader in(body);
    EXPECT_FALSE(ReadLibraryContents(host_, &in, lib));
    ExpectMessage("Data I/O Error");
    EXPECT_EQ(lib.Images.size(), 3u);
}

}  // namespace
}  // namespace tavrine
