#include "link/ReplyMatcher.h"

#include "decode/Hex.h"
#include "interface/InterfaceModel.h"

namespace orvane {

bool StringsMatch(std::string_view pattern, std::string_view text) {
    if (pattern.empty()) return false;
    std::size_t n = pattern.size();
    if (pattern.back() == '*') {
        --n;
        if (text.size() < n) return false;
    } else if (text.size() != n) {
        return false;
    }
    for (std::size_t i = 0; i < n; ++i)
        if (pattern[i] != '?' && pattern[i] != text[i]) return false;
    return true;
}

namespace {
// Characters from 1-based position p, at most n of them; empty beyond the end.
std::string_view Chars(std::string_view s, std::size_t p, std::size_t n) {
    if (p < 1 || p > s.size()) return {};
    return s.substr(p - 1, n);
}
}  // namespace

std::optional<std::string> SmartReplyHeader(InterfaceState& state, std::string_view command) {
    if ((state.InterfaceOptions1 & OptSmart) == 0) return std::nullopt;
    const bool idmon = (state.InterfaceOptions1 & OptIdmon) != 0;
    const bool local = !IsToLocalPCI(state, command).empty();
    if (!idmon && local) return std::nullopt;
    if (state.PciUnitAddress == -1) return std::string();
    const std::string a = UpperHex2(state.PciUnitAddress);
    if (local) return a + a + "00";
    const int route = HexValue(Chars(command, 6, 2));
    const int n = route / 9;
    return std::string(Chars(command, 4, 2)) + a + UpperHex2(n) + std::string(Chars(command, 8, 2 * n));
}

std::optional<std::string> StripSmartHeader(std::string_view line, std::string_view header) {
    if (line.size() <= 1) return std::string();
    const auto kind = line.substr(0, 2);
    if (kind != "06" && kind != "86") return std::nullopt;
    if (line.substr(2).substr(0, header.size()) != header) return std::nullopt;
    const std::size_t n = static_cast<std::size_t>(HexValue(Chars(line, 7, 2)));
    const std::size_t cut = 8 + 2 * n;
    if (cut >= line.size()) return std::string();
    return std::string(line.substr(cut));
}

}  // namespace orvane
