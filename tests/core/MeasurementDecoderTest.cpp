#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/Decoder.h"

namespace {

struct Row {
    const char* command;  // command bytes after the measurement header
    const char* expected;
};

TEST(MeasurementDecoder, WordsValuesInDecimalWhateverTheMode) {
    const std::vector<Row> rows = {
        {"0E010224FD04D2", "Measurement: Device 1 Channel 2 = 1234E-3 Volts"},
        {"0E05000000FF38", "Measurement: Device 5 Channel 0 = -200E0 C"},
        {"0E010104000001", "Measurement: Device 1 Channel 1 = TRUE"},
        {"0E010104008000", "Measurement: Device 1 Channel 1 = TRUE"},
        {"0E0101047F0000", "Measurement: Device 1 Channel 1 = FALSE"},
        {"0EFFFF19808000", "Measurement: Device 255 Channel 255 = -32768E-128 Pascal"},
        {"0E0A0B147F7FFF", "Measurement: Device 10 Channel 11 = 32767E127 Metres / second2"},
        {"0E0000FE000010", "Measurement: Device 0 Channel 0 = 16E0"},
        {"0E0000FF01FFFE", "Measurement: Device 0 Channel 0 = -2E1"},
        {"0E000028000001", "Measurement: Device 0 Channel 0 = 1E0"},
        {"0E000027000001", "Measurement: Device 0 Channel 0 = 1E0 Webers"},
        {"0E00001A000032", "Measurement: Device 0 Channel 0 = 50E0 %"},
        {"0D0102030405", "Measurement: Unknown"},
        {"0901", "Measurement: Unknown"},
    };
    for (bool hex : {false, true}) {
        orvane::Decoder d;
        d.Format().hex = hex;
        for (const Row& row : rows)
            EXPECT_EQ(d.DecodeMessage(std::string("\\05E400") + row.command, 0x18), row.expected)
                << row.command << (hex ? " hex" : "");
    }
}

TEST(MeasurementDecoder, EveryUnitCodeHasItsText) {
    const char* const units[40] = {
        " C", " Amps", " Degrees", " Coulombs", "", " Farads", " Henrys", " Hertz", " Joules", " Katal",
        " kg / m3", " kg", " Litres", " Litres / hour", " Litres / minute", " Litres / second", " Lux",
        " Metres", " Metres / minute", " Metres / second", " Metres / second2", " Moles", " Newton Metres",
        " Newtons", " Ohms", " Pascal", " %", " Decibels", " PPM", " RPM", " Seconds", " Minutes", " Hours",
        " Sieverts", " Steradian", " Tesla", " Volts", " Watt Hours", " Watts", " Webers"};
    orvane::Decoder d;
    for (int code = 0; code < 40; ++code) {
        if (code == 4) continue;  // Boolean
        static const char kHex[] = "0123456789ABCDEF";
        std::string cmd = "\\05E4000E0102";
        cmd += kHex[code >> 4];
        cmd += kHex[code & 15];
        cmd += "000007";
        EXPECT_EQ(d.DecodeMessage(cmd, 0x18), std::string("Measurement: Device 1 Channel 2 = 7E0") + units[code])
            << code;
    }
}

}  // namespace
