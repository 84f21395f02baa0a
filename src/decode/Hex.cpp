#include "decode/Hex.h"

#include <cstdlib>

namespace orvane {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

struct DigitTable {
    std::array<int8_t, 256> v{};
    constexpr DigitTable() {
        for (auto& x : v) x = -1;
        for (int c = '0'; c <= '9'; ++c) v[static_cast<size_t>(c)] = static_cast<int8_t>(c - '0');
        for (int c = 'A'; c <= 'F'; ++c) v[static_cast<size_t>(c)] = static_cast<int8_t>(c - 'A' + 10);
        for (int c = 'a'; c <= 'f'; ++c) v[static_cast<size_t>(c)] = static_cast<int8_t>(c - 'a' + 10);
    }
};
constexpr DigitTable kDigitTable;

inline int DigitValue(char c) { return kDigitTable.v[static_cast<unsigned char>(c)]; }

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

int HexValue(std::string_view text) {
    uint32_t value = 0;
    for (char c : text) {
        int d = DigitValue(c);
        if (d >= 0) value = value * 16 + static_cast<uint32_t>(d);
    }
    return static_cast<int>(value);
}

bool IsHexDigit(char c) { return DigitValue(c) >= 0; }

int HexDigitValue(char c) { return DigitValue(c); }

bool IsHexText(std::string_view text) {
    if (text.empty() || text.size() % 2 != 0) return false;
    for (char c : text)
        if (!IsHexDigit(c)) return false;
    return true;
}

std::string UpperHex2(int byte) {
    std::string s(2, '0');
    s[0] = kDigits[(byte >> 4) & 0xF];
    s[1] = kDigits[byte & 0xF];
    return s;
}

std::string HexByteText(std::string_view text) {
    int v = HexValue(text);
    if (v < 0) v = 0;
    if (v > 255) v = 255;
    return UpperHex2(v);
}

int HexPairValue(std::string_view text) {
    auto nibble = [](unsigned char c) { return c < ':' ? c - 48 : c - 55; };
    int hi = text.size() > 0 ? nibble(static_cast<unsigned char>(text[0])) : 0;
    int lo = text.size() > 1 ? nibble(static_cast<unsigned char>(text[1])) : 0;
    return hi * 16 + lo;
}

std::string HexDigitsText(long long v, int n) {
    if (n < 1) n = 1;
    const size_t width = static_cast<size_t>(n) * 2;
    std::string s;
    if (v < 0) {
        uint32_t u = static_cast<uint32_t>(static_cast<int32_t>(v));
        for (int i = 0; i < 8; ++i) {
            s.insert(s.begin(), kDigits[u & 0xF]);
            u >>= 4;
        }
        if (s.size() > width) s.erase(0, s.size() - width);
        return s;
    }
    unsigned long long u = static_cast<unsigned long long>(v);
    do {
        s.insert(s.begin(), kDigits[u & 0xF]);
        u >>= 4;
    } while (u != 0);
    if (s.size() < width) s.insert(0, width - s.size(), '0');
    return s;
}

std::string NumberStringSized(const NumberFormat& fmt, long long v, int n) {
    return fmt.hex ? HexDigitsText(v, n) : std::to_string(v);
}

std::string NumberString(const NumberFormat& fmt, long long v) { return NumberStringSized(fmt, v, 1); }

long long StringToNumber(const NumberFormat& fmt, std::string_view text) {
    std::string t = Trim(text);
    if (t.empty()) return -1;
    size_t i = 0;
    bool negative = false;
    if (!fmt.hex && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        i = 1;
    }
    if (i >= t.size()) return -1;
    long long value = 0;
    for (; i < t.size(); ++i) {
        int d = fmt.hex ? DigitValue(t[i]) : (t[i] >= '0' && t[i] <= '9' ? t[i] - '0' : -1);
        if (d < 0) return -1;
        value = value * (fmt.hex ? 16 : 10) + d;
        if (value > 0xFFFFFFFFLL) return -1;  // beyond any number the program takes
    }
    return negative ? -value : value;
}

std::string ASCIIToHex(std::string_view text) {
    std::string s;
    s.reserve(text.size() * 2);
    for (char c : text) s += UpperHex2(static_cast<unsigned char>(c));
    return s;
}

std::string HexToASCII(std::string_view text) {
    std::string s;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        if (!IsHexDigit(text[i]) || !IsHexDigit(text[i + 1])) continue;
        int v = DigitValue(text[i]) * 16 + DigitValue(text[i + 1]);
        if (v >= 32 && v <= 126) s += static_cast<char>(v);
    }
    return s;
}

int PercentToLevel(int percent) { return percent * 255 / 100; }

int LevelToPercent(int level) { return (level * 100 + 200) / 255; }

std::string ChecksumText(std::string_view text) {
    unsigned sum = 0;
    size_t i = 0;
    while (i + 1 < text.size()) {
        if (IsHexDigit(text[i]) && IsHexDigit(text[i + 1])) {
            sum += static_cast<unsigned>(DigitValue(text[i]) * 16 + DigitValue(text[i + 1]));
            i += 2;
        } else {
            i += 1;
        }
    }
    return UpperHex2(static_cast<int>((256 - (sum % 256)) % 256));
}

std::string PackedNameText(std::string_view text) {
    uint64_t packed = 0;
    for (size_t k = 0; k < 6; ++k) {
        size_t p = k * 2;
        std::string_view pair = p < text.size() ? text.substr(p, 2) : std::string_view{};
        packed = (packed << 8) | static_cast<uint64_t>(HexPairValue(pair) & 0xFF);
    }
    std::string name;
    for (int g = 7; g >= 0; --g) {
        int v = static_cast<int>((packed >> (g * 6)) & 0x3F);
        if (v != 30) name += static_cast<char>(v + 33);
    }
    if (name.size() < 8) name.append(8 - name.size(), ' ');
    return name;
}

void AppendLatin1AsUtf8(std::string& out, int byte) {
    const auto c = static_cast<unsigned char>(byte);
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string Trim(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlankOrControl(text[b])) ++b;
    while (e > b && IsBlankOrControl(text[e - 1])) --e;
    return std::string(text.substr(b, e - b));
}

TTokenList SplitTokens(std::string_view text, std::string_view delimiters) {
    TTokenList list;
    auto isDelim = [&](char c) { return delimiters.find(c) != std::string_view::npos; };
    size_t i = 0;
    while (i < text.size() && list.Count < 100) {
        while (i < text.size() && isDelim(text[i])) ++i;
        if (i >= text.size()) break;
        std::string token;
        bool quoted = false;
        while (i < text.size() && (quoted || !isDelim(text[i]))) {
            if (text[i] == '"')
                quoted = !quoted;
            else
                token += text[i];
            ++i;
        }
        std::string trimmed = Trim(token);
        if (!trimmed.empty()) list.Tokens[static_cast<size_t>(++list.Count)] = std::move(trimmed);
    }
    return list;
}

bool TokenListMatches(const NumberFormat& fmt, std::string_view value, const TTokenList& list, int first) {
    if (first < 1) first = 1;
    for (int i = first; i <= list.Count && i <= 100; ++i) {
        const std::string& token = list.Tokens[static_cast<size_t>(i)];
        size_t dash = token.find('-');
        if (dash != std::string::npos) {
            long long lo = StringToNumber(fmt, std::string_view(token).substr(0, dash));
            long long hi = StringToNumber(fmt, std::string_view(token).substr(dash + 1));
            long long v = StringToNumber(fmt, value);
            if (lo <= v && v <= hi) return true;
        } else if (token == value) {
            return true;
        }
    }
    return false;
}

}  // namespace orvane
