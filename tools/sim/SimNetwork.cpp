#include "SimNetwork.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace orvane::sim {

namespace {

bool IsHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// A hex number of one or two digits (an address, application, group or level).
std::optional<int> ParseHexByte(std::string_view text) {
    if (text.empty() || text.size() > 2) return std::nullopt;
    int v = 0;
    for (char c : text) {
        if (!IsHex(c)) return std::nullopt;
        v = v * 16 + (std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(c) - 'A' + 10);
    }
    return v;
}

std::optional<long> ParseDecimal(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    long v = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::optional<UnitRole> ParseRole(std::string_view word) {
    if (word == "interface") return UnitRole::Interface;
    if (word == "pci") return UnitRole::Pci;
    if (word == "output") return UnitRole::Output;
    if (word == "input") return UnitRole::Input;
    if (word == "sensor") return UnitRole::Sensor;
    return std::nullopt;
}

bool PrintableText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 127; });
}

// Deterministic RAM contents so that a RAM read shows something stable.
void FillRam(Unit& unit) {
    for (int i = 0; i < 256; ++i) unit.ram[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((i * 7 + unit.Address()) & 0xFF);
}

}  // namespace

std::string Unit::Type() const {
    std::string type;
    for (int i = 0; i < 8; ++i) type += static_cast<char>(params[static_cast<std::size_t>(kParamUnitType + i)]);
    while (!type.empty() && (type.back() == ' ' || type.back() == '\0')) type.pop_back();
    return type;
}

void Unit::SetType(std::string_view type) {
    for (int i = 0; i < 8; ++i) {
        char c = i < static_cast<int>(type.size()) ? type[static_cast<std::size_t>(i)] : ' ';
        params[static_cast<std::size_t>(kParamUnitType + i)] = static_cast<std::uint8_t>(c);
    }
}

int Network::InterfaceIndex() const {
    for (std::size_t i = 0; i < units.size(); ++i)
        if (units[i].role == UnitRole::Interface) return static_cast<int>(i);
    return -1;
}

std::vector<const Unit*> Network::UnitsAt(int address) const {
    std::vector<const Unit*> found;
    for (const Unit& u : units)
        if (u.Address() == address) found.push_back(&u);
    return found;
}

std::vector<Unit*> Network::UnitsAt(int address) {
    std::vector<Unit*> found;
    for (Unit& u : units)
        if (u.Address() == address) found.push_back(&u);
    return found;
}

std::array<std::uint8_t, 6> PackName(std::string_view name) {
    // Eight 6-bit codes, the first the most significant; code c stands for the
    // character c + 33 and code 30 (the character "?") is the filler.
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
        int code = 30;
        if (i < static_cast<int>(name.size())) {
            int c = std::toupper(static_cast<unsigned char>(name[static_cast<std::size_t>(i)]));
            if (c >= 33 && c <= 96) code = c - 33;
        }
        value = (value << 6) | static_cast<std::uint64_t>(code);
    }
    std::array<std::uint8_t, 6> bytes{};
    for (int i = 5; i >= 0; --i) {
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value & 0xFF);
        value >>= 8;
    }
    return bytes;
}

Unit MakeUnit(UnitRole role, int address, std::string_view type) {
    Unit unit;
    unit.role = role;
    unit.params[kParamUnitAddress] = static_cast<std::uint8_t>(address & 0xFF);
    unit.params[kParamMonitoredApp1] = 0xFF;
    unit.params[kParamMonitoredApp2] = 0xFF;
    unit.params[kParamSerialRate] = 0xFF;
    unit.params[kParamOptions2] = 0x01;  // clock generation on
    unit.SetType(type);
    auto project = PackName("DEMONET");
    auto part = PackName(type);
    for (int i = 0; i < 6; ++i) {
        unit.params[static_cast<std::size_t>(kParamProjectName + i)] = project[static_cast<std::size_t>(i)];
        unit.params[static_cast<std::size_t>(kParamPartName + i)] = part[static_cast<std::size_t>(i)];
    }
    unit.serial = (static_cast<std::uint32_t>(30 + address) << 12) | static_cast<std::uint32_t>(0x240 + address);
    FillRam(unit);
    return unit;
}

Network DefaultNetwork(int interfaceAddress) {
    Network net;
    auto add = [&](UnitRole role, int address, const char* type, const char* fw, const char* volt) -> Unit& {
        net.units.push_back(MakeUnit(role, address, type));
        net.units.back().firmware = fw;
        net.units.back().voltage = volt;
        return net.units.back();
    };
    auto groups = [](Unit& u, int app, int first, int last, int level) {
        for (int g = first; g <= last; ++g) u.groups[app][g] = level;
    };

    Unit& pci = add(UnitRole::Interface, interfaceAddress, "PC_INT", "4.10.00", "36.1V");
    pci.params[kParamOptions3] = 0x00;
    groups(add(UnitRole::Output, 0x01, "RELAY8", "2.03", "35.8V"), 0x38, 0x01, 0x08, 0x00);
    Unit& relay2 = add(UnitRole::Output, 0x02, "RELAY8", "2.03", "35.6V");
    groups(relay2, 0x38, 0x09, 0x10, 0x00);
    relay2.groups[0x38][0x09] = 0xFF;
    // Two dimmers share group 0x14 at different levels: the group reads as an
    // error until a lighting command brings them together.
    groups(add(UnitRole::Output, 0x03, "DIMMER4", "3.01", "35.9V"), 0x38, 0x11, 0x14, 0x80);
    Unit& dim2 = add(UnitRole::Output, 0x04, "DIMMER4", "3.01", "35.7V");
    groups(dim2, 0x38, 0x14, 0x17, 0x00);
    groups(dim2, 0x39, 0x01, 0x04, 0x40);
    // An address conflict: two units programmed with address 0x0C.
    groups(add(UnitRole::Output, 0x0C, "RELAY4", "2.03", "35.5V"), 0x38, 0x20, 0x23, 0x00);
    groups(add(UnitRole::Output, 0x0C, "DIMMER2", "3.01", "35.4V"), 0x38, 0x24, 0x25, 0x00);
    groups(add(UnitRole::Input, 0x10, "KEY5", "1.40", "35.8V"), 0x38, 0x01, 0x08, 0);
    groups(add(UnitRole::Input, 0x11, "KEY8", "1.40", "35.6V"), 0x38, 0x09, 0x17, 0);
    groups(add(UnitRole::Input, 0x12, "KEY4", "1.40", "35.7V"), 0x39, 0x01, 0x04, 0);
    groups(add(UnitRole::Sensor, 0x20, "HVAC", "1.10", "35.9V"), 0xAC, 0x01, 0x02, 0);
    groups(add(UnitRole::Sensor, 0x21, "SECURITY", "2.00", "35.8V"), 0xD0, 0x01, 0x08, 0);
    groups(add(UnitRole::Sensor, 0x22, "TEMPSENS", "1.02", "35.6V"), 0x19, 0x01, 0x04, 0);
    add(UnitRole::Pci, 0x30, "PCLOCAL", "4.02.00", "35.5V");
    return net;
}

NetworkParseResult ParseNetwork(std::string_view text) {
    NetworkParseResult result;
    int lineNo = 0;
    auto fail = [&](std::string message) {
        result.ok = false;
        result.line = lineNo;
        result.message = std::move(message);
        result.network = Network{};
        return result;
    };
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (auto hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
        auto words = SplitWords(line);
        if (words.empty()) {
            if (end == text.size()) break;
            continue;
        }
        std::string firstWord(words[0]);
        auto role = ParseRole(words[0]);
        if (!role) return fail("unknown role '" + firstWord + "' (expected interface, pci, output, input or sensor)");
        if (words.size() < 3) return fail("expected: ROLE ADDRESS TYPE [options]");
        auto address = ParseHexByte(words[1]);
        if (!address) return fail("bad unit address '" + std::string(words[1]) + "' (two hex digits)");
        if (words[2].size() > 8 || !PrintableText(words[2]))
            return fail("bad unit type '" + std::string(words[2]) + "' (1 to 8 printable characters)");
        if (*role == UnitRole::Interface && result.network.InterfaceIndex() >= 0)
            return fail("a second interface unit (only one is allowed)");
        Unit unit = MakeUnit(*role, *address, words[2]);
        for (std::size_t w = 3; w < words.size(); ++w) {
            std::string_view word = words[w];
            std::string wordText(word);
            if (word.starts_with("fw=")) {
                std::string_view v = word.substr(3);
                if (v.empty() || v.size() > 7 || !PrintableText(v)) return fail("bad firmware version '" + wordText + "' (1 to 7 characters)");
                unit.firmware = std::string(v);
            } else if (word.starts_with("volt=")) {
                std::string_view v = word.substr(5);
                if (v.empty() || v.size() > 5 || !PrintableText(v)) return fail("bad voltage '" + wordText + "' (1 to 5 characters)");
                unit.voltage = std::string(v);
            } else if (word.starts_with("serial=")) {
                std::string_view v = word.substr(7);
                auto dash = v.find('-');
                if (dash == std::string_view::npos) return fail("bad serial number '" + wordText + "' (BATCH-NUMBER)");
                auto batch = ParseDecimal(v.substr(0, dash));
                auto number = ParseDecimal(v.substr(dash + 1));
                if (!batch || !number || *batch >= (1L << 20) || *number >= 4096)
                    return fail("bad serial number '" + wordText + "' (batch 0-1048575, number 0-4095)");
                unit.serial = (static_cast<std::uint32_t>(*batch) << 12) | static_cast<std::uint32_t>(*number);
            } else if (auto colon = word.find(':'); colon != std::string_view::npos) {
                auto app = ParseHexByte(word.substr(0, colon));
                if (!app) return fail("bad application in '" + wordText + "' (two hex digits before ':')");
                std::string_view list = word.substr(colon + 1);
                int level = 0;
                if (auto eq = list.find('='); eq != std::string_view::npos) {
                    auto lv = ParseHexByte(list.substr(eq + 1));
                    if (!lv) return fail("bad level in '" + wordText + "' (two hex digits after '=')");
                    level = *lv;
                    list = list.substr(0, eq);
                }
                if (list.empty()) return fail("no groups in '" + wordText + "'");
                std::size_t p = 0;
                while (p <= list.size()) {
                    std::size_t comma = list.find(',', p);
                    if (comma == std::string_view::npos) comma = list.size();
                    std::string_view item = list.substr(p, comma - p);
                    p = comma + 1;
                    auto dash = item.find('-');
                    auto lo = ParseHexByte(item.substr(0, dash));
                    auto hi = dash == std::string_view::npos ? lo : ParseHexByte(item.substr(dash + 1));
                    if (!lo || !hi || *lo > *hi) return fail("bad group list in '" + wordText + "' (G or G-G, hex, comma separated)");
                    for (int g = *lo; g <= *hi; ++g) unit.groups[*app][g] = level;
                    if (comma == list.size()) break;
                }
            } else {
                return fail("unknown option '" + wordText + "'");
            }
        }
        result.network.units.push_back(std::move(unit));
        if (end == text.size()) break;
    }
    if (result.network.InterfaceIndex() < 0) {
        Unit pci = MakeUnit(UnitRole::Interface, 0xFE, "PC_INT");
        pci.firmware = "4.10.00";
        result.network.units.insert(result.network.units.begin(), std::move(pci));
    }
    result.ok = true;
    result.line = 0;
    return result;
}

}  // namespace orvane::sim
