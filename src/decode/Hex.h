// Hexadecimal text, number wording and the line checksum.
// Pure functions; the only setting they read is the number display mode,
// passed in explicitly as a NumberFormat.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

// The "Hexadecimal Numbers" display mode.
struct NumberFormat {
    bool hex = false;
};

// Every hex digit from left to right does value = value*16 + digit; any other
// character is skipped. Wraps like a 32-bit unsigned register beyond 8 digits.
int HexValue(std::string_view text);
bool IsHexDigit(char c);
// 0..15 for a hex digit, -1 for anything else.
int HexDigitValue(char c);
// Not empty, even length, hex digits only.
bool IsHexText(std::string_view text);
// HexValue clamped to 0..255, as two digits.
std::string HexByteText(std::string_view text);
// First two characters as one byte, upper-case digits only (the interface's
// own quick reading of a pair).
int HexPairValue(std::string_view text);

// v in upper-case hex with at least 2n digits; negatives are taken as their
// 32-bit two's complement, keeping the last 2n digits.
std::string HexDigitsText(long long v, int n);
std::string NumberStringSized(const NumberFormat& fmt, long long v, int n);
std::string NumberString(const NumberFormat& fmt, long long v);
// Text read in the current mode; -1 when it is not a number.
long long StringToNumber(const NumberFormat& fmt, std::string_view text);

std::string ASCIIToHex(std::string_view text);
std::string HexToASCII(std::string_view text);

int PercentToLevel(int percent);
int LevelToPercent(int level);

// Two's complement (mod 256) of the sum of the bytes the text spells.
std::string ChecksumText(std::string_view text);

// 12 hex digits (six bytes) unpacked into an eight-character name.
std::string PackedNameText(std::string_view text);

std::string UpperHex2(int byte);  // exactly two digits of the low byte

struct TTokenList {
    std::array<std::string, 101> Tokens;  // indices 1..100
    int Count = 0;
};

TTokenList SplitTokens(std::string_view text, std::string_view delimiters);
bool TokenListMatches(const NumberFormat& fmt, std::string_view value, const TTokenList& list, int first);

// Appends the character of a link byte (bytes are Latin-1) as UTF-8, the
// encoding of all text inside the program.
void AppendLatin1AsUtf8(std::string& out, int byte);

// Trim leading and trailing blanks and control characters.
std::string Trim(std::string_view text);

}  // namespace orvane
