// The release notes: stored as lines of HTML fragments, some behind a
// bracketed marker; "[U]" lines are for users, "[K]" lines are kept back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

inline constexpr const char* kApplicationTitle = "Orvane Diagnostic Utility";

// The program's own release history.
const std::vector<std::string>& ReleaseNoteLines();

std::string BuildReleaseNotesHtml(std::string_view title, const std::vector<std::string>& lines);

// True when the notes open by themselves at start-up.
bool ShowReleaseNotesAtStart(bool autoShow, std::string_view savedVersion, std::string_view programVersion);

}  // namespace orvane
