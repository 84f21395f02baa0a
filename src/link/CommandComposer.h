// Completing a command line the way the interface expects it: the checksum
// while the interface checks them, then the acknowledgement character.
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// The acknowledgement character the next command carries: "g" to "z" in
// turn, back to "g" after "z". Lives for the run; connecting does not reset it.
class AckCounter {
public:
    char Next() const { return next_; }
    // The current character; the counter moves on.
    char Take();

private:
    char next_ = 'g';
};

struct ComposeOptions {
    bool checksum = false;  // the CHECKSUM bit of interface options 1
    bool ackChar = false;   // "Use Acknowledgement Characters", or full-speed sending
};

// The line as it goes to the interface (without its carriage return): the
// checksum of its hex pairs appended when asked, then, unless the line
// already ends in "g".."z", the next acknowledgement character.
std::string ComposeCommand(std::string_view line, const ComposeOptions& options, AckCounter& ack);

}  // namespace orvane
