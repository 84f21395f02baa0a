// HVAC and humidity (application 0xAC): zone group switching, plant status,
// zone temperature and humidity reports, zone modes, plant levels, guard and
// setback limits and schedule entries.
#include <cstdlib>
#include <string>

#include "decode/apps/AppDecoders.h"
#include "decode/apps/HvacText.h"

namespace orvane {

namespace {

constexpr int kModeRaw = 0x08;
constexpr int kModeSetback = 0x10;
constexpr int kModeGuard = 0x20;
constexpr int kModeAux = 0x40;

const char* const kHvacModes[8] = {"Off, ",           "Heat Only, ", "Cool Only, ", "Heat & Cool, ",
                                   "Vent/Fan Only, ", "Unknown, ",   "Unknown, ",   "Unknown, "};
const char* const kHumidityModes[8] = {"Off, ",     "Humidify Only, ", "Dehumidify Only, ", "Humidity Control, ",
                                       "Unknown, ", "Unknown, ",       "Unknown, ",         "Unknown, "};

template <class... T>
void Cat(std::string& s, const T&... parts) {
    (s.append(parts), ...);
}

// hundredths as "[-]n.dd"
void AppendHundredths(std::string& s, long long hundredths) {
    if (hundredths < 0) {
        s += '-';
        hundredths = -hundredths;
    }
    s += std::to_string(hundredths / 100);
    s += '.';
    const int frac = static_cast<int>(hundredths % 100);
    s += static_cast<char>('0' + frac / 10);
    s += static_cast<char>('0' + frac % 10);
}

void AppendMode(std::string& s, const char* const (&modes)[8], int mode) {
    Cat(s, "Mode: ", modes[mode & 0x07], "Flags: ");
    if (mode & kModeAux) s += "Aux, ";
    if (mode & kModeGuard) s += "Guard, ";
    if (mode & kModeSetback) s += "Setback, ";
    if (mode & kModeRaw) s += "Raw, ";
    if ((mode & (kModeAux | kModeGuard | kModeSetback | kModeRaw)) == 0) s += "None, ";
}

void AppendZoneList(std::string& s, int zones) {
    s += zones != 0 ? "Zones" : "No Zones";
    for (int i = 0; i <= 6; ++i) {
        if (zones & (1 << i)) {
            s += ' ';
            s += static_cast<char>('0' + i);
        }
    }
    if (zones & 0x80) s += " (Expansion)";
}

void AppendTemperature(std::string& s, int high, int low) {
    int v = ((high & 0xFF) << 8) | (low & 0xFF);
    if (v >= 0x8000) v -= 0x10000;
    // v / 256 to two decimals, a half going away from zero: every multiple
    // of 32 with an odd quotient lands on one (0x0020 is 0.125, read 0.13;
    // 0xFFE0 reads -0.13). A value that rounds to zero reads 0.00, not -0.00.
    const long long mag = std::llabs(static_cast<long long>(v));
    long long hundredths = (mag * 100 * 2 + 256) / (2 * 256);
    if (v < 0) hundredths = -hundredths;
    AppendHundredths(s, hundredths);
    s += "\xC2\xB0" "C";
}

void AppendHumidity(std::string& s, int high, int low) {
    const long long v = ((high & 0xFF) << 8) | (low & 0xFF);
    // v / 655.35 percent = v * 2000 / 13107 hundredths, rounded to nearest
    // (never a half, 13107 being odd).
    AppendHundredths(s, (v * 2000 * 2 + 13107) / (2 * 13107));
    s += '%';
}

}  // namespace

std::string HvacZoneListText(int zones) {
    std::string s;
    AppendZoneList(s, zones);
    return s;
}

std::string HvacModeText(int mode) {
    std::string s;
    AppendMode(s, kHvacModes, mode);
    return s;
}

std::string HumidityModeText(int mode) {
    std::string s;
    AppendMode(s, kHumidityModes, mode);
    return s;
}

std::string HvacPlantStatusText(int status) {
    std::string s = "Cooling Plant ";
    s += (status & 0x01) ? "On" : "Off";
    s += ", Heating Plant ";
    s += (status & 0x02) ? "On" : "Off";
    s += ", Fan ";
    s += (status & 0x04) ? "Active" : "Not Active";
    s += ", Damper ";
    s += (status & 0x08) ? "Open" : "Closed";
    if (status & 0x20) s += ", Busy";
    if (status & 0x40) s += ", Error";
    s += ", ";
    return s;
}

std::string HumidityPlantStatusText(int status) {
    std::string s = "Humidifying Plant ";
    s += (status & 0x01) ? "On" : "Off";
    s += ", Dehumidifying Plant ";
    s += (status & 0x02) ? "On" : "Off";
    s += ", Fan ";
    s += (status & 0x04) ? "Active" : "Not Active";
    s += ", Damper ";
    s += (status & 0x08) ? "Open" : "Closed";
    s += ", Flags: ";
    if (status & 0x20) s += "Busy, ";
    if (status & 0x40) s += "Error, ";
    if (status & 0x80) s += "Expansion, ";
    if ((status & 0xE0) == 0) s += "None, ";
    return s;
}

std::string HvacPlantTypeText(int type) {
    static const char* const kTypes[] = {"None",
                                         "Furnace (Gas, Oil, etc)",
                                         "Evaporative",
                                         "Heat pump - reverse cycle",
                                         "Heat pump - heating only",
                                         "Heat pump - cooling only",
                                         "Furnace / Evap Cooling",
                                         "Furnace / Heat Pump Cooling",
                                         "Hydronic",
                                         "Hydronic / Heat pump Cooling",
                                         "Hydronic / Evaporative"};
    if (type >= 0 && type <= 10) return kTypes[type];
    if (type == 255) return "Any";
    return "Unknown";
}

std::string HumidityPlantTypeText(int type) {
    static const char* const kTypes[] = {"None", "Evaporator", "Refrigerative", "Evaporator / Refrigerative"};
    if (type >= 0 && type <= 3) return kTypes[type];
    if (type == 255) return "Any";
    return "Unknown";
}

std::string HvacErrorText(const NumberFormat& fmt, int code) {
    static const char* const kErrors[] = {"No Error",
                                          "Heater total failure",
                                          "Cooler total failure",
                                          "Fan total failure",
                                          "Temperature Sensor failure",
                                          "Heater temporary problem",
                                          "Cooler temporary problem",
                                          "Fan temporary problem",
                                          "Heater service required",
                                          "Cooler service required",
                                          "Fan service required",
                                          "Filter replacement required"};
    if (code >= 0 && code <= 11) return kErrors[code];
    return "Error Code " + NumberString(fmt, code);
}

std::string HumidityErrorText(const NumberFormat& fmt, int code) {
    static const char* const kErrors[] = {"No Error",
                                          "Humidifier total failure",
                                          "Dehumidifier total failure",
                                          "Fan total failure",
                                          "Humidity Sensor failure",
                                          "Humidifier temporary problem",
                                          "Dehumidifier temporary problem",
                                          "Fan temporary problem",
                                          "Humidifier service required",
                                          "Dehumidifier service required",
                                          "Fan service required",
                                          "Filter replacement required"};
    if (code >= 0 && code <= 11) return kErrors[code];
    return "Error Code " + NumberString(fmt, code);
}

std::string SensorStatusText(int status) {
    switch (status) {
        case 0: return "No Error";
        case 1: return "Sensor in relaxed accuracy band";
        case 2: return "Sensor out of calibration";
        case 3: return "Sensor total failure";
        default: return "Unknown";
    }
}

std::string HvacScheduleFormatText(int format) {
    switch (format) {
        case 1: return "4 (all days)";
        case 2: return "4 (week/weekend)";
        case 3: return "4 (each day)";
        case 4: return "6 (all days)";
        case 5: return "6 (week/weekend)";
        case 6: return "6 (each day)";
        case 7: return "No Fixed Periods";
        default: return "Unknown";
    }
}

std::string FanModeText(int aux) {
    if (aux & 0x40) return "Continuous, Speed " + std::to_string(aux & 0x3F);
    return "Automatic";
}

std::string TemperatureText(int high, int low) {
    std::string s;
    AppendTemperature(s, high, low);
    return s;
}

std::string HumidityText(int high, int low) {
    std::string s;
    AppendHumidity(s, high, low);
    return s;
}

std::string RawLevelText(int high, int low) {
    return HexDigitsText(((high & 0xFF) << 8) | (low & 0xFF), 2);
}

std::string SignedByteText(const NumberFormat& fmt, int byte) {
    const int b = byte & 0xFF;
    if (fmt.hex) return NumberString(fmt, b);
    return std::to_string(b >= 0x80 ? b - 256 : b);
}

std::string HvacStartTimeText(int high, int low) {
    const int v = ((high & 0xFF) << 8) | (low & 0xFF);
    if (v == 0xFFFF) return "Null Entry";
    static const char* const kDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const int day = v / 1440;
    if (day >= 7) return "Start INVALID";
    const int minutes = v % 60;
    std::string s = "Start ";
    s += kDays[day];
    s += ' ';
    s += std::to_string((v % 1440) / 60);
    s += ':';
    s += static_cast<char>('0' + minutes / 10);
    s += static_cast<char>('0' + minutes % 10);
    return s;
}

namespace {

// Data bytes each known command needs for its phrase; 0 for an unknown one.
int HvacDataNeeded(int command) {
    switch (command) {
        case 0x01: case 0x79: case 0x21: return 1;
        case 0x05: case 0x0D: case 0x15: case 0x1D: return 5;
        case 0x2F: case 0x47: return 7;
        case 0x36: case 0x4E: return 6;
        case 0x55: case 0x5D: case 0x65: case 0x6D: case 0x75: case 0x7D: return 5;
        case 0x89: case 0xA9: return 9;
        default: return 0;
    }
}

}  // namespace

std::string DecodeHvacCommand(DecodeContext& ctx) {
    const int cmd = ctx.CommandByte;
    const int need = HvacDataNeeded(cmd);
    if (need == 0 || !ctx.HasData(need)) return "Unknown";

    const NumberFormat& fmt = ctx.Format;
    auto d = [&ctx](int k) { return ctx.Data(k); };
    std::string s;
    s.reserve(160);

    switch (cmd) {
        case 0x01: Cat(s, "HVAC: Zone Group ", ctx.Num(d(1)), " Off"); return s;
        case 0x79: Cat(s, "HVAC: Zone Group ", ctx.Num(d(1)), " On"); return s;
        case 0x21: Cat(s, "HVAC: Refresh, Zone Group ", ctx.Num(d(1))); return s;
        default: break;
    }

    const bool humidity = (cmd == 0x0D || cmd == 0x1D || cmd == 0x47 || cmd == 0x4E || cmd == 0x6D || cmd == 0x75 ||
                           cmd == 0x7D || cmd == 0xA9);
    // "<Family>: <Command>, Zone Group G, Z, "
    auto lead = [&](const char* title) {
        Cat(s, title, ", Zone Group ", ctx.Num(d(1)), ", ");
        AppendZoneList(s, d(2));
        s += ", ";
    };
    // A level or limit: raw when the Raw bit of the given mode or flags byte
    // is set, else a temperature or a humidity.
    auto level = [&](int rawFlags, int k) {
        if (rawFlags & kModeRaw) s += RawLevelText(d(k), d(k + 1));
        else if (humidity) AppendHumidity(s, d(k), d(k + 1));
        else AppendTemperature(s, d(k), d(k + 1));
    };
    auto mode = [&](int m) { AppendMode(s, humidity ? kHumidityModes : kHvacModes, m); };
    auto type = [&](int t) { s += humidity ? HumidityPlantTypeText(t) : HvacPlantTypeText(t); };
    auto aux = [&](int m, int k) {
        if (m & kModeAux) Cat(s, ", Aux: ", FanModeText(d(k)));
    };

    switch (cmd) {
        case 0x05:
            lead("HVAC: Zone Plant Status");
            Cat(s, "Type: ", HvacPlantTypeText(d(3)), ", ", HvacPlantStatusText(d(4)), HvacErrorText(fmt, d(5)));
            break;
        case 0x0D:
            lead("Humidity: Zone Plant Status");
            Cat(s, "Type: ", HumidityPlantTypeText(d(3)), ", ", HumidityPlantStatusText(d(4)),
                HumidityErrorText(fmt, d(5)));
            break;
        case 0x15:
            lead("HVAC: Zone Temperature");
            AppendTemperature(s, d(3), d(4));
            Cat(s, ", ", SensorStatusText(d(5)));
            break;
        case 0x1D:
            lead("Humidity: Zone");
            AppendHumidity(s, d(3), d(4));
            Cat(s, ", ", SensorStatusText(d(5)));
            break;
        case 0x2F:
        case 0x47:
            lead(cmd == 0x2F ? "HVAC: Set Zone Mode" : "Humidity: Set Zone Mode");
            mode(d(3));
            s += "Type: ";
            type(d(4));
            s += ", Level ";
            level(d(3), 5);
            aux(d(3), 7);
            break;
        case 0x36:
        case 0x4E:
            lead(cmd == 0x36 ? "HVAC: Set Plant Level" : "Humidity: Set Plant Level");
            mode(d(3));
            s += "Type: ";
            type(d(4));
            Cat(s, ", Level: ", SignedByteText(fmt, d(5)));
            aux(d(3), 6);
            break;
        case 0x55:
        case 0x5D:
        case 0x65:
        case 0x6D:
        case 0x75:
        case 0x7D:
            lead(cmd == 0x55   ? "HVAC: Set Upper Guard Limit"
                 : cmd == 0x5D ? "HVAC: Set Lower Guard Limit"
                 : cmd == 0x65 ? "HVAC: Set Setback Limit"
                 : cmd == 0x6D ? "Humidity: Set Upper Guard Limit"
                 : cmd == 0x75 ? "Humidity: Set Lower Guard Limit"
                               : "Humidity: Set Setback Limit");
            s += "Limit ";
            level(d(5), 3);
            break;
        case 0x89:
        case 0xA9:
            lead(cmd == 0x89 ? "HVAC: Schedule Entry" : "Humidity: Schedule Entry");
            Cat(s, "Entry ", ctx.Num(d(3)), ", Format: ", HvacScheduleFormatText(d(4)), ", ");
            mode(d(5));
            Cat(s, HvacStartTimeText(d(6), d(7)), ", Set Level ");
            level(d(5), 8);
            break;
        default:
            return "Unknown";
    }
    return s;
}

}  // namespace orvane
