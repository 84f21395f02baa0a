#include "link/CommandComposer.h"

#include "decode/Hex.h"
#include "link/LineAssembler.h"

namespace orvane {

char AckCounter::Take() {
    const char c = next_;
    next_ = (next_ >= 'z') ? 'g' : static_cast<char>(next_ + 1);
    return c;
}

std::string ComposeCommand(std::string_view line, const ComposeOptions& options, AckCounter& ack) {
    std::string out(line);
    if (out.empty()) return out;
    if (options.checksum) out += ChecksumText(out);
    if (options.ackChar && !IsAckChar(out.back())) out += ack.Take();
    return out;
}

}  // namespace orvane
