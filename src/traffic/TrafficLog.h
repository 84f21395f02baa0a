// The traffic log: every shown traffic line, one text line each, ended by
// CR LF and flushed before the next line is handled, so nothing that was
// shown is lost when the program is killed. A file holds at most 100,000
// lines; the next line starts a new file named by the time of the change.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "traffic/TrafficLine.h"

namespace orvane {

// folder + "YYYY_MM_DD_HHNNSS_log.txt" for the given local time.
std::string LogMakeFileName(std::string_view folder, const TrafficTime& localTime);

// The local wall clock, broken down.
TrafficTime LocalTrafficTime();

class TrafficLog {
public:
    using LocalClock = std::function<TrafficTime()>;

    // The folders to try in order: the program's folder, then the per-user
    // data folder. Without a clock the local wall clock is used.
    explicit TrafficLog(std::vector<std::string> folders, LocalClock clock = {});
    ~TrafficLog();
    TrafficLog(const TrafficLog&) = delete;
    TrafficLog& operator=(const TrafficLog&) = delete;

    // Starts a new file; false (with Error()) when no folder takes it.
    bool Open();
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    // Writes one line and CR LF and flushes; rolls over after the limit.
    // False (with Error()) when the line could not be written.
    bool LogWriteItem(std::string_view line);

    const std::string& FileName() const { return fileName_; }
    const std::string& Folder() const { return folder_; }
    // True when the file went to a folder other than the first one.
    bool UsingFallbackFolder() const { return folderIndex_ > 0; }
    int LineCount() const { return lineCount_; }
    const std::string& Error() const { return error_; }

    // Takes effect at the next Open().
    void SetFolders(std::vector<std::string> folders) { folders_ = std::move(folders); }
    void SetLinesPerFile(int lines) { linesPerFile_ = lines > 0 ? lines : kLogLinesPerFile; }

private:
    bool OpenNewFile();
    std::string FreeName(const std::string& folder) const;

    std::vector<std::string> folders_;
    LocalClock clock_;
    std::FILE* file_ = nullptr;
    std::string fileName_;
    std::string folder_;
    int folderIndex_ = 0;
    int lineCount_ = 0;
    int linesPerFile_ = kLogLinesPerFile;
    std::string error_;
};

}  // namespace orvane
