// The virtual network behind the simulated interface: its units, their
// parameters and group levels, and the small text file that describes them.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::sim {

// What a unit does on the virtual bus.
enum class UnitRole {
    Interface,  // the local interface the client talks to (exactly one)
    Pci,        // another interface on the network
    Output,     // relays and dimmers: hold group levels and follow lighting commands
    Input,      // key inputs: send lighting commands on their groups
    Sensor,     // units of other applications (HVAC, security, temperature ...)
};

// Well-known parameter addresses of every unit.
inline constexpr int kParamUnitAddress = 0x20;
inline constexpr int kParamMonitoredApp1 = 0x21;
inline constexpr int kParamMonitoredApp2 = 0x22;
inline constexpr int kParamProjectName = 0x23;  // six packed bytes 0x23..0x28
inline constexpr int kParamPartName = 0x2A;     // six packed bytes 0x2A..0x2F
inline constexpr int kParamOptions1 = 0x30;
inline constexpr int kParamSerialRate = 0x3D;
inline constexpr int kParamOptions2 = 0x3E;
inline constexpr int kParamAllMonitor = 0x40;
inline constexpr int kParamPowerUpOptions1 = 0x41;
inline constexpr int kParamOptions3 = 0x42;
inline constexpr int kParamUnitType = 0xF7;  // eight characters 0xF7..0xFE

struct Unit {
    UnitRole role = UnitRole::Output;
    std::array<std::uint8_t, 256> params{};
    std::array<std::uint8_t, 256> ram{};
    std::string firmware = "1.00";  // at most 8 characters
    std::string voltage = "35.8V";  // at most 5 characters
    std::uint32_t serial = 0;       // (batch << 12) | number
    // application -> group -> level. Output units hold their state here;
    // inputs and sensors list the groups (zones) they send on.
    std::map<int, std::map<int, int>> groups;

    int Address() const { return params[kParamUnitAddress]; }
    std::string Type() const;  // the eight type characters, trailing blanks removed
    void SetType(std::string_view type);
};

struct Network {
    std::vector<Unit> units;

    // Index of the local interface in units, or -1.
    int InterfaceIndex() const;
    // All units at an address (more than one is an address conflict).
    std::vector<const Unit*> UnitsAt(int address) const;
    std::vector<Unit*> UnitsAt(int address);
};

// A name of up to eight characters packed into six bytes, the way
// interfaces keep their project and part names.
std::array<std::uint8_t, 6> PackName(std::string_view name);

// A unit with the parameters every unit starts with.
Unit MakeUnit(UnitRole role, int address, std::string_view type);

// The network the simulator carries when no file is given: the interface at
// interfaceAddress, relays, dimmers, key inputs, HVAC, security and
// temperature units, another interface and one address conflict.
Network DefaultNetwork(int interfaceAddress = 0xFE);

struct NetworkParseResult {
    bool ok = false;
    Network network;
    int line = 0;  // the offending line (1-based) when !ok
    std::string message;
};

// Reads the network file format described in tools/sim/README.md.
NetworkParseResult ParseNetwork(std::string_view text);

}  // namespace orvane::sim
