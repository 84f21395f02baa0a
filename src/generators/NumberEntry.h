// Number entry shared by the command tabs: reading a typed number against a
// range, the model behind every number list, and the rules for decimal
// (floating-point) edits.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decode/Hex.h"

namespace orvane {

// What ParseNumberInRange returns for text that is not accepted. It lies
// outside every list range, so callers test for it explicitly.
inline constexpr int kNumberEntryFailed = -99999;

// The text read as a number in the display mode: decimal with an optional
// sign, or hex digits alone. nullopt when it is not a number at all.
std::optional<long long> ReadNumberText(const NumberFormat& fmt, std::string_view text);

// "Invalid input, must be a number in the range 0 to 255" (bounds worded in
// the display mode).
std::string NumberRangeErrorText(const NumberFormat& fmt, long long low, long long high);

// Reads a typed number: only the part before the first blank counts; in hex
// mode with a negative lower bound a value 80..FF is an 8-bit two's
// complement. Returns the value, or kNumberEntryFailed with the message in
// *error.
int ParseNumberInRange(const NumberFormat& fmt, std::string_view text, int low, int high,
                       std::string* error = nullptr);

enum class NumberListKind {
    Plain,     // base .. base + count - 1
    WithAll,   // the numbers, then "All"
    Language,  // each number followed by " - " and its language name when it has one
    Decimal,   // always decimal, whatever the display mode
};

inline constexpr const char* kAllEntryText = "All";

// A drop-down list of consecutive integers: its base, number of entries and
// selected index. The list with "All" has count + 1 entries, the last "All".
struct NumberList {
    NumberListKind kind = NumberListKind::Plain;
    int base = 0;
    int count = 0;
    int selected = 0;  // -1 when nothing is selected

    int EntryCount() const { return kind == NumberListKind::WithAll ? count + 1 : count; }
    // The range a typed number must lie in; "All" counts as the last number.
    int Low() const { return base; }
    int High() const { return base + EntryCount() - 1; }
    bool IsAllSelected() const { return kind == NumberListKind::WithAll && selected == count; }
    // base + selected index.
    int SelectedValue() const { return base + selected; }

    // The mode the list's entries are written and read in.
    NumberFormat FormatFor(const NumberFormat& fmt) const {
        return kind == NumberListKind::Decimal ? NumberFormat{false} : fmt;
    }
    std::string EntryText(const NumberFormat& fmt, int index) const;
    std::vector<std::string> Entries(const NumberFormat& fmt) const;

    struct TextCheck {
        bool ok = false;
        int index = -1;     // entry to select when ok
        std::string error;  // message to show when not
    };
    // Checks what the user typed into the list (see ParseNumberInRange).
    TextCheck CheckText(const NumberFormat& fmt, std::string_view text) const;
};

// Which decimal edit is being checked: the range rule differs.
enum class FloatingEditRule { Any, HvacTemperature, ShortInfoNumber };

// Empty when the text is an acceptable decimal number for the edit, else the
// message to show.
std::string CheckFloatingEditText(FloatingEditRule rule, std::string_view text);
// The number of an accepted edit text; nullopt when it is not one.
std::optional<double> ReadFloatingText(std::string_view text);

}  // namespace orvane
