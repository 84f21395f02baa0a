#include "generators/NumberEntry.h"

#include <charconv>
#include <cmath>

#include "decode/apps/AppDecoders.h"

namespace orvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view t) {
    while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && IsBlank(t.back())) t.remove_suffix(1);
    return t;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::optional<long long> ReadNumberText(const NumberFormat& fmt, std::string_view text) {
    const std::string_view t = TrimBlanks(text);
    if (t.empty()) return std::nullopt;
    size_t i = 0;
    if (!fmt.hex && (t[0] == '-' || t[0] == '+')) i = 1;
    if (i >= t.size()) return std::nullopt;
    long long value = 0;
    const int radix = fmt.hex ? 16 : 10;
    for (size_t k = i; k < t.size(); ++k) {
        const char c = t[k];
        const bool digit = fmt.hex ? IsHexDigit(c) : (c >= '0' && c <= '9');
        if (!digit) return std::nullopt;
        value = value * radix + HexValue(std::string_view(&t[k], 1));
        if (value > 0xFFFFFFFFLL) return std::nullopt;  // beyond any number the program takes
    }
    return t[0] == '-' ? -value : value;
}

std::string NumberRangeErrorText(const NumberFormat& fmt, long long low, long long high) {
    return "Invalid input, must be a number in the range " + NumberString(fmt, low) + " to " +
           NumberString(fmt, high);
}

int ParseNumberInRange(const NumberFormat& fmt, std::string_view text, int low, int high, std::string* error) {
    std::string_view t = TrimBlanks(text);
    if (const size_t blank = t.find(' '); blank != std::string_view::npos) t = t.substr(0, blank);
    // A text that is not a number is refused, never taken as some number.
    std::optional<long long> v = ReadNumberText(fmt, t);
    if (v && fmt.hex && low < 0 && *v >= 0x80 && *v <= 0xFF) *v -= 256;
    if (v && low <= *v && *v <= high) return static_cast<int>(*v);
    if (error) *error = NumberRangeErrorText(fmt, low, high);
    return kNumberEntryFailed;
}

std::string NumberList::EntryText(const NumberFormat& fmt, int index) const {
    if (kind == NumberListKind::WithAll && index == count) return kAllEntryText;
    const int value = base + index;
    std::string s = NumberString(FormatFor(fmt), value);
    if (kind == NumberListKind::Language) {
        const std::string name = LanguageName(value);
        if (!name.empty()) s += " - " + name;
    }
    return s;
}

std::vector<std::string> NumberList::Entries(const NumberFormat& fmt) const {
    std::vector<std::string> entries;
    const int n = EntryCount();
    entries.reserve(n > 0 ? static_cast<size_t>(n) : 0);
    for (int i = 0; i < n; ++i) entries.push_back(EntryText(fmt, i));
    return entries;
}

NumberList::TextCheck NumberList::CheckText(const NumberFormat& fmt, std::string_view text) const {
    TextCheck result;
    // "All" chosen from the list (or typed) selects that entry.
    if (kind == NumberListKind::WithAll && EqualsIgnoringCase(TrimBlanks(text), kAllEntryText)) {
        result.ok = true;
        result.index = count;
        return result;
    }
    const int v = ParseNumberInRange(FormatFor(fmt), text, Low(), High(), &result.error);
    if (v == kNumberEntryFailed) return result;
    result.ok = true;
    result.index = v - base;
    return result;
}

std::optional<double> ReadFloatingText(std::string_view text) {
    std::string_view t = TrimBlanks(text);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    if (t.empty()) return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::fixed);
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string CheckFloatingEditText(FloatingEditRule rule, std::string_view text) {
    const std::optional<double> v = ReadFloatingText(text);
    if (!v) return "Invalid floating point number ";
    switch (rule) {
        case FloatingEditRule::HvacTemperature:
            if (*v < -128.0 || *v > 127.0) return "Temperature must be in the range -128.0 to +127.0 degrees C";
            break;
        case FloatingEditRule::ShortInfoNumber:
            if (*v < -3276.8 || *v > 3276.7) return "Short Message Number must be in the range -3276.8 to +3276.7";
            break;
        case FloatingEditRule::Any:
            break;
    }
    return {};
}

}  // namespace orvane
