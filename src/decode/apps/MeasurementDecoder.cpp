// Measurement (application 0xE4): a device's channel publishes a value with
// a decimal exponent and a unit of measure. Figures are always decimal.
#include "decode/apps/MeasurementText.h"

#include <cstdint>

#include "decode/apps/AppDecoders.h"

namespace orvane {

const char* MeasurementUnitText(int code) {
    static const char* const kUnits[40] = {
        " C",        " Amps",      " Degrees",        " Coulombs",        nullptr,
        " Farads",   " Henrys",    " Hertz",          " Joules",          " Katal",
        " kg / m3",  " kg",        " Litres",         " Litres / hour",   " Litres / minute",
        " Litres / second",        " Lux",            " Metres",          " Metres / minute",
        " Metres / second",        " Metres / second2",                   " Moles",
        " Newton Metres",          " Newtons",        " Ohms",            " Pascal",
        " %",        " Decibels",  " PPM",            " RPM",             " Seconds",
        " Minutes",  " Hours",     " Sieverts",       " Steradian",       " Tesla",
        " Volts",    " Watt Hours", " Watts",         " Webers",
    };
    return (code >= 0 && code < 40 && kUnits[code]) ? kUnits[code] : "";
}

std::string DecodeMeasurementCommand(DecodeContext& ctx) {
    std::string out = "Measurement: ";
    if (ctx.CommandByte != 0x0E || !ctx.HasData(6)) return out + "Unknown";

    out += "Device " + std::to_string(ctx.Data(1)) + " Channel " + std::to_string(ctx.Data(2));
    const int unit = ctx.Data(3);
    if (unit == kMeasurementBoolean) {
        out += (ctx.Data(5) != 0 || ctx.Data(6) != 0) ? " = TRUE" : " = FALSE";
    } else {
        const int exponent = static_cast<int8_t>(ctx.Data(4));
        const int value = static_cast<int16_t>((ctx.Data(5) << 8) | ctx.Data(6));
        out += " = " + std::to_string(value) + "E" + std::to_string(exponent);
    }
    return out + MeasurementUnitText(unit);
}

}  // namespace orvane
