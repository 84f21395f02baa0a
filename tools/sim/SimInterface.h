// The simulated interface unit: bytes from the client in, bytes to the client
// out, with the virtual network behind it. No sockets and no clock of its
// own: the caller passes the time in seconds.
#pragma once

#include <cstdint>
#include <deque>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "SimNetwork.h"

namespace orvane::sim {

using Bytes = std::vector<std::uint8_t>;

// Interface options 1 bits.
inline constexpr int kOptConnect = 0x01;
inline constexpr int kOptAllMonitor = 0x02;
inline constexpr int kOptChecksum = 0x08;
inline constexpr int kOptSmart = 0x10;
inline constexpr int kOptMonitor = 0x20;
inline constexpr int kOptIdmon = 0x40;
// Interface options 3: extended status MMI replies.
inline constexpr int kOpt3ExStat = 0x08;

// The receive status byte that ends every line in all-monitor mode.
inline constexpr int kFrameSalIntact = 0x35;
inline constexpr int kFrameCalIntact = 0x9A;
inline constexpr int kFrameDamaged = 0x00;
// Byte 4 of an all-monitor line that carries a unit's MMI status report.
inline constexpr int kStatusReportMarker = 0x90;

// Longest command line the interface holds; longer lines are dropped and
// answered "!" (buffers full) at their carriage return.
inline constexpr std::size_t kMaxLineLength = 4096;
// Lines the client sent, kept for the control channel.
inline constexpr std::size_t kMaxReceivedLines = 1000;

struct SimOptions {
    bool lineFeed = true;        // CR LF (true) or CR alone
    double trafficRate = 0;      // bus messages per second from the other units
    std::uint32_t seed = 1;
    int corruptEvery = 0;        // every Nth monitored line damaged (0 = never)
    int serialRate = 9600;       // the interface's own serial rate
};

// A message on the virtual bus, as its sender put it there.
struct BusMessage {
    bool sal = true;
    int source = 0;
    int application = 0;  // SAL
    int destination = 0;  // CAL
    Bytes data;           // SAL commands or CAL data
    bool statusReport = false;  // a unit's MMI status report (all-monitor only)
};

class SimInterface {
public:
    SimInterface(Network network, SimOptions options);

    // Bytes the client wrote; returns what the interface answers at once.
    std::string Receive(std::string_view bytes, double now = 0);
    // Lets the other units speak up to time now; returns the monitored lines.
    std::string Advance(double now);
    // One damaged monitored line, in the current reporting format.
    std::string CorruptLine();

    // Conditions of the virtual bus for commands that go onto it.
    void SetNoAcknowledge(bool on) { noAck_ = on; }
    void SetCorruptedTransmission(bool on) { garble_ = on; }
    void SetNoClock(bool on) { noClock_ = on; }
    bool NoAcknowledge() const { return noAck_; }
    bool CorruptedTransmission() const { return garble_; }
    bool NoClock() const { return noClock_; }

    void SetTrafficRate(double rate) { options_.trafficRate = rate < 0 ? 0 : rate; }
    double TrafficRate() const { return options_.trafficRate; }
    void SetCorruptEvery(int n) { options_.corruptEvery = n < 0 ? 0 : n; }
    void StartFlood(double rate, double seconds, double now);
    bool Flooding(double now) const { return now < floodEnd_ && floodRate_ > 0; }

    // The data rate the client's serial port runs at (0: not a serial link,
    // always understood). A mismatch garbles everything both ways.
    void SetClientRate(int baud) { clientRate_ = baud; }
    int SerialRate() const { return serialRate_; }

    int Options1() const;
    bool AllMonitor() const { return (Options1() & kOptAllMonitor) != 0; }
    int InterfaceAddress() const;
    const Network& network() const { return network_; }
    const std::deque<std::string>& ReceivedLines() const { return received_; }
    void ClearReceivedLines() { received_.clear(); }
    // "38 01=FF 02=00 14=00/80": the groups of an application in address
    // order, each with its level in hex, differing levels separated by "/".
    std::string GroupsReport(int application) const;

    // The bytes of a line with its checksum, as hex text with line end.
    std::string LineText(const Bytes& bytes) const;

private:
    Unit& Pci();
    const Unit& Pci() const;
    bool Understood() const { return clientRate_ == 0 || clientRate_ == serialRate_; }
    std::string EndOfLine() const { return options_.lineFeed ? "\r\n" : "\r"; }

    void ResetToBasic();
    std::string ProcessLine(const std::string& line);
    std::string HandleSal(const Bytes& bytes);
    std::string HandleCalToLocal(const Bytes& data);
    std::string HandleCalToUnit(int address, const Bytes& data);
    // Reply data of one unit to CAL data, empty when it has nothing to say.
    Bytes UnitReply(Unit& unit, const Bytes& data, bool local);
    void AfterParameterWrite(Unit& unit, int first, int count, bool local);
    std::string FormatReply(const Unit& from, const Bytes& data) const;
    char BusResult() const;

    void ApplyLighting(int application, const Bytes& commands);
    std::string Mmi(int application, int start, bool level);
    std::string StatusMmi(int application, int start, bool extended) const;
    std::string LevelMmi(int application, int start) const;
    int GroupStatusBits(int application, int group) const;
    int InstallationBits(int address) const;

    bool Reports(int application) const;
    std::string MonitoredLine(const BusMessage& msg, bool damage);
    BusMessage NextTrafficMessage();

    Network network_;
    SimOptions options_;
    std::mt19937 rng_;
    std::string line_;
    bool overflow_ = false;
    std::string rawLine_;  // what the client sent since the last CR, for the log
    std::deque<std::string> received_;
    // Destination of commands without a prefix: empty = the local interface,
    // else the header bytes after 06 (unit, route, path).
    Bytes destination_;
    bool noAck_ = false;
    bool garble_ = false;
    bool noClock_ = false;
    int clientRate_ = 0;
    int serialRate_ = 9600;
    double lastAdvance_ = -1;
    double due_ = 0;
    double floodRate_ = 0;
    double floodEnd_ = 0;
    long monitoredCount_ = 0;
};

}  // namespace orvane::sim
