#include "shell/ReleaseNotes.h"

namespace orvane {

const std::vector<std::string>& ReleaseNoteLines() {
    static const std::vector<std::string> lines = {
        "<H3>Version 1.0.0</H3>",
        "<UL>",
        "[U]<LI>Traffic lists with time stamps, colours and decoded sentences, separate or combined.</LI>",
        "[U]<LI>Connects to the PCI on a serial port or to the ONI over TCP/IP, automatically from the command line if asked.</LI>",
        "[U]<LI>Traffic log files with a new file every 100,000 lines.</LI>",
        "[U]<LI>Program Options, Print, Interpret Command and Application Support.</LI>",
        "[U]<LI>Lighting commands from the Lighting tab.</LI>",
        "[K]<LI>Scene management, media transport, short information, CAL and custom tabs built and kept hidden.</LI>",
        "[K]<LI>Log-file tools and project files built and kept hidden.</LI>",
        "</UL>",
    };
    return lines;
}

std::string BuildReleaseNotesHtml(std::string_view title, const std::vector<std::string>& lines) {
    std::string html = "<H2>" + std::string(title) + " Software Revision History</H2>";
    for (const auto& line : lines) {
        if (line.empty()) continue;
        if (line.front() == '[') {
            auto u = line.find('U');
            auto close = line.find(']');
            if (u != std::string::npos && close != std::string::npos && u < close) html += line.substr(close + 1);
        } else {
            html += line;
            html += '\r';
        }
    }
    return html;
}

bool ShowReleaseNotesAtStart(bool autoShow, std::string_view savedVersion, std::string_view programVersion) {
    return autoShow || savedVersion != programVersion;
}

}  // namespace orvane
