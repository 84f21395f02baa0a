#include "traffic/LogFileTools.h"

namespace orvane {

std::optional<LogLineMessage> ReadLogLine(std::string_view line) {
    const size_t x = line.find("x :");
    if (x == std::string_view::npos) return std::nullopt;
    LogLineMessage m;
    m.sent = line.find("Tx :") != std::string_view::npos;
    m.markerPos = x + 1;
    std::string_view msg = x + 4 <= line.size() ? line.substr(x + 4) : std::string_view{};
    const size_t cr = msg.find("<CR>");
    if (cr != std::string_view::npos) msg = msg.substr(0, cr);
    m.message = std::string(msg);
    return m;
}

std::optional<FilteredLines> FilterLogFileLine(std::string_view line, Decoder& decoder,
                                               const SentencePredicate& passes) {
    auto m = ReadLogLine(line);
    if (!m || m->message.empty()) return std::nullopt;
    const char c = m->message[0];
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || c == '\\')) return std::nullopt;
    const std::string sentence = decoder.DecodeMessageSmart(m->message, m->sent ? 31 : 15);
    if (passes && !passes(sentence, m->sent)) return std::nullopt;
    FilteredLines out;
    out.line = std::string(line);
    out.sentenceLine.assign(m->markerPos, ' ');
    out.sentenceLine += " = ";
    out.sentenceLine += sentence;
    return out;
}

std::optional<std::string> ProcessLogFileLine(std::string_view line) {
    const size_t slash = line.find('\\');
    if (slash == std::string_view::npos) return std::nullopt;
    std::string_view rest = line.substr(slash);
    const size_t lt = rest.find('<');
    if (lt != std::string_view::npos) rest = rest.substr(0, lt);
    size_t b = 0, e = rest.size();
    while (b < e && rest[b] == ' ') ++b;
    while (e > b && rest[e - 1] == ' ') --e;
    return std::string(rest.substr(b, e - b));
}

}  // namespace orvane
