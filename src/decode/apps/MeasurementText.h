// Units of measure of the measurement application.
#pragma once

namespace orvane {

// Unit codes 0 to 39 name a unit; 4 is a Boolean value.
constexpr int kMeasurementBoolean = 4;
constexpr int kMeasurementNoUnits = 0xFE;
constexpr int kMeasurementCustom = 0xFF;

// The text that follows a measured value (" Volts" for code 36); empty for
// the Boolean code and for codes 40 to 255.
const char* MeasurementUnitText(int code);

}  // namespace orvane
