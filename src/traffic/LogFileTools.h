// Line rules of the log-file tools: what a traffic log line carries and how
// "Filter Log File..." words it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "decode/Decoder.h"

namespace orvane {

// The message of a traffic log line: the text after "x : ", cut before
// "<CR>". Empty when the line has no "x :".
struct LogLineMessage {
    bool sent = false;
    size_t markerPos = 0;  // 1-based position of "x :" in the line
    std::string message;
};
std::optional<LogLineMessage> ReadLogLine(std::string_view line);

// Decides whether a decoded line passes; the default passes everything.
using SentencePredicate = std::function<bool(const std::string& sentence, bool sent)>;

// The two lines that "Filter Log File..." writes for one log line: the line
// itself and its sentence line, under the message. Nothing when the line is
// skipped or filtered out.
struct FilteredLines {
    std::string line;
    std::string sentenceLine;
};
std::optional<FilteredLines> FilterLogFileLine(std::string_view line, Decoder& decoder,
                                               const SentencePredicate& passes);

// The script line that "Process Log File" takes from a log line: from the
// first "\" up to the first "<", trimmed. Nothing for lines without "\".
std::optional<std::string> ProcessLogFileLine(std::string_view line);

}  // namespace orvane
