// HVAC and humidity commands (application 0xAC) as the decoder words them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SentPhrase.h"
#include "decode/Decoder.h"
#include "decode/apps/HvacText.h"

namespace orvane {
namespace {

struct Row {
    const char* commands;  // hex of the SAL commands after the header
    bool hex;              // "Hexadecimal Numbers"
    const char* expected;
};

std::string DecodeSent(const char* commands, bool hex) { return SentPhrase(0xAC, commands, hex); }

void Check(const std::vector<Row>& rows) {
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.commands) + (r.hex ? " hex" : " dec"));
        EXPECT_EQ(DecodeSent(r.commands, r.hex), r.expected);
    }
}

TEST(HvacDecoder, ZoneGroupSwitchingAndUnknownCommands) {
    Check({
        {"0101", true, "HVAC: Zone Group 01 Off"},
        {"79FF", true, "HVAC: Zone Group FF On"},
        {"79FF", false, "HVAC: Zone Group 255 On"},
        {"210A", false, "HVAC: Refresh, Zone Group 10"},
        {"020102", true, "Unknown"},
        {"00", true, "Unknown"},
        {"8D01020304050607080900010203", true, "Unknown"},
        {"01017901", true, "HVAC: Zone Group 01 Off; HVAC: Zone Group 01 On"},
        {"0101150100", true, "HVAC: Zone Group 01 Off; LENGTH ERROR"},
    });
}

TEST(HvacDecoder, PlantStatus) {
    Check({
        // Bit 4 of the status is never shown; an unknown error code follows
        // the display mode.
        {"050105085F0C", true,
         "HVAC: Zone Plant Status, Zone Group 01, Zones 0 2, Type: Hydronic, Cooling Plant On, Heating Plant On, "
         "Fan Active, Damper Open, Error, Error Code 0C"},
        {"050105085F0C", false,
         "HVAC: Zone Plant Status, Zone Group 1, Zones 0 2, Type: Hydronic, Cooling Plant On, Heating Plant On, "
         "Fan Active, Damper Open, Error, Error Code 12"},
        {"0501000AA00B", true,
         "HVAC: Zone Plant Status, Zone Group 01, No Zones, Type: Hydronic / Evaporative, Cooling Plant Off, "
         "Heating Plant Off, Fan Not Active, Damper Closed, Busy, Filter replacement required"},
        {"0501000B0004", true,
         "HVAC: Zone Plant Status, Zone Group 01, No Zones, Type: Unknown, Cooling Plant Off, Heating Plant Off, "
         "Fan Not Active, Damper Closed, Temperature Sensor failure"},
        {"050100FF0000", true,
         "HVAC: Zone Plant Status, Zone Group 01, No Zones, Type: Any, Cooling Plant Off, Heating Plant Off, "
         "Fan Not Active, Damper Closed, No Error"},
        {"0D0180031F04", true,
         "Humidity: Zone Plant Status, Zone Group 01, Zones (Expansion), Type: Evaporator / Refrigerative, "
         "Humidifying Plant On, Dehumidifying Plant On, Fan Active, Damper Open, Flags: None, Humidity Sensor failure"},
        {"0D010004E006", true,
         "Humidity: Zone Plant Status, Zone Group 01, No Zones, Type: Unknown, Humidifying Plant Off, "
         "Dehumidifying Plant Off, Fan Not Active, Damper Closed, Flags: Busy, Error, Expansion, "
         "Dehumidifier temporary problem"},
        {"0D0100FF200C", false,
         "Humidity: Zone Plant Status, Zone Group 1, No Zones, Type: Any, Humidifying Plant Off, "
         "Dehumidifying Plant Off, Fan Not Active, Damper Closed, Flags: Busy, Error Code 12"},
    });
}

TEST(HvacDecoder, TemperatureAndHumidityReports) {
    Check({
        {"150100140000", true, "HVAC: Zone Temperature, Zone Group 01, No Zones, 20.00°C, No Error"},
        {"150106148001", false,
         "HVAC: Zone Temperature, Zone Group 1, Zones 1 2, 20.50°C, Sensor in relaxed accuracy band"},
        {"15017FFF8002", true,
         "HVAC: Zone Temperature, Zone Group 01, Zones 0 1 2 3 4 5 6, -0.50°C, Sensor out of calibration"},
        {"150101800003", true, "HVAC: Zone Temperature, Zone Group 01, Zones 0, -128.00°C, Sensor total failure"},
        {"1501017FFF04", true, "HVAC: Zone Temperature, Zone Group 01, Zones 0, 128.00°C, Unknown"},
        // A value just below zero rounds to 0.00, without a sign.
        {"150101FFFF00", true, "HVAC: Zone Temperature, Zone Group 01, Zones 0, 0.00°C, No Error"},
        {"150101000200", true, "HVAC: Zone Temperature, Zone Group 01, Zones 0, 0.01°C, No Error"},
        // Eighths of a degree are halves of the last digit and go away from zero.
        {"150101002000", true, "HVAC: Zone Temperature, Zone Group 01, Zones 0, 0.13°C, No Error"},
        {"150101FFE000", true, "HVAC: Zone Temperature, Zone Group 01, Zones 0, -0.13°C, No Error"},
        {"150101146000", true, "HVAC: Zone Temperature, Zone Group 01, Zones 0, 20.38°C, No Error"},
        {"1D01FFFFFF01", true,
         "Humidity: Zone, Zone Group 01, Zones 0 1 2 3 4 5 6 (Expansion), 100.00%, Sensor in relaxed accuracy band"},
        {"1D0101800000", true, "Humidity: Zone, Zone Group 01, Zones 0, 50.00%, No Error"},
        {"1D0101000100", true, "Humidity: Zone, Zone Group 01, Zones 0, 0.00%, No Error"},
        {"1D0101000400", true, "Humidity: Zone, Zone Group 01, Zones 0, 0.01%, No Error"},
    });
}

TEST(HvacDecoder, ZoneModeAndPlantLevel) {
    Check({
        // Raw level and the auxiliary byte when Aux is set.
        {"2F01054801123445", true,
         "HVAC: Set Zone Mode, Zone Group 01, Zones 0 2, Mode: Off, Flags: Aux, Raw, Type: Furnace (Gas, Oil, etc), "
         "Level 1234, Aux: Continuous, Speed 5"},
        // Without Aux the auxiliary byte is not worded; without Raw the level
        // is a temperature.
        {"2F01050108148045", true,
         "HVAC: Set Zone Mode, Zone Group 01, Zones 0 2, Mode: Heat Only, Flags: None, Type: Hydronic, "
         "Level 20.50°C"},
        {"2F0105740914003F", false,
         "HVAC: Set Zone Mode, Zone Group 1, Zones 0 2, Mode: Vent/Fan Only, Flags: Aux, Guard, Setback, "
         "Type: Hydronic / Heat pump Cooling, Level 20.00°C, Aux: Automatic"},
        {"2F01011D0212AB00", true,
         "HVAC: Set Zone Mode, Zone Group 01, Zones 0, Mode: Unknown, Flags: Setback, Raw, Type: Evaporative, "
         "Level 12AB"},
        {"47010F4B037FFF43", true,
         "Humidity: Set Zone Mode, Zone Group 01, Zones 0 1 2 3, Mode: Humidity Control, Flags: Aux, Raw, "
         "Type: Evaporator / Refrigerative, Level 7FFF, Aux: Continuous, Speed 3"},
        {"4701010101800000", true,
         "Humidity: Set Zone Mode, Zone Group 01, Zones 0, Mode: Humidify Only, Flags: None, Type: Evaporator, "
         "Level 50.00%"},
        {"36010141031E02", true,
         "HVAC: Set Plant Level, Zone Group 01, Zones 0, Mode: Heat Only, Flags: Aux, Type: Heat pump - reverse cycle, "
         "Level: 1E, Aux: Automatic"},
        {"360101420AFF40", true,
         "HVAC: Set Plant Level, Zone Group 01, Zones 0, Mode: Cool Only, Flags: Aux, Type: Hydronic / Evaporative, "
         "Level: FF, Aux: Continuous, Speed 0"},
        {"360101420AFF40", false,
         "HVAC: Set Plant Level, Zone Group 1, Zones 0, Mode: Cool Only, Flags: Aux, Type: Hydronic / Evaporative, "
         "Level: -1, Aux: Continuous, Speed 0"},
        {"4E0101340280C5", false,
         "Humidity: Set Plant Level, Zone Group 1, Zones 0, Mode: Unknown, Flags: Guard, Setback, "
         "Type: Refrigerative, Level: -128"},
        {"4E010102047F00", false,
         "Humidity: Set Plant Level, Zone Group 1, Zones 0, Mode: Dehumidify Only, Flags: None, Type: Unknown, "
         "Level: 127"},
    });
}

TEST(HvacDecoder, Limits) {
    // Only bit 3 of the flags byte (Raw) is read.
    Check({
        {"550101140077", true, "HVAC: Set Upper Guard Limit, Zone Group 01, Zones 0, Limit 20.00°C"},
        {"550101140008", true, "HVAC: Set Upper Guard Limit, Zone Group 01, Zones 0, Limit 1400"},
        {"5D0101FF8000", true, "HVAC: Set Lower Guard Limit, Zone Group 01, Zones 0, Limit -0.50°C"},
        {"650101FF80FF", false, "HVAC: Set Setback Limit, Zone Group 1, Zones 0, Limit FF80"},
        {"6D0101800000", true, "Humidity: Set Upper Guard Limit, Zone Group 01, Zones 0, Limit 50.00%"},
        {"750101FFFF00", true, "Humidity: Set Lower Guard Limit, Zone Group 01, Zones 0, Limit 100.00%"},
        {"7D0101800008", true, "Humidity: Set Setback Limit, Zone Group 01, Zones 0, Limit 8000"},
    });
}

TEST(HvacDecoder, ScheduleEntries) {
    Check({
        {"89010503010107441400", true,
         "HVAC: Schedule Entry, Zone Group 01, Zones 0 2, Entry 03, Format: 4 (all days), Mode: Heat Only, "
         "Flags: None, Start Mon 7:00, Set Level 20.00°C"},
        {"890105030208FFFF1234", true,
         "HVAC: Schedule Entry, Zone Group 01, Zones 0 2, Entry 03, Format: 4 (week/weekend), Mode: Off, "
         "Flags: Raw, Null Entry, Set Level 1234"},
        // 10080 minutes is day 7: no time follows.
        {"89010509030127601400", false,
         "HVAC: Schedule Entry, Zone Group 1, Zones 0 2, Entry 9, Format: 4 (each day), Mode: Heat Only, "
         "Flags: None, Start INVALID, Set Level 20.00°C"},
        {"890101000403275F1400", true,
         "HVAC: Schedule Entry, Zone Group 01, Zones 0, Entry 00, Format: 6 (all days), Mode: Heat & Cool, "
         "Flags: None, Start Sat 23:59, Set Level 20.00°C"},
        {"890101000500000A1400", true,
         "HVAC: Schedule Entry, Zone Group 01, Zones 0, Entry 00, Format: 6 (week/weekend), Mode: Off, "
         "Flags: None, Start Sun 0:10, Set Level 20.00°C"},
        {"890101000600000A1400", true,
         "HVAC: Schedule Entry, Zone Group 01, Zones 0, Entry 00, Format: 6 (each day), Mode: Off, "
         "Flags: None, Start Sun 0:10, Set Level 20.00°C"},
        {"A90101000702076280" "00", true,
         "Humidity: Schedule Entry, Zone Group 01, Zones 0, Entry 00, Format: No Fixed Periods, "
         "Mode: Dehumidify Only, Flags: None, Start Mon 7:30, Set Level 50.00%"},
        {"A9010101000B00001234", false,
         "Humidity: Schedule Entry, Zone Group 1, Zones 0, Entry 1, Format: Unknown, Mode: Humidity Control, "
         "Flags: Raw, Start Sun 0:00, Set Level 1234"},
        {"A9010101080400001234", true,
         "Humidity: Schedule Entry, Zone Group 01, Zones 0, Entry 01, Format: Unknown, Mode: Unknown, "
         "Flags: None, Start Sun 0:00, Set Level 7.11%"},
    });
}

TEST(HvacDecoder, ValueWordings) {
    EXPECT_EQ(HvacZoneListText(0x80), "Zones (Expansion)");
    EXPECT_EQ(HvacZoneListText(0x05), "Zones 0 2");
    EXPECT_EQ(HvacZoneListText(0x00), "No Zones");
    const std::string s = HumidityPlantStatusText(0x1F);
    EXPECT_EQ(s.substr(s.size() - 13), "Flags: None, ");
    EXPECT_EQ(HvacStartTimeText(1860 / 256, 1860 % 256), "Start Mon 7:00");
    EXPECT_EQ(HvacScheduleFormatText(0), "Unknown");
    EXPECT_EQ(HvacScheduleFormatText(8), "Unknown");
}

}  // namespace
}  // namespace orvane
