#include "traffic/TrafficLog.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <cstring>
#include <filesystem>

namespace orvane {

namespace {

std::string WithSlash(std::string_view folder) {
    std::string f(folder);
    if (!f.empty() && f.back() != '/' && f.back() != '\\') f += '/';
    return f;
}

}  // namespace

TrafficTime LocalTrafficTime() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    localtime_r(&t, &tm);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, int(ms)};
}

std::string LogMakeFileName(std::string_view folder, const TrafficTime& t) {
    return WithSlash(folder) + LogFileName(t);
}

TrafficLog::TrafficLog(std::vector<std::string> folders, LocalClock clock)
    : folders_(std::move(folders)), clock_(clock ? std::move(clock) : LocalClock(LocalTrafficTime)) {}

TrafficLog::~TrafficLog() { Close(); }

// The name for the current time. A log never overwrites an earlier one: when
// a file of that name exists (a roll-over or a restart within the same
// second), "_2", "_3" ... go before "_log.txt".
std::string TrafficLog::FreeName(const std::string& folder) const {
    std::string name = LogMakeFileName(folder, clock_());
    std::error_code ec;
    if (!std::filesystem::exists(name, ec)) return name;
    std::string stem = name.substr(0, name.size() - std::strlen("_log.txt"));
    for (int n = 2; n < 10000; ++n) {
        std::string candidate = stem + "_" + std::to_string(n) + "_log.txt";
        if (!std::filesystem::exists(candidate, ec)) return candidate;
    }
    return name;
}

bool TrafficLog::OpenNewFile() {
    error_.clear();
    for (size_t i = 0; i < folders_.size(); ++i) {
        std::string name = FreeName(folders_[i]);
        std::FILE* f = std::fopen(name.c_str(), "wb");
        if (!f) {
            if (error_.empty()) error_ = "Cannot create " + name + ": " + std::strerror(errno);
            continue;
        }
        file_ = f;
        fileName_ = name;
        folder_ = folders_[i];
        folderIndex_ = static_cast<int>(i);
        lineCount_ = 0;
        error_.clear();
        return true;
    }
    if (folders_.empty()) error_ = "No folder for the traffic log";
    return false;
}

bool TrafficLog::Open() {
    Close();
    return OpenNewFile();
}

void TrafficLog::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

bool TrafficLog::LogWriteItem(std::string_view line) {
    if (!file_) {
        error_ = "The traffic log is not open";
        return false;
    }
    bool ok = std::fwrite(line.data(), 1, line.size(), file_) == line.size() &&
              std::fwrite("\r\n", 1, 2, file_) == 2 && std::fflush(file_) == 0;
    if (!ok) {
        error_ = "Cannot write " + fileName_ + ": " + std::strerror(errno);
        return false;
    }
    if (++lineCount_ >= linesPerFile_) {
        Close();
        if (!OpenNewFile()) return false;
    }
    return true;
}

}  // namespace orvane
