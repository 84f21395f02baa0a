// The label part of a label command (after the group address) and the
// language codes that labels carry.
#include <array>

#include "decode/apps/AppDecoders.h"

namespace orvane {
namespace {

struct Language {
    int code;
    const char* name;
};

constexpr std::array<Language, 68> kLanguages = {{
    {1, "English"}, {2, "English (Australia)"}, {3, "English (Belize)"}, {4, "English (Canada)"},
    {5, "English (Carribean)"}, {6, "English (Ireland)"}, {7, "English (Jamaica)"},
    {8, "English (New Zealand)"}, {9, "English (Philippines)"}, {10, "English (South Africa)"},
    {11, "English (Trinidad)"}, {12, "English (UK)"}, {13, "English (USA)"}, {14, "English (Zimbabwe)"},
    {64, "Afrikaans"}, {65, "Basque"}, {66, "Catalan"}, {67, "Danish"}, {68, "Dutch (Belgium)"},
    {69, "Dutch (Netherlands)"}, {70, "Faeroese"}, {71, "Finnish"}, {72, "French (Belgium)"},
    {73, "French (Canada)"}, {74, "French"}, {75, "French (Luxembourg)"}, {76, "French (Monaco)"},
    {77, "French (Switzerland)"}, {78, "Galician"}, {79, "German (Austria)"}, {80, "German"},
    {81, "German (Liechtenstein)"}, {82, "German (Luxembourg)"}, {83, "German (Switzerland)"},
    {84, "Icelandic"}, {85, "Indonesian"}, {86, "Italian"}, {87, "Italian (Switzerland)"},
    {88, "Malay (Brunei)"}, {89, "Malay"}, {90, "Norwegian"}, {91, "Norwegian (Nynorsk)"},
    {92, "Portuguese (Brazil)"}, {93, "Portuguese"}, {94, "Spanish (Argentine)"}, {95, "Spanish (Bolivia)"},
    {96, "Spanish (Chile)"}, {97, "Spanish (Colombia)"}, {98, "Spanish (Costa Rica)"},
    {99, "Spanish (Dominican Republic)"}, {100, "Spanish (Ecuador)"}, {101, "Spanish (El Salvador)"},
    {102, "Spanish (Guatemala)"}, {103, "Spanish (Honduras)"}, {104, "Spanish"}, {105, "Spanish (Mexico)"},
    {106, "Spanish (Nicaragua)"}, {107, "Spanish (Panama)"}, {108, "Spanish (Paraguay)"},
    {109, "Spanish (Peru)"}, {110, "Spanish (Perto Rico)"}, {111, "Spanish (Traditional)"},
    {112, "Spanish (Uruguay)"}, {113, "Spanish (Venezuela)"}, {114, "Swahili"}, {115, "Swedish"},
    {116, "Swedish (Finland)"}, {202, "Chinese"},
}};

}  // namespace

std::string LanguageName(int code) {
    for (const auto& l : kLanguages)
        if (l.code == code) return l.name;
    return {};
}

std::string DecodeLabel(DecodeContext& ctx) {
    const int n = ctx.CommandByte & 0x1F;
    const int options = ctx.Data(2);
    const bool hasSelector = options & 0x01;
    const int languageIndex = hasSelector ? 4 : 3;
    const int language = ctx.Data(languageIndex);

    std::string s = "Variant " + ctx.Num((options >> 5) & 0x03);
    s += ", Language " + ctx.Num(language);
    const std::string name = LanguageName(language);
    if (!name.empty()) s += " [" + name + "]";
    if (hasSelector) s += ", Action Selector " + ctx.Num(ctx.Data(3));

    int count = n - (hasSelector ? 4 : 3);
    if (count < 0) count = 0;  // a command too short for its fixed fields carries no data
    // 0-based start of the label data in the message buffer.
    const int start = ctx.CommandPosition + languageIndex;
    const std::string bytes = std::to_string(count) + " Bytes = ";

    if (options & 0x08) return s + ", No interpretation, " + bytes + ctx.MessageHexRange(start, count);
    switch ((options >> 1) & 0x03) {
        case 0: return s + ", Text label, " + bytes + "\"" + ctx.MessageTextRange(start, count) + "\"";
        case 1: {
            const int icon = ctx.Byte(start + 2) * 256 + ctx.Byte(start + 3);
            return s + ", Predefined icon " + ctx.NumSized(icon, 2);
        }
        case 2: return s + ", Dynamic icon, " + bytes + ctx.MessageHexRange(start, count);
        default: return s + ", Set Preferred Language";
    }
}

}  // namespace orvane
