#include "state/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/scratch_folder.h"

namespace tavrine {
namespace {

namespace fs = std::filesystem;

/// A fresh program folder for one test, removed afterwards.
class SettingsFileTest : public ::testing::Test {
protected:
    void WriteRaw(const std::string& bytes) const {
        std::ofstream out(folder_ + "/Tavrine.ini", std::ios::binary);
        out << bytes;
    }
    std::string ReadRaw() const {
        std::ifstream in(folder_ + "/Tavrine.ini", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder_)) names.push_back(e.path().filename().string());
        return names;
    }

    test::ScratchFolder scratch_{"tavrine-settings"};
    const std::string folder_ = scratch_.Path().string();
};

/// Parses `text` into default settings and the default mode.
struct Parsed {
    explicit Parsed(std::string_view text) { Ok = ParseSettings(text, Run, Mode); }
    RunState Run;
    DisplayMode Mode = kDefaultDisplayMode;
    bool Ok = false;
};

void ExpectDefaultSettings(const RunState& run) {
    EXPECT_EQ(run.TimerInterval, 30);
    EXPECT_EQ(run.Difficulty, 1);
    EXPECT_EQ(run.MusicOn, 1);
    EXPECT_EQ(run.SoundOn, 1);
    EXPECT_EQ(run.ReportOn, 1);
}

TEST(SettingsParseTest, OnlySpeedTwoChangesOnlyTheInterval) {
    const Parsed p("Speed=2\r\n");
    EXPECT_TRUE(p.Ok);
    EXPECT_EQ(p.Run.TimerInterval, 20);
    EXPECT_EQ(p.Mode, kDefaultDisplayMode);
    EXPECT_EQ(p.Run.Difficulty, 1);
    EXPECT_EQ(p.Run.MusicOn, 1);
    EXPECT_EQ(p.Run.SoundOn, 1);
    EXPECT_EQ(p.Run.ReportOn, 1);
}

TEST(SettingsParseTest, EmptyTextAndTextWithoutKeysChangeNothing) {
    for (std::string_view text : {"", "\r\n\r\n", "[Display]\n[Settings]\n", "just words\nno equals here"}) {
        const Parsed p(text);
        EXPECT_TRUE(p.Ok) << text;
        EXPECT_EQ(p.Mode, kDefaultDisplayMode);
        ExpectDefaultSettings(p.Run);
    }
}

TEST(SettingsParseTest, OnlyTheValueZeroTurnsASwitchOff) {
    RunState run;
    run.MusicOn = run.SoundOn = run.ReportOn = run.KeepGroups = 0;
    DisplayMode mode = kDefaultDisplayMode;
    EXPECT_TRUE(ParseSettings("Music=no\nSound=00\nReport= 0\nKeepGroups=off\n", run, mode));
    EXPECT_EQ(run.MusicOn, 1);
    EXPECT_EQ(run.SoundOn, 1);
    EXPECT_EQ(run.ReportOn, 1);
    EXPECT_EQ(run.KeepGroups, 1);

    EXPECT_TRUE(ParseSettings("Music=0\nSound=0\nReport=0\nKeepGroups=0\n", run, mode));
    EXPECT_EQ(run.MusicOn, 0);
    EXPECT_EQ(run.SoundOn, 0);
    EXPECT_EQ(run.ReportOn, 0);
    EXPECT_EQ(run.KeepGroups, 0);
}

TEST(SettingsParseTest, SpeedTakesOnlyTheThreeExactValues) {
    const struct {
        std::string_view Value;
        std::int32_t Interval;
    } cases[] = {{"0", 50}, {"1", 30}, {"2", 20}, {"3", 44}, {"02", 44}, {"-1", 44}, {"fast", 44}, {"2 ", 44}};
    for (const auto& c : cases) {
        RunState run;
        run.TimerInterval = 44;
        DisplayMode mode;
        EXPECT_TRUE(ParseSettings("Speed=" + std::string(c.Value), run, mode)) << c.Value;
        EXPECT_EQ(run.TimerInterval, c.Interval) << c.Value;
    }
}

TEST(SettingsParseTest, UnknownSpeedKeepsTheIntervalAndIsWrittenAsNormal) {
    const Parsed p("Speed=3");
    EXPECT_TRUE(p.Ok);
    EXPECT_EQ(p.Run.TimerInterval, 30);
    EXPECT_NE(FormatSettings(p.Run, p.Mode).find("\r\nSpeed=1\r\n"), std::string::npos);
}

TEST(SettingsParseTest, KeysIgnoreLetterCaseButNotSpaces) {
    const Parsed p("widht=1024\nHEIGHT=768\nbIt=32\nsPeEd=0\n");
    EXPECT_TRUE(p.Ok);
    EXPECT_EQ(p.Mode, (DisplayMode{1024, 768, 32}));
    EXPECT_EQ(p.Run.TimerInterval, 50);

    const Parsed spaced("Speed =2\n Difficulty=2\n");
    EXPECT_TRUE(spaced.Ok);
    ExpectDefaultSettings(spaced.Run);
}

TEST(SettingsParseTest, FirstMatchingLineWinsEvenWhenItsValueIsEmpty) {
    EXPECT_EQ(Parsed("Speed=0\nSpeed=2\n").Run.TimerInterval, 50);
    EXPECT_EQ(Parsed("SPEED=2\nspeed=0\n").Run.TimerInterval, 20);
    // The first line names the key with no value: the setting stays, later lines are not consulted.
    const Parsed p("Speed=\nSpeed=2\nDifficulty=\nDifficulty=x\n");
    EXPECT_TRUE(p.Ok);
    EXPECT_EQ(p.Run.TimerInterval, 30);
    EXPECT_EQ(p.Run.Difficulty, 1);
}

TEST(SettingsParseTest, EmptyValuesLeaveEverySetting) {
    const Parsed p("Widht=\nHeight=\nBit=\nSpeed=\nDifficulty=\nMusic=\nSound=\nReport=\n");
    EXPECT_TRUE(p.Ok);
    EXPECT_EQ(p.Mode, kDefaultDisplayMode);
    ExpectDefaultSettings(p.Run);
}

TEST(SettingsParseTest, SectionsPlayNoPart) {
    const Parsed p("[Settings]\nWidht=640\n[Display]\nSpeed=2\n[Nonsense=1]\n");
    EXPECT_TRUE(p.Ok);
    EXPECT_EQ(p.Mode.Width, 640);
    EXPECT_EQ(p.Run.TimerInterval, 20);
    // A bracketed line with an equals sign is an ordinary line whose key is "[Nonsense".
    EXPECT_EQ(FindSettingsValue("[Nonsense=1]", "[nonsense"), std::optional<std::string_view>("1]"));
}

TEST(SettingsParseTest, ValueIsEverythingAfterTheFirstEquals) {
    EXPECT_EQ(FindSettingsValue("Music=a=b\n", "music"), std::optional<std::string_view>("a=b"));
    EXPECT_EQ(FindSettingsValue("Music\n=0\n", "Music"), std::nullopt);
    EXPECT_EQ(FindSettingsValue("=0\n", ""), std::optional<std::string_view>("0"));
    const Parsed p("Difficulty=1=2\n");
    EXPECT_FALSE(p.Ok);
}

TEST(SettingsParseTest, BadIntegerStopsTheReadingAtThatKey) {
    // Keys are taken in the fixed order Widht, Height, Bit, Speed, Difficulty,
    // Music, Sound, Report, whatever the order of the lines.
    const Parsed p("Music=0\nSound=0\nDifficulty=hard\nSpeed=2\nWidht=1024\n");
    EXPECT_FALSE(p.Ok);
    EXPECT_EQ(p.Run.TimerInterval, 20) << "Speed comes before Difficulty";
    EXPECT_EQ(p.Run.Difficulty, 1);
    EXPECT_EQ(p.Run.MusicOn, 1) << "Music comes after Difficulty";
    EXPECT_EQ(p.Run.SoundOn, 1);
    EXPECT_EQ(p.Mode, kDefaultDisplayMode) << "the stored mode is handed back only on success";

    const Parsed early("Widht=1024\nHeight=7x\nSpeed=2\nMusic=0\n");
    EXPECT_FALSE(early.Ok);
    EXPECT_EQ(early.Mode, kDefaultDisplayMode);
    ExpectDefaultSettings(early.Run);
}

TEST(SettingsParseTest, DifficultyIsKeptAsReadAndRangeChecksAreLeftToTableLookUps) {
    for (std::int32_t d : {7, -3, 0, 2, 2147483647}) {
        const Parsed p("Difficulty=" + std::to_string(d));
        EXPECT_TRUE(p.Ok);
        EXPECT_EQ(p.Run.Difficulty, d);
        EXPECT_GE(DifficultyIndex(p.Run.Difficulty), 0);
        EXPECT_LE(DifficultyIndex(p.Run.Difficulty), 2);
    }
}

TEST(SettingsParseTest, IntegersAreStrictDecimal) {
    EXPECT_EQ(ParseSettingsInteger("0"), 0);
    EXPECT_EQ(ParseSettingsInteger("+5"), 5);
    EXPECT_EQ(ParseSettingsInteger("-3"), -3);
    EXPECT_EQ(ParseSettingsInteger("007"), 7);
    EXPECT_EQ(ParseSettingsInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseSettingsInteger("-2147483648"), std::numeric_limits<std::int32_t>::min());
    for (std::string_view bad : {"", "+", "-", "2147483648", "-2147483649", "99999999999999999999", " 5", "5 ", "5\t",
                                 "0x10", "$10", "1e3", "1.0", "--1", "+-1", "١"}) {
        EXPECT_EQ(ParseSettingsInteger(bad), std::nullopt) << bad;
    }
}

TEST(SettingsParseTest, AcceptsEveryLineEndAndAByteOrderMark) {
    for (std::string_view text : {"Widht=640\r\nBit=8\r\nSpeed=0", "Widht=640\nBit=8\nSpeed=0\n", "Widht=640\rBit=8\rSpeed=0\r",
                                  "\xEF\xBB\xBFWidht=640\n\r\nBit=8\r\rSpeed=0\r\n"}) {
        const Parsed p(text);
        EXPECT_TRUE(p.Ok);
        EXPECT_EQ(p.Mode, (DisplayMode{640, 600, 8}));
        EXPECT_EQ(p.Run.TimerInterval, 50);
    }
}

TEST(SettingsParseTest, ToleratesBytesThatAreNotText) {
    constexpr char kBytes[] = "Sp\0eed=2\nSpeed=\xff\nMusic=\0\n";
    const std::string text(kBytes, sizeof kBytes - 1);
    const Parsed p(text);
    EXPECT_TRUE(p.Ok);
    EXPECT_EQ(p.Run.TimerInterval, 30);
    EXPECT_EQ(p.Run.MusicOn, 1);
}

TEST(SettingsFormatTest, WritesTheTenLinesThenKeepGroups) {
    RunState run;
    run.TimerInterval = 20;
    run.Difficulty = 2;
    run.MusicOn = 0;
    run.SoundOn = 1;
    run.ReportOn = 0;
    run.KeepGroups = 1;
    EXPECT_EQ(FormatSettings(run, {1024, 768, 16}),
              "[Display]\r\nWidht=1024\r\nHeight=768\r\nBit=16\r\n[Settings]\r\nSpeed=2\r\nDifficulty=2\r\n"
              "Music=0\r\nSound=1\r\nReport=0\r\nKeepGroups=1\r\nSkirmishLandscape=0\r\nSkirmishColumns=64\r\nSkirmishRows=48\r\n"
              "SkirmishSymmetry=0\r\nSkirmishMission=1\r\nSkirmishScenery=2\r\n");
}

TEST(SettingsFormatTest, SpeedValueFollowsTheInterval) {
    const struct {
        std::int32_t Interval;
        const char* Line;
    } cases[] = {{50, "\r\nSpeed=0\r\n"}, {30, "\r\nSpeed=1\r\n"}, {20, "\r\nSpeed=2\r\n"}, {0, "\r\nSpeed=1\r\n"}, {-20, "\r\nSpeed=1\r\n"}};
    for (const auto& c : cases) {
        RunState run;
        run.TimerInterval = c.Interval;
        EXPECT_NE(FormatSettings(run, kDefaultDisplayMode).find(c.Line), std::string::npos) << c.Interval;
    }
}

TEST(SettingsFormatTest, OddValuesSurviveARoundTrip) {
    RunState run;
    run.TimerInterval = 50;
    run.Difficulty = -7;
    run.MusicOn = 0;
    run.SoundOn = 0;
    run.ReportOn = 2;  // any non-zero byte means on
    const DisplayMode mode{-1, 2147483647, 0};

    RunState back;
    DisplayMode backMode;
    ASSERT_TRUE(ParseSettings(FormatSettings(run, mode), back, backMode));
    EXPECT_EQ(backMode, mode);
    EXPECT_EQ(back.TimerInterval, 50);
    EXPECT_EQ(back.Difficulty, -7);
    EXPECT_EQ(back.MusicOn, 0);
    EXPECT_EQ(back.SoundOn, 0);
    EXPECT_EQ(back.ReportOn, 1);
}

TEST_F(SettingsFileTest, WriteThenReadGivesTheSameSettings) {
    RunState run;
    run.TimerInterval = 20;
    run.Difficulty = 0;
    run.MusicOn = 0;
    ASSERT_TRUE(WriteSettings(folder_, run, {640, 480, 16}));
    EXPECT_EQ(ReadRaw(), FormatSettings(run, {640, 480, 16}));

    RunState back;
    DisplayMode mode;
    ASSERT_TRUE(ReadSettings(folder_, back, mode));
    EXPECT_EQ(mode, (DisplayMode{640, 480, 16}));
    EXPECT_EQ(back.TimerInterval, 20);
    EXPECT_EQ(back.Difficulty, 0);
    EXPECT_EQ(back.MusicOn, 0);
    EXPECT_EQ(back.SoundOn, 1);
    EXPECT_EQ(Entries(), std::vector<std::string>{"Tavrine.ini"}) << "no temporary file is left";
}

TEST_F(SettingsFileTest, WritingReplacesTheWholeFile) {
    WriteRaw(std::string(5000, 'x'));
    RunState run;
    ASSERT_TRUE(WriteSettings(folder_, run, kDefaultDisplayMode));
    EXPECT_EQ(ReadRaw(), FormatSettings(run, kDefaultDisplayMode));
}

TEST_F(SettingsFileTest, MissingFileReadsAsFalseAndChangesNothing) {
    RunState run;
    DisplayMode mode{1, 2, 3};
    EXPECT_FALSE(ReadSettings(folder_, run, mode));
    EXPECT_EQ(mode, (DisplayMode{1, 2, 3}));
    ExpectDefaultSettings(run);
    EXPECT_FALSE(ReadSettings(folder_ + "/no such folder", run, mode));
}

TEST_F(SettingsFileTest, FolderNamedLikeTheFileIsNotRead) {
    fs::create_directory(folder_ + "/Tavrine.ini");
    RunState run;
    DisplayMode mode;
    EXPECT_FALSE(ReadSettings(folder_, run, mode));
}

TEST_F(SettingsFileTest, BadIntegerInTheFileReadsAsFalseWithEarlierKeysApplied) {
    WriteRaw("[Settings]\r\nSpeed=0\r\nDifficulty=two\r\nMusic=0\r\n");
    RunState run;
    DisplayMode mode;
    EXPECT_FALSE(ReadSettings(folder_, run, mode));
    EXPECT_EQ(run.TimerInterval, 50);
    EXPECT_EQ(run.MusicOn, 1);
}

TEST_F(SettingsFileTest, OversizedFileIsRefusedWhole) {
    std::string text = "Speed=2\r\n";
    text.resize(kMaxSettingsFileBytes + 1, ' ');
    WriteRaw(text);
    RunState run;
    DisplayMode mode;
    EXPECT_FALSE(ReadSettings(folder_, run, mode));
    EXPECT_EQ(run.TimerInterval, 30);

    text.resize(kMaxSettingsFileBytes);
    WriteRaw(text);
    EXPECT_TRUE(ReadSettings(folder_, run, mode)) << "a file of exactly the limit is read";
    EXPECT_EQ(run.TimerInterval, 20);
}

TEST_F(SettingsFileTest, FailedWriteIntoAMissingFolderLeavesNothingBehind) {
    RunState run;
    EXPECT_FALSE(WriteSettings(folder_ + "/missing", run, kDefaultDisplayMode));
    EXPECT_TRUE(Entries().empty());
    EXPECT_FALSE(fs::exists(folder_ + "/missing"));
}

TEST_F(SettingsFileTest, FailedReplaceLeavesNoTemporaryFile) {
    // A folder in the file's place cannot be replaced by a file.
    fs::create_directory(folder_ + "/Tavrine.ini");
    RunState run;
    EXPECT_FALSE(WriteSettings(folder_, run, kDefaultDisplayMode));
    EXPECT_EQ(Entries(), std::vector<std::string>{"Tavrine.ini"});
    EXPECT_TRUE(fs::is_directory(folder_ + "/Tavrine.ini"));
}

}  // namespace
}  // namespace tavrine
