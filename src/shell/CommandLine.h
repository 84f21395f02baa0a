// The program's command line: "/serial[=PORT]", "/tcpip=ADDRESS:PORT",
// "/autoconnect" and "/logging", letter case ignored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/Settings.h"

namespace orvane {

class CommandLine {
public:
    explicit CommandLine(std::vector<std::string> arguments);

    // True when an argument equals the switch or reads switch=value.
    bool Has(std::string_view name) const;
    // The text after "=" of the switch's argument; empty without one.
    std::string Value(std::string_view name) const;

    const std::vector<std::string>& Arguments() const { return sorted_; }

private:
    const std::string* Find(std::string_view name) const;
    std::vector<std::string> sorted_;
};

inline constexpr const char* kBothLinksError = "Cannot specify both /serial and /tcpip";
inline constexpr const char* kTcpipFormatError = "Invalid argument, format is /tcpip=<IPAddress>:<Port>";
inline constexpr const char* kAutoconnectError = "Must specify one of /serial or /tcpip with /autoconnect";

struct CommandLineOutcome {
    std::vector<std::string> errors;  // texts of the error boxes, in order
    bool startTimer = false;          // connect half a second after the first show
    bool logging = false;             // "/logging": switch logging on after that connect
};

// Applies the link choice of the command line to the options.
CommandLineOutcome ApplyCommandLine(const CommandLine& line, Options& options);

}  // namespace orvane
