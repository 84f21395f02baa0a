#include "decode/AppDirectory.h"

#include <cmath>
#include <cstdio>

namespace orvane {

const std::array<RampRate, 16> RampRateTable = {{
    {0x02, "0s"}, {0x0A, "4s"}, {0x12, "8s"}, {0x1A, "12s"}, {0x22, "20s"}, {0x2A, "30s"},
    {0x32, "40s"}, {0x3A, "1m"}, {0x42, "1.5m"}, {0x4A, "2m"}, {0x52, "3m"}, {0x5A, "5m"},
    {0x62, "7m"}, {0x6A, "10m"}, {0x72, "15m"}, {0x7A, "17m"},
}};

const char* RampRateText(int code) {
    for (const auto& r : RampRateTable)
        if (r.code == code) return r.text;
    return nullptr;
}

std::string ApplicationName(const NumberFormat& fmt, int application) {
    if (application >= 0x30 && application <= 0x5F) {
        if (application == 0x38) return "Lighting";
        return "Lighting (" + NumberString(fmt, application) + ")";
    }
    switch (application) {
        case 0x19: return "Temperature Broadcast";
        case 0x26: return "Room Control System";
        case 0x70: return "Ventilation";
        case 0x71: return "Irrigation";
        case 0x72: return "Pool, Spa, Pond and Fountain";
        case 0x73: return "HVAC Actuator";
        case 0x88: return "Heating";
        case 0xAC: return "HVAC";
        case 0xAD: return "Short Info Msg";
        case 0xC0: return "Media Transport Ctl";
        case 0xC9: return "Adv Scene Mgt";
        case 0xCA: return "Trigger Control";
        case 0xCB: return "Enable Control";
        case 0xCD: return "Plug and Play Audio";
        case 0xCE: return "Error Reporting";
        case 0xD0: return "Security";
        case 0xD5: return "Access Control";
        case 0xDF: return "Time";
        case 0xE0: return "Telephony";
        case 0xE4: return "Measurement";
        case 0xFF: return "Network Control";
        default: return "-RESERVED-";
    }
}

std::string LevelText(const NumberFormat& fmt, int level) {
    const int p = LevelToPercent(level);
    if (PercentToLevel(p) == level) return std::to_string(p) + "%";
    return NumberString(fmt, level);
}

std::string LearnModeText(int mode) {
    switch (mode) {
        case 0x01: return "Initiate Relay";
        case 0x02: return "Initiate Dimmer";
        case 0x80: return "Cancel";
        case 0x81: return "Exit Relay";
        case 0x82: return "Exit Dimmer";
        case 0x83: return "Exit Area";
        default: return "-Unknown-";
    }
}

std::string AudioParameterText(int value, int kind) {
    double d;
    switch (kind) {
        case 0: return std::to_string(value) + " min";
        case 1: {
            const unsigned v = static_cast<unsigned>(value);
            if (v <= 15)
                d = 2.0 * v - 70;
            else if (v <= 31)
                d = (v - 16.0) - 38;
            else if (v <= 57)
                d = (v - 32.0) / 2 - 22;
            else if (v <= 108)
                d = (v - 58.0) / 4 - 9;
            else
                d = (static_cast<double>(value) - 108.0) / 8 + 3.5;
            break;
        }
        case 2:
        case 3:
        case 4: d = (value / 4) / 2.0 - 16; break;
        default: return std::to_string(value);
    }
    // One decimal place, a half rounding away from zero. The figures are
    // exact multiples of 1/8, so scaling by ten is exact enough to round.
    double scaled = std::round(d * 10.0);
    if (scaled == 0) scaled = 0;  // no "-0.0"
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1fdB", scaled / 10.0);
    return buf;
}

std::string ApplicationSupportText(const NumberFormat& fmt) {
    std::string s = "Applications Supported by this version :";
    auto line = [&](int a) {
        const std::string name = ApplicationName(fmt, a);
        if (name != "-RESERVED-") s += "\r  " + NumberString(fmt, a) + "  " + name;
    };
    for (int a = 0; a <= 47; ++a) line(a);
    s += "\r  " + NumberString(fmt, 48) + "-" + NumberString(fmt, 95) + "  Lighting";
    for (int a = 96; a <= 255; ++a) line(a);
    return s;
}

}  // namespace orvane
