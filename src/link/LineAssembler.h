// Turns the characters received from the interface into lines: the rules of
// which characters complete a line, how control characters are shown, the
// printable rendering of "Show ASCII", and the message part of a line that
// the filter and the decoder read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// One completed received line.
struct ReceivedLine {
    // What the receive list shows: the characters as received, control
    // characters as "<CR>", "<LF>", "<XON>", "<XOFF>" or "<code>", and with
    // "Show ASCII" the printable rendering in double quotes.
    std::string buffer;
    // What the filter and the decoder read: the buffer up to its first "<"
    // when it is longer than two characters, else the whole buffer.
    std::string message;
    // Completed by the length bound rather than by a completing character.
    bool cut = false;
};

// The part of a buffer that is decoded (see ReceivedLine::message).
std::string LineMessage(std::string_view buffer);
// The "Show ASCII" rendering of a buffer: two blanks and the printable
// characters of its hex pairs in double quotes, or empty when there are none.
std::string AsciiRendering(std::string_view buffer);

// The acknowledgement characters "g" to "z".
constexpr bool IsAckChar(char c) { return c >= 'g' && c <= 'z'; }
// The interface's answer characters, which complete a line and prove that an
// interface is attached.
constexpr bool IsAnswerChar(char c) {
    return c == '!' || c == '#' || c == '$' || c == '%' || c == '\'' || c == '.' || c == '~';
}

class LineAssembler {
public:
    // A peer that never ends its line must not grow the buffer without limit:
    // at this many characters the line is completed as if an end character
    // had come. Far above any real line (the longest message is 200 bytes,
    // 400 hex digits, plus its rendering).
    static constexpr std::size_t kMaxLineLength = 4096;

    // Receives what the characters mean, in the order they arrive.
    class Sink {
    public:
        virtual ~Sink() = default;
        virtual void AnswerCharacter() {}  // one of ! # $ % ' . ~ arrived
        virtual void AckCharacter() {}     // one of g..z arrived
        virtual void LineCompleted(const ReceivedLine& line) = 0;
    };

    void SetShowAscii(bool on) { showAscii_ = on; }
    bool ShowAscii() const { return showAscii_; }

    // Bytes as received (one character per byte, 0..255).
    void Feed(std::string_view bytes, Sink& sink);

    // Consumes bytes up to and including the character that completes the
    // next line, and returns how many it took. When a line completed it is
    // moved into line and true is stored in completed; LineCompleted is not
    // called. For callers that must be able to take further bytes while a
    // line is being dispatched.
    std::size_t FeedUntilLine(std::string_view bytes, Sink& sink, ReceivedLine& line, bool& completed);

    // The line being received; kept between feeds.
    const std::string& Buffer() const { return buffer_; }
    void Clear() { buffer_.clear(); }

private:
    ReceivedLine Complete(bool cut);

    std::string buffer_;
    bool showAscii_ = false;
};

}  // namespace orvane
