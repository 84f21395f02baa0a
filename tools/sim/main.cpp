// orvane-sim: a substitute interface unit with a virtual network of units,
// served over TCP like the network interface and over a pseudo-terminal like
// the serial interface.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "SimInterface.h"
#include "SimNetwork.h"
#include "SimServer.h"
#include "decode/Hex.h"

using namespace orvane::sim;

namespace {

constexpr const char* kUsage = R"(Usage: orvane-sim [options]

A substitute interface unit with a virtual network of units behind it.

Links (at least one):
  --tcp PORT             serve one client at a time on 127.0.0.1:PORT like the
                         network interface (0 picks a free port)
  --pty PATH             create a pseudo-terminal and make PATH a link to it,
                         like the serial interface
On start one line per link is printed: "tcp 127.0.0.1:PORT", "pty PATH",
"control 127.0.0.1:PORT". The simulator then runs until interrupted.

Interface:
  --address HEX          unit address of the interface (default FE)
  --version TEXT         firmware version it reports (default 4.10.00; an older
                         one such as 3.11 has no "@" commands)
  --no-lf                end lines with CR alone (default CR LF)
  --serial-rate BAUD     the interface's own serial rate: 1200, 2400, 4800 or
                         9600 (default); at another rate the pseudo-terminal
                         client is understood only at that rate, until
                         "~~~A33D00FF" returns it to 9600
  --network FILE         load the virtual network from FILE (see README.md)
  --print-network        print the network in the file format and exit

Traffic:
  --traffic RATE         the other units put RATE messages a second on the bus
                         (lighting on, off and ramps, HVAC, security,
                         temperature, now and then an error report)
  --seed N               seed of the traffic (repeatable runs)
  --baud RATE            pace the output as a serial line of RATE bit/s would
                         (ten bits a character); default: as fast as possible

Faults (also through the control channel while running):
  --drip                 send every byte on its own
  --silent               start silent: no answers, no traffic, input ignored
  --nack                 answer commands for the bus with "#"
  --garble               answer commands for the bus with "$"
  --noclock              answer commands for the bus with "%"
  --corrupt-every N      damage every Nth monitored line
  --flood RATE SECONDS   extra traffic at RATE a second for SECONDS, from the
                         first client's connection
  --drop-after SECONDS   drop every client SECONDS after it connected

Control:
  --control PORT         one-line text commands on 127.0.0.1:PORT (0 picks a
                         free port): drop, corrupt, silent, speak, drip on|off,
                         nack on|off, garble on|off, noclock on|off,
                         flood RATE SECONDS, traffic RATE, corrupt-every N,
                         groups APP, received, clear, status, help, quit
  --stdin-control        the same commands on standard input, replies on
                         standard output
  --help                 this text
)";

bool ParseInt(std::string_view text, long lo, long hi, long& out) {
    if (text.empty() || text.size() > 10) return false;
    long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v < lo || v > hi) return false;
    out = v;
    return true;
}

bool ParseDouble(std::string_view text, double lo, double hi, double& out) {
    if (text.empty() || text.size() > 15) return false;
    for (char c : text)
        if ((c < '0' || c > '9') && c != '.') return false;
    try {
        std::size_t used = 0;
        double v = std::stod(std::string(text), &used);
        if (used != text.size() || v < lo || v > hi) return false;
        out = v;
        return true;
    } catch (...) {
        return false;
    }
}

const char* RoleWord(UnitRole r) {
    switch (r) {
    case UnitRole::Interface: return "interface";
    case UnitRole::Pci: return "pci";
    case UnitRole::Output: return "output";
    case UnitRole::Input: return "input";
    case UnitRole::Sensor: return "sensor";
    }
    return "output";
}

void PrintNetwork(const Network& net) {
    std::cout << "# ROLE ADDRESS TYPE [fw=VERSION] [volt=TEXT] [serial=BATCH-NUMBER] [APP:GROUPS[=LEVEL]] ...\n";
    for (const Unit& u : net.units) {
        std::cout << RoleWord(u.role) << ' ' << orvane::UpperHex2(u.Address()) << ' ' << u.Type() << " fw=" << u.firmware
                  << " volt=" << u.voltage << " serial=" << (u.serial >> 12) << '-' << (u.serial & 0xFFF);
        for (const auto& [app, groups] : u.groups)
            for (const auto& [g, level] : groups) std::cout << ' ' << orvane::UpperHex2(app) << ':' << orvane::UpperHex2(g) << '=' << orvane::UpperHex2(level);
        std::cout << '\n';
    }
}

int Fail(const std::string& message) {
    std::cerr << "orvane-sim: " << message << "\nTry 'orvane-sim --help'.\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    ServerOptions server;
    SimOptions sim;
    std::string networkFile;
    std::string version;
    int address = -1;
    bool printNetwork = false;

    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](int k = 1) -> const char* { return i + k < argc ? argv[i + k] : nullptr; };
        auto need = [&](int k) {
            if (i + k >= argc) return false;
            return true;
        };
        long n = 0;
        double d = 0;
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--tcp") {
            if (!need(1) || !ParseInt(value(), 0, 65535, n)) return Fail("--tcp needs a port number 0-65535");
            server.tcpPort = static_cast<int>(n);
            ++i;
        } else if (arg == "--pty") {
            if (!need(1) || std::string_view(value()).empty()) return Fail("--pty needs a path");
            server.ptyPath = value();
            ++i;
        } else if (arg == "--control") {
            if (!need(1) || !ParseInt(value(), 0, 65535, n)) return Fail("--control needs a port number 0-65535");
            server.controlPort = static_cast<int>(n);
            ++i;
        } else if (arg == "--stdin-control") {
            server.stdinControl = true;
        } else if (arg == "--network") {
            if (!need(1)) return Fail("--network needs a file");
            networkFile = value();
            ++i;
        } else if (arg == "--print-network") {
            printNetwork = true;
        } else if (arg == "--address") {
            std::string_view v = need(1) ? value() : "";
            std::string padded = v.size() == 1 ? "0" + std::string(v) : std::string(v);
            if (padded.size() != 2 || !orvane::IsHexText(padded)) return Fail("--address needs a unit address in hex, 00-FF");
            address = orvane::HexValue(padded);
            ++i;
        } else if (arg == "--version") {
            std::string_view v = need(1) ? value() : "";
            if (v.empty() || v.size() > 7) return Fail("--version needs a version text of 1 to 7 characters, such as 3.11");
            version = v;
            ++i;
        } else if (arg == "--no-lf") {
            sim.lineFeed = false;
        } else if (arg == "--serial-rate") {
            if (!need(1) || !ParseInt(value(), 0, 9600, n) || (n != 1200 && n != 2400 && n != 4800 && n != 9600))
                return Fail("--serial-rate needs 1200, 2400, 4800 or 9600");
            sim.serialRate = static_cast<int>(n);
            ++i;
        } else if (arg == "--traffic") {
            if (!need(1) || !ParseDouble(value(), 0, 100000, d)) return Fail("--traffic needs a rate 0-100000 messages a second");
            sim.trafficRate = d;
            ++i;
        } else if (arg == "--seed") {
            if (!need(1) || !ParseInt(value(), 0, 4294967295L, n)) return Fail("--seed needs a number");
            sim.seed = static_cast<std::uint32_t>(n);
            ++i;
        } else if (arg == "--baud") {
            if (!need(1) || !ParseInt(value(), 50, 10000000, n)) return Fail("--baud needs a rate in bit/s, such as 9600");
            server.baud = static_cast<int>(n);
            ++i;
        } else if (arg == "--drip") {
            server.drip = true;
        } else if (arg == "--silent") {
            server.silent = true;
        } else if (arg == "--nack" || arg == "--garble" || arg == "--noclock") {
            // applied after the model exists
        } else if (arg == "--corrupt-every") {
            if (!need(1) || !ParseInt(value(), 0, 1000000, n)) return Fail("--corrupt-every needs a count");
            sim.corruptEvery = static_cast<int>(n);
            ++i;
        } else if (arg == "--flood") {
            double s = 0;
            if (!need(2) || !ParseDouble(value(1), 0, 100000, d) || !ParseDouble(value(2), 0, 86400, s))
                return Fail("--flood needs RATE SECONDS");
            server.floodRate = d;
            server.floodSeconds = s;
            i += 2;
        } else if (arg == "--drop-after") {
            if (!need(1) || !ParseDouble(value(), 0.001, 86400, d)) return Fail("--drop-after needs SECONDS");
            server.dropAfter = d;
            ++i;
        } else {
            return Fail("unknown option '" + arg + "'");
        }
    }

    Network network;
    if (!networkFile.empty()) {
        std::ifstream in(networkFile, std::ios::binary);
        if (!in) {
            std::cerr << "orvane-sim: cannot read " << networkFile << "\n";
            return 2;
        }
        std::ostringstream text;
        text << in.rdbuf();
        if (text.str().size() > (1 << 20)) {
            std::cerr << "orvane-sim: " << networkFile << ": file too large for a network description\n";
            return 2;
        }
        NetworkParseResult parsed = ParseNetwork(text.str());
        if (!parsed.ok) {
            std::cerr << "orvane-sim: " << networkFile << ":" << parsed.line << ": " << parsed.message << "\n";
            return 2;
        }
        network = std::move(parsed.network);
    } else {
        network = DefaultNetwork(address >= 0 ? address : 0xFE);
    }
    Unit& pci = network.units[static_cast<std::size_t>(network.InterfaceIndex())];
    if (address >= 0) pci.params[kParamUnitAddress] = static_cast<std::uint8_t>(address);
    if (!version.empty()) pci.firmware = version;

    if (printNetwork) {
        PrintNetwork(network);
        return 0;
    }
    if (server.tcpPort < 0 && server.ptyPath.empty()) return Fail("give a link: --tcp PORT and/or --pty PATH");

    SimInterface model(std::move(network), sim);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--nack") model.SetNoAcknowledge(true);
        if (arg == "--garble") model.SetCorruptedTransmission(true);
        if (arg == "--noclock") model.SetNoClock(true);
    }
    SimServer srv(model, server);
    if (!srv.Open()) return 1;
    return srv.Run();
}
