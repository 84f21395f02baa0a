#include "shell/CommandLine.h"

#include <algorithm>
#include <cctype>

namespace orvane {

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

CommandLine::CommandLine(std::vector<std::string> arguments) : sorted_(std::move(arguments)) {
    std::stable_sort(sorted_.begin(), sorted_.end(),
                     [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
}

const std::string* CommandLine::Find(std::string_view name) const {
    for (const auto& arg : sorted_) {
        std::string_view a = arg;
        if (EqualNoCase(a, name)) return &arg;
        auto eq = a.find('=');
        if (eq != std::string_view::npos && EqualNoCase(a.substr(0, eq), name)) return &arg;
    }
    return nullptr;
}

bool CommandLine::Has(std::string_view name) const { return Find(name) != nullptr; }

std::string CommandLine::Value(std::string_view name) const {
    const std::string* arg = Find(name);
    if (!arg) return {};
    auto eq = arg->find('=');
    return eq == std::string::npos ? std::string() : arg->substr(eq + 1);
}

CommandLineOutcome ApplyCommandLine(const CommandLine& line, Options& options) {
    CommandLineOutcome out;
    const bool serial = line.Has("/serial");
    const bool tcpip = line.Has("/tcpip");
    const bool autoconnect = line.Has("/autoconnect");
    out.logging = line.Has("/logging");
    if (serial && tcpip) {
        out.errors.emplace_back(kBothLinksError);
    } else if (serial) {
        options.COMPort = line.Value("/serial");
        options.ConnectionType = 0;
        out.startTimer = autoconnect;
    } else if (tcpip) {
        std::string v = line.Value("/tcpip");
        auto colon = v.find(':');
        // Without a colon the whole value is the address (the port is then
        // missing and reported below).
        options.IPAddress = v.substr(0, colon);
        std::string port = colon == std::string::npos ? std::string() : v.substr(colon + 1, 5);
        auto number = ParseStoredInteger(port);
        bool digitsOnly = !port.empty() && std::all_of(port.begin(), port.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c));
        });
        if (!number || !digitsOnly || *number > 65535) {
            out.errors.emplace_back(kTcpipFormatError);
        } else {
            options.Port = static_cast<int>(*number);
            options.ConnectionType = 1;
            out.startTimer = autoconnect;
        }
    } else if (autoconnect) {
        out.errors.emplace_back(kAutoconnectError);
    }
    return out;
}

}  // namespace orvane
