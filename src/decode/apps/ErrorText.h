// Wording of the error reporting application (0xCE): system categories,
// severities and report flags, shared by the decoder and the error tab.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orvane {

struct SystemCategory {
    int key;  // data 1 x 256 + (data 2 and 0xC0)
    const char* name;
};
// In the order the error tab lists them.
extern const std::array<SystemCategory, 12> SystemCategoryTable;

// The category name of a key, or "Unknown System Category".
std::string SystemCategoryText(int key);
// The key of a category name; 0 for a name not in the table.
int SystemCategoryKey(std::string_view name);
// Severity 0 to 7 (bits 2 to 0 of data 2): "All OK" ... "Extreme Failure",
// "Severity 5" to "Severity 7".
std::string ErrorSeverityText(int severity);
// The flags of data 2 (bits 5 to 3), each ending in ", ": "MostRecent, Ack,
// MostSevere, " or "None, ".
std::string ErrorFlagsText(int data2);

}  // namespace orvane
