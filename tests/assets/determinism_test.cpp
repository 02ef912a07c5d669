// Same seed, same bytes: generating the content again in this process gives
// exactly the files the build wrote in another; a different seed gives other art.
#include <gtest/gtest.h>

#include "content.h"
#include "generated_content.h"
#include "help.h"

namespace tavrine::assets::testing {
namespace {

TEST(Determinism, GeneratingAgainGivesTheSameBytesAsTheBuild) {
    const auto files = GenerateContent(kContentSeed);
    EXPECT_GE(files.size(), 50u);
    for (const auto& [path, bytes] : files) EXPECT_TRUE(bytes == ProgramFile(path)) << path << " differs from the build's";
}

TEST(Determinism, AnotherSeedGivesOtherTerrainButTheSameLayout) {
    const ContentLibrary a = BuildLibrary(kContentSeed), b = BuildLibrary(kContentSeed + 1);
    ASSERT_EQ(a.Groups.size(), b.Groups.size());
    EXPECT_FALSE(a.Groups[0][1][0].Frames[0] == b.Groups[0][1][0].Frames[0]);
    for (std::size_t g = 0; g < a.Groups.size(); ++g) {
        ASSERT_EQ(a.Groups[g].size(), b.Groups[g].size());
        for (std::size_t s = 0; s < a.Groups[g].size(); ++s) {
            ASSERT_EQ(a.Groups[g][s].size(), b.Groups[g][s].size());
            for (std::size_t l = 0; l < a.Groups[g][s].size(); ++l)
                EXPECT_EQ(a.Groups[g][s][l].Frames.size(), b.Groups[g][s][l].Frames.size());
        }
    }
}

TEST(HelpFile, GuidesThroughPlayTheMissionsAndBothEditors) {
    const ByteVector& bytes = ProgramFile("Tavrine.hlp");
    const std::string html(bytes.begin(), bytes.end());
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(html.find("</html>"), std::string::npos);
    EXPECT_NE(html.find(std::string(kEditingModeEntry)), std::string::npos);
    for (const char* mission :
         {"Destroy all the enemy buildings and kill all the enemies.", "Destroy all the enemy buildings.",
          "Find the enemy headquarters and destroy it.", "Defend army headquarters from enemies and kill all enemies.",
          "Defend army headquarters from enemies and destroy all enemy buildings.",
          "Defend army headquarters from enemies and find the enemy headquarters, destroy it."})
        EXPECT_NE(html.find(mission), std::string::npos) << mission;
    for (const char* topic : {"id=\"controls\"", "id=\"editor\"", "id=\"library\"", "ImageEditor", "Game Editor"})
        EXPECT_NE(html.find(topic), std::string::npos) << topic;
    // Every opened section and table is closed.
    auto count = [&](const std::string& s) {
        std::size_t n = 0;
        for (std::size_t at = html.find(s); at != std::string::npos; at = html.find(s, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("<table>"), count("</table>"));
    EXPECT_EQ(count("<ul>"), count("</ul>"));
    EXPECT_EQ(count("<tr>"), count("</tr>"));
}

}  // namespace
}  // namespace tavrine::assets::testing
