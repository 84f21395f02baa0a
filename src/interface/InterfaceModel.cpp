#include "interface/InterfaceModel.h"

#include "decode/Hex.h"

namespace orvane {

namespace {

std::string LocalPrefix(const InterfaceState& state) { return UpperHex2(state.PciUnitAddress) + "00"; }

// Characters from 1-based position p, at most n of them.
std::string_view Chars(std::string_view s, std::size_t p, std::size_t n) {
    if (p < 1 || p > s.size()) return {};
    return s.substr(p - 1, n);
}

}  // namespace

const std::array<ParameterRead, 7> kModelParameterReads = {{
    {0x20, "1A2001", "8220*", &InterfaceState::PciUnitAddress},
    {0x30, "1A3001", "8230*", &InterfaceState::InterfaceOptions1},
    {0x41, "1A4101", "8241*", &InterfaceState::PowerUpOptions1},
    {0x3E, "1A3E01", "823E*", &InterfaceState::InterfaceOptions2},
    {0x42, "1A4201", "8242*", &InterfaceState::InterfaceOptions3},
    {0x21, "1A2101", "8221*", &InterfaceState::MonitoredApplication1},
    {0x22, "1A2201", "8222*", &InterfaceState::MonitoredApplication2},
}};

std::string IsToLocalPCI(InterfaceState& state, std::string_view command) {
    bool note = true;
    std::string s;
    if (!command.empty() && command.front() == '@') {
        s = "06" + UpperHex2(state.PciUnitAddress) + "00" + std::string(command.substr(1));
        note = false;
    } else if (!command.empty() && command.front() == '\\') {
        s = std::string(command.substr(1));
    } else {
        // A bare command continues the destination most recently addressed.
        if (state.PciUnitAddress >= 0 && state.RoutePrefix != LocalPrefix(state)) return {};
        s = "06" + state.RoutePrefix + std::string(command);
    }
    if (!s.empty() && s.back() >= 'g' && s.back() <= 'z') s.pop_back();
    if (!IsHexText(s)) return {};
    if (s.compare(0, 2, "06") != 0) return {};
    const int hops = HexValue(Chars(s, 5, 2)) / 9;
    if (hops != 0) {
        state.RoutePrefix = std::string(Chars(s, 3, 2 * hops + 4));
        return {};
    }
    const int unit = HexValue(Chars(s, 3, 2));
    if (state.PciUnitAddress >= 0 && unit != state.PciUnitAddress) {
        state.RoutePrefix = UpperHex2(unit) + "00";
        return {};
    }
    if (state.PciUnitAddress >= 0 && note) state.RoutePrefix = LocalPrefix(state);
    return s;
}

void CheckInterfaceOptions(InterfaceState& state, std::string_view command) {
    if (command.empty()) {
        state.LastSentToLocalPci = false;
        return;
    }
    if (command.front() == '~') {
        state.InterfaceOptions1 = 0;
        state.AllMonitorActive = false;
        if (state.PciUnitAddress >= 0) state.RoutePrefix = LocalPrefix(state);
        return;
    }
    if (command.front() == '|') {
        state.InterfaceOptions1 |= OptSmart | OptConnect;
        return;
    }
    const std::string local = IsToLocalPCI(state, command);
    if (local.empty()) {
        state.LastSentToLocalPci = false;
        return;
    }
    state.LastSentToLocalPci = true;
    const std::string_view body = std::string_view(local).substr(6);
    const int b = HexValue(Chars(body, 1, 2));
    if (b < 0xA0 || b > 0xBF) return;
    const int n = b - 0xA2;
    if (n < 1) return;
    const int first = HexValue(Chars(body, 3, 2));
    for (int p : {0x21, 0x22, 0x30, 0x3E, 0x40, 0x41, 0x42}) {
        if (p < first || p >= first + n) continue;
        const int v = HexValue(Chars(body, static_cast<std::size_t>(7 + 2 * (p - first)), 2));
        switch (p) {
        case 0x21: state.MonitoredApplication1 = v; break;
        case 0x22: state.MonitoredApplication2 = v; break;
        case 0x30: state.InterfaceOptions1 = v; break;
        case 0x3E: state.InterfaceOptions2 = v; break;
        case 0x41: state.PowerUpOptions1 = v; break;
        case 0x42: state.InterfaceOptions3 = v; break;
        case 0x40:
            if (v == 0x48) {
                state.InterfaceOptions1 |= OptAllMonitor | OptSmart | OptIdmon;
                state.AllMonitorActive = true;
            }
            break;
        }
    }
}

int ExtractVersion(std::string_view text) {
    const auto dot = text.find('.');
    if (dot == std::string_view::npos) return HexValue(text) * 256;
    const int major = HexValue(text.substr(0, dot));
    std::string_view rest = text.substr(dot + 1, 100);
    const auto dot2 = rest.find('.');
    const int minor = HexValue(dot2 == std::string_view::npos ? rest : rest.substr(0, dot2));
    return major * 256 + minor;
}

int ReplyParameterValue(std::string_view reply) { return HexValue(Chars(reply, 5, 2)); }

std::string ReplyVersionText(std::string_view reply) { return Trim(HexToASCII(Chars(reply, 5, 14))); }

void ClearModel(InterfaceState& state) {
    state.PciUnitAddress = 0;
    state.InterfaceOptions1 = 0;
    state.PowerUpOptions1 = 0;
    state.InterfaceOptions2 = 0;
    state.InterfaceOptions3 = 0;
    state.MonitoredApplication1 = 0;
    state.MonitoredApplication2 = 0;
}

}  // namespace orvane
