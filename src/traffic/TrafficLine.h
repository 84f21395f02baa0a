// The text of one traffic line as the lists show it and as the traffic log
// writes it: time stamp, direction prefix, the line itself.
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// Directions of a traffic line. Comments count as received.
enum class TrafficDirection : int { Comment = 0, Sent = 1, Received = 2 };

// A local wall-clock moment, broken down.
struct TrafficTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

struct TrafficLineOptions {
    bool showTime = true;   // "Show Time"
    bool combined = false;  // one list for both directions
    // The date in the system's short date format, put in front of the time
    // when "Show Date" is on; empty leaves the date out.
    std::string dateText;
    int timeDP = 0;  // 0, 1 or 2 decimal places of the seconds
};

// "13:05:09", "13:05:09.4" or "13:05:09.42" (decimals cut, not rounded),
// after the date text and a blank when there is one.
std::string TimeStampText(const TrafficTime& time, std::string_view dateText, int timeDP);

// "Tx : " for sent lines, "Rx : " for the others.
const char* DirectionPrefix(TrafficDirection direction);

// A line of the traffic list: the time stamp and two blanks when shown, then
// the text, with its direction prefix while the lists are combined (a text
// beginning with "#" never gets one).
std::string ListLineText(TrafficDirection direction, std::string_view text, const TrafficTime& time,
                         const TrafficLineOptions& options);

// A line of the traffic log: as the list line, but always with the direction
// prefix (a "#" text excepted), combined lists or not. No line end.
std::string LogLineText(TrafficDirection direction, std::string_view text, const TrafficTime& time,
                        const TrafficLineOptions& options);

// The traffic log's file name for a moment, without folder:
// YYYY_MM_DD_HHNNSS_log.txt.
std::string LogFileName(const TrafficTime& time);

// Lines per log file; the next line starts a new file.
inline constexpr int kLogLinesPerFile = 100000;

}  // namespace orvane
