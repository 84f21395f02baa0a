#include "traffic/TrafficLine.h"

#include <cstdio>

namespace orvane {

namespace {

std::string Two(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v % 100);
    return buf;
}

std::string Prefixed(TrafficDirection direction, std::string_view text, bool prefix) {
    if (!prefix || (!text.empty() && text.front() == '#')) return std::string(text);
    return DirectionPrefix(direction) + std::string(text);
}

std::string Stamp(const TrafficTime& time, const TrafficLineOptions& options) {
    if (!options.showTime) return {};
    return TimeStampText(time, options.dateText, options.timeDP) + "  ";
}

}  // namespace

std::string TimeStampText(const TrafficTime& time, std::string_view dateText, int timeDP) {
    std::string s;
    if (!dateText.empty()) {
        s += dateText;
        s += ' ';
    }
    s += Two(time.hour) + ":" + Two(time.minute) + ":" + Two(time.second);
    const int ms = time.millisecond < 0 ? 0 : time.millisecond % 1000;
    if (timeDP == 1)
        s += "." + std::to_string(ms / 100);
    else if (timeDP == 2)
        s += "." + Two(ms / 10);
    return s;
}

const char* DirectionPrefix(TrafficDirection direction) {
    return direction == TrafficDirection::Sent ? "Tx : " : "Rx : ";
}

std::string ListLineText(TrafficDirection direction, std::string_view text, const TrafficTime& time,
                         const TrafficLineOptions& options) {
    return Stamp(time, options) + Prefixed(direction, text, options.combined);
}

std::string LogLineText(TrafficDirection direction, std::string_view text, const TrafficTime& time,
                        const TrafficLineOptions& options) {
    return Stamp(time, options) + Prefixed(direction, text, true);
}

std::string LogFileName(const TrafficTime& time) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d_%02d_%02d_%02d%02d%02d_log.txt", time.year, time.month, time.day,
                  time.hour, time.minute, time.second);
    return buf;
}

}  // namespace orvane
