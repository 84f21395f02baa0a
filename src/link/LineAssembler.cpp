#include "link/LineAssembler.h"

#include "decode/Hex.h"

namespace orvane {

std::string LineMessage(std::string_view buffer) {
    if (buffer.size() <= 2) return std::string(buffer);
    // A longer line without "<" (such as "12g.", cut at its confirmation
    // character) has no message part.
    const auto lt = buffer.find('<');
    if (lt == std::string_view::npos) return {};
    return std::string(buffer.substr(0, lt));
}

std::string AsciiRendering(std::string_view buffer) {
    std::string collected;
    std::size_t i = 0;
    while (i < buffer.size()) {
        if (i + 1 < buffer.size() && IsHexDigit(buffer[i]) && IsHexDigit(buffer[i + 1])) {
            const int b = HexValue(buffer.substr(i, 2));
            collected += (b >= 32 && b <= 126) ? static_cast<char>(b) : '_';
            i += 2;
        } else {
            ++i;
        }
    }
    if (collected.empty()) return {};
    return "  \"" + collected + "\"";
}

ReceivedLine LineAssembler::Complete(bool cut) {
    ReceivedLine line;
    line.cut = cut;
    if (showAscii_ && buffer_.size() > 1) buffer_ += AsciiRendering(buffer_);
    line.message = LineMessage(buffer_);
    line.buffer = std::move(buffer_);
    buffer_.clear();
    return line;
}

void LineAssembler::Feed(std::string_view bytes, Sink& sink) {
    ReceivedLine line;
    while (!bytes.empty()) {
        bool completed = false;
        const std::size_t n = FeedUntilLine(bytes, sink, line, completed);
        bytes.remove_prefix(n);
        if (completed) sink.LineCompleted(line);
    }
}

std::size_t LineAssembler::FeedUntilLine(std::string_view bytes, Sink& sink, ReceivedLine& line, bool& completed) {
    completed = false;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char ch = bytes[i++];
        const auto code = static_cast<unsigned char>(ch);
        bool completes = false;
        if (code == 10) {
            buffer_ += "<LF>";
            completes = true;
        } else if (code == 13) {
            buffer_ += "<CR>";
            completes = true;
        } else if (code == 17) {
            buffer_ += "<XON>";
            completes = true;
        } else if (code == 19) {
            buffer_ += "<XOFF>";
            completes = true;
        } else if (code < 32 || code >= 127) {
            buffer_ += '<';
            buffer_ += std::to_string(code);
            buffer_ += '>';
            completes = true;
        } else if (IsAnswerChar(ch)) {
            buffer_ += ch;
            sink.AnswerCharacter();
            completes = true;
        } else {
            buffer_ += ch;
            if (IsAckChar(ch)) sink.AckCharacter();
        }
        if (completes || buffer_.size() >= kMaxLineLength) {
            line = Complete(!completes);
            completed = true;
            return i;
        }
    }
    return i;
}

}  // namespace orvane
