#include <gtest/gtest.h>

#include "shell/ReleaseNotes.h"

using namespace orvane;

TEST(ReleaseNotes, MarkersDecideWhichLinesAreShown) {
    const std::vector<std::string> lines = {"<P>plain</P>", "[K]kept back", "[U]for users", "[KU]both",
                                            "", "[X]no marker U", "[ no close U", "after"};
    EXPECT_EQ(BuildReleaseNotesHtml("T", lines),
              "<H2>T Software Revision History</H2>"
              "<P>plain</P>\r"
              "for users"
              "both"
              "after\r");
}

TEST(ReleaseNotes, TheProgramsNotesKeepTheirKLinesBack) {
    const std::string html = BuildReleaseNotesHtml(kApplicationTitle, ReleaseNoteLines());
    EXPECT_EQ(html.rfind("<H2>Orvane Diagnostic Utility Software Revision History</H2>", 0), 0u);
    EXPECT_EQ(html.find("[U]"), std::string::npos);
    EXPECT_EQ(html.find("[K]"), std::string::npos);
    EXPECT_EQ(html.find("kept hidden"), std::string::npos);
}

TEST(ReleaseNotes, ShownAtStartWhenAskedOrWhenTheVersionChanged) {
    EXPECT_TRUE(ShowReleaseNotesAtStart(true, "1.0.0", "1.0.0"));
    EXPECT_FALSE(ShowReleaseNotesAtStart(false, "1.0.0", "1.0.0"));
    EXPECT_TRUE(ShowReleaseNotesAtStart(false, "New", "1.0.0"));
    EXPECT_TRUE(ShowReleaseNotesAtStart(false, "0.9.0", "1.0.0"));
}
