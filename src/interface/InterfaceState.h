// The record of the interface unit attached to the link: what the decoder,
// the sender and the dialogs need to know about it.
#pragma once

#include <string>

namespace orvane {

// Bits of the interface's options-1 register.
enum InterfaceOption1Bit : int {
    OptConnect = 0x01,
    OptAllMonitor = 0x02,
    OptXonXoff = 0x04,
    OptChecksum = 0x08,
    OptSmart = 0x10,
    OptMonitor = 0x20,
    OptIdmon = 0x40,
};

struct InterfaceState {
    int PciVersion = 0;          // major*256 + minor, 0 while unknown
    int PciUnitAddress = -1;     // -1 until read
    int InterfaceOptions1 = 0;
    int PowerUpOptions1 = 0;
    int InterfaceOptions2 = 0;
    int InterfaceOptions3 = 0;
    int MonitoredApplication1 = 0;
    int MonitoredApplication2 = 0;
    std::string RoutePrefix = "0000";
    bool AllMonitorActive = false;
    double AllMonitorStartTime = 0.0;
    bool LastSentToLocalPci = false;
};

}  // namespace orvane
