// Value wording of the HVAC application (0xAC): zone lists, modes, plant
// types, plant status, errors, sensor status, levels and schedule times.
// Every wording returns a new text and keeps no state.
#pragma once

#include <string>

#include "decode/Hex.h"

namespace orvane {

// "Zones 0 2", "No Zones", "Zones (Expansion)".
std::string HvacZoneListText(int zones);
// "Mode: <mode>, Flags: <flags>, " (ends in ", ").
std::string HvacModeText(int mode);
std::string HumidityModeText(int mode);
// Plant status, ending in ", ".
std::string HvacPlantStatusText(int status);
std::string HumidityPlantStatusText(int status);
std::string HvacPlantTypeText(int type);
std::string HumidityPlantTypeText(int type);
std::string HvacErrorText(const NumberFormat& fmt, int code);
std::string HumidityErrorText(const NumberFormat& fmt, int code);
std::string SensorStatusText(int status);
std::string HvacScheduleFormatText(int format);
// "Automatic" or "Continuous, Speed n" for an auxiliary level byte.
std::string FanModeText(int aux);
// Signed 1/256 degree Celsius: "20.50°C".
std::string TemperatureText(int high, int low);
// Unsigned, 65535 = 100 percent: "50.00%".
std::string HumidityText(int high, int low);
// Four upper-case hex digits whatever the display mode.
std::string RawLevelText(int high, int low);
// Two hex digits in hex mode; -128..127 in decimal mode.
std::string SignedByteText(const NumberFormat& fmt, int byte);
// Minutes since Sunday 0:00: "Start Mon 7:00", "Null Entry", "Start INVALID".
std::string HvacStartTimeText(int high, int low);

}  // namespace orvane
