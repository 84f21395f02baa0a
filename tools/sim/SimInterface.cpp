#include "SimInterface.h"

#include <algorithm>
#include <set>

#include "decode/Hex.h"

namespace orvane::sim {

namespace {

bool IsLightingApplication(int app) { return app == 0x26 || (app >= 0x30 && app <= 0x7F) || app == 0x88; }

Bytes ParseHex(std::string_view text) {
    Bytes bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(HexValue(text.substr(i, 2))));
    return bytes;
}

std::uint8_t Checksum(const Bytes& bytes) {
    unsigned sum = 0;
    for (auto b : bytes) sum += b;
    return static_cast<std::uint8_t>((0x100 - (sum & 0xFF)) & 0xFF);
}

// Major and minor read as hex digits: "4.10.00" gives 0x410.
int VersionNumber(std::string_view text) {
    auto dot = text.find('.');
    if (dot == std::string_view::npos) return HexValue(text) * 256;
    std::string_view rest = text.substr(dot + 1);
    auto dot2 = rest.find('.');
    return HexValue(text.substr(0, dot)) * 256 + HexValue(rest.substr(0, dot2));
}

void AppendText(Bytes& bytes, std::string_view text, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) bytes.push_back(static_cast<std::uint8_t>(i < text.size() ? text[i] : ' '));
}

// Each bit of the nibble, most significant first, as two bits: 1 -> 01, 0 -> 10.
int LevelNibbleCode(int nibble) {
    int code = 0;
    for (int bit = 3; bit >= 0; --bit) code = (code << 2) | (((nibble >> bit) & 1) ? 0x1 : 0x2);
    return code;
}

// The number of data bytes of one SAL command.
std::size_t SalCommandLength(int app, int cmd) {
    if ((cmd & 0x80) == 0 || (app == 0xFF && cmd == 0xFA)) return static_cast<std::size_t>(cmd & 0x07);
    return static_cast<std::size_t>(cmd & 0x1F);
}

std::string RenderRaw(const std::string& raw) {
    std::string text;
    for (unsigned char c : raw) {
        if (c >= 32 && c < 127) text += static_cast<char>(c);
        else text += "<" + std::to_string(static_cast<int>(c)) + ">";
    }
    return text;
}

}  // namespace

SimInterface::SimInterface(Network network, SimOptions options)
    : network_(std::move(network)), options_(options), rng_(options.seed), serialRate_(options.serialRate) {
    if (network_.InterfaceIndex() < 0) {
        Unit pci = MakeUnit(UnitRole::Interface, 0xFE, "PC_INT");
        pci.firmware = "4.10.00";
        network_.units.insert(network_.units.begin(), std::move(pci));
    }
    // Options 1 start from their power-up copy.
    Pci().params[kParamOptions1] = Pci().params[kParamPowerUpOptions1];
}

Unit& SimInterface::Pci() { return network_.units[static_cast<std::size_t>(network_.InterfaceIndex())]; }
const Unit& SimInterface::Pci() const { return network_.units[static_cast<std::size_t>(network_.InterfaceIndex())]; }
int SimInterface::Options1() const { return Pci().params[kParamOptions1]; }
int SimInterface::InterfaceAddress() const { return Pci().Address(); }

std::string SimInterface::LineText(const Bytes& bytes) const {
    std::string text;
    text.reserve(bytes.size() * 2 + 4);
    for (auto b : bytes) text += UpperHex2(b);
    text += UpperHex2(Checksum(bytes));
    text += EndOfLine();
    return text;
}

void SimInterface::ResetToBasic() {
    Pci().params[kParamOptions1] = 0;
    destination_.clear();
    line_.clear();
    overflow_ = false;
}

std::string SimInterface::Receive(std::string_view bytes, double now) {
    (void)now;
    std::string out;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (!Understood()) continue;  // at the wrong data rate every character is garbage

        if (c == '\r') {
            if (!rawLine_.empty()) {
                received_.push_back(RenderRaw(rawLine_));
                if (received_.size() > kMaxReceivedLines) received_.pop_front();
            }
            rawLine_.clear();
        } else if (rawLine_.size() < kMaxLineLength) {
            rawLine_ += static_cast<char>(c);
        }

        if (c == '~') {
            ResetToBasic();
            out += '~';  // basic mode again: the reset character is echoed
            continue;
        }
        if (c == '|') {
            Pci().params[kParamOptions1] = static_cast<std::uint8_t>(Options1() | kOptSmart | kOptConnect);
            line_.clear();
            overflow_ = false;
            continue;
        }
        if ((Options1() & kOptSmart) == 0) {
            out += static_cast<char>(c);
            if (c == '\r' && options_.lineFeed) out += '\n';
        }
        if (c == '\r') {
            std::string line;
            line.swap(line_);
            if (overflow_) {
                overflow_ = false;
                out += '!';  // the line did not fit: buffers full
            } else {
                out += ProcessLine(line);
            }
            continue;
        }
        if (c < 0x20 || c >= 0x7F) continue;
        if (overflow_) continue;
        if (line_.size() >= kMaxLineLength) {
            line_.clear();
            line_.shrink_to_fit();
            overflow_ = true;
            continue;
        }
        line_ += static_cast<char>(c);
    }
    return out;
}

char SimInterface::BusResult() const {
    if (noClock_) return '%';
    if (garble_) return '$';
    if (noAck_) return '#';
    return '.';
}

std::string SimInterface::ProcessLine(const std::string& text) {
    std::string line = text;
    if (line.empty()) return {};
    char ack = 0;
    if (line.back() >= 'g' && line.back() <= 'z') {
        ack = line.back();
        line.pop_back();
    }
    char prefix = 0;
    if (!line.empty() && (line[0] == '\\' || line[0] == '@')) {
        prefix = line[0];
        line.erase(0, 1);
    }
    // Commands to the interface itself came with firmware 4.0.
    if (prefix == '@' && VersionNumber(Pci().firmware) < 0x400) return {};
    if (!IsHexText(line)) return {};
    Bytes bytes = ParseHex(line);
    if (Options1() & kOptChecksum) {
        unsigned sum = 0;
        for (auto b : bytes) sum += b;
        if ((sum & 0xFF) != 0) return "!";
        bytes.pop_back();
        if (bytes.empty()) return {};
    }

    char result = 0;
    std::string replies;
    auto unreachable = [&] {
        // No bridge leads to another network: nobody acknowledges.
        char r = BusResult();
        result = r == '.' ? '#' : r;
    };
    auto calToUnit = [&](int address, const Bytes& data) {
        result = BusResult();
        if (result != '.') return;
        auto units = network_.UnitsAt(address);
        if (units.empty()) {
            result = '#';
            return;
        }
        Bytes reply = UnitReply(*units.front(), data, false);
        if (!reply.empty()) replies = FormatReply(*units.front(), reply);
    };
    auto calToLocal = [&](const Bytes& data) {
        result = '.';
        Bytes reply = UnitReply(Pci(), data, true);
        if (!reply.empty()) replies = FormatReply(Pci(), reply);
    };

    if (prefix == '@') {
        calToLocal(bytes);
    } else if (prefix == 0) {
        // Without a prefix a command continues the last point-to-point destination.
        if (destination_.empty()) calToLocal(bytes);
        else if (destination_.size() > 1 && destination_[1] != 0) unreachable();
        else calToUnit(destination_[0], bytes);
    } else {
        switch (bytes[0]) {
        case 0x05:
            if (bytes.size() < 3) return {};
            if (bytes[2] != 0) unreachable();
            else {
                result = BusResult();
                if (result == '.') replies = HandleSal(bytes);
            }
            break;
        case 0x03:
            if (bytes.size() < 3) return {};
            unreachable();
            break;
        case 0x06: {
            if (bytes.size() < 3) return {};
            const int route = bytes[2];
            if (route != 0) {
                const std::size_t n = static_cast<std::size_t>(route / 9);
                const std::size_t end = std::min(bytes.size(), 3 + n);
                destination_.assign(bytes.begin() + 1, bytes.begin() + static_cast<std::ptrdiff_t>(end));
                unreachable();
                break;
            }
            Bytes data(bytes.begin() + 3, bytes.end());
            if (bytes[1] == InterfaceAddress()) {
                destination_.clear();
                calToLocal(data);
            } else {
                destination_ = {bytes[1], 0};
                calToUnit(bytes[1], data);
            }
            break;
        }
        default:
            return {};
        }
    }
    std::string out;
    if (ack) {
        out += ack;
        out += result;
    }
    out += replies;
    return out;
}

Bytes SimInterface::UnitReply(Unit& unit, const Bytes& data, bool local) {
    if (data.empty()) return {};
    auto arg = [&](std::size_t i) { return i < data.size() ? static_cast<int>(data[i]) : -1; };
    const int cmd = data[0];
    Bytes reply;
    if (cmd == 0x1A || cmd == 0x2A) {
        // Recall parameters (1A) or read RAM (2A): 8x, first address, x-1 values.
        const int first = arg(1);
        int count = arg(2);
        if (first < 0 || count < 1 || count > 14) return {};
        count = std::min(count, 256 - first);
        reply.push_back(static_cast<std::uint8_t>(0x81 + count));
        reply.push_back(static_cast<std::uint8_t>(first));
        const auto& memory = cmd == 0x1A ? unit.params : unit.ram;
        for (int i = 0; i < count; ++i) reply.push_back(memory[static_cast<std::size_t>(first + i)]);
        return reply;
    }
    if (cmd == 0x11) {
        // Recall, unlock, store: the current value of one parameter.
        const int p = arg(1);
        if (p < 0) return {};
        return {0x82, static_cast<std::uint8_t>(p), unit.params[static_cast<std::size_t>(p)]};
    }
    if (cmd == 0x21) {
        switch (arg(1)) {
        case 0x00:
            reply = {0x89, 0x00};
            AppendText(reply, "VELDANE", 8);
            return reply;
        case 0x01:
            reply = {0x89, 0x01};
            AppendText(reply, unit.Type(), 8);
            return reply;
        case 0x02:
            reply = {0x89, 0x02};
            AppendText(reply, unit.firmware, 8);
            return reply;
        case 0x04:
            // Five bytes of hardware revision, the serial number, three spare.
            reply = {0x8D, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00};
            for (int shift = 24; shift >= 0; shift -= 8) reply.push_back(static_cast<std::uint8_t>((unit.serial >> shift) & 0xFF));
            reply.insert(reply.end(), {0x00, 0x00, 0x00});
            return reply;
        case 0x07:
            reply = {0x86, 0x07};
            AppendText(reply, unit.voltage, 5);
            return reply;
        default:
            return {};
        }
    }
    if (cmd >= 0xA3 && cmd <= 0xBF) {
        // Write n consecutive parameters: A2+n, first, 00, n values.
        const int n = cmd - 0xA2;
        const int first = arg(1);
        if (first < 0 || data.size() < static_cast<std::size_t>(3 + n)) return {};
        const int count = std::min(n, 256 - first);
        for (int i = 0; i < count; ++i)
            unit.params[static_cast<std::size_t>(first + i)] = data[static_cast<std::size_t>(3 + i)];
        AfterParameterWrite(unit, first, count, local);
        return {0x32, static_cast<std::uint8_t>(first), 0x00};
    }
    return {};
}

void SimInterface::AfterParameterWrite(Unit& unit, int first, int count, bool local) {
    if (!local) return;
    auto covers = [&](int p) { return p >= first && p < first + count; };
    if (covers(kParamAllMonitor) && unit.params[kParamAllMonitor] == 0x48)
        unit.params[kParamOptions1] = static_cast<std::uint8_t>(unit.params[kParamOptions1] | kOptAllMonitor | kOptSmart | kOptIdmon);
    if (covers(kParamSerialRate)) {
        switch (unit.params[kParamSerialRate]) {
        case 0xFF: serialRate_ = 9600; break;
        case 0xFE: serialRate_ = 4800; break;
        case 0xFD: serialRate_ = 2400; break;
        case 0xFC: serialRate_ = 1200; break;
        default: break;
        }
    }
}

std::string SimInterface::FormatReply(const Unit& from, const Bytes& data) const {
    Bytes line;
    const int o = Options1();
    const bool local = &from == &Pci();
    if ((o & kOptSmart) && ((o & kOptIdmon) || !local)) {
        line = {0x86, static_cast<std::uint8_t>(from.Address()), static_cast<std::uint8_t>(InterfaceAddress()), 0x00};
    }
    line.insert(line.end(), data.begin(), data.end());
    return LineText(line);
}

std::string SimInterface::HandleSal(const Bytes& bytes) {
    const int app = bytes[1];
    Bytes commands(bytes.begin() + 3, bytes.end());
    std::string out;
    if (app == 0xFF) {
        std::size_t i = 0;
        while (i < commands.size()) {
            const int cmd = commands[i];
            const std::size_t len = SalCommandLength(app, cmd);
            if (i + 1 + len > commands.size()) break;
            if (cmd == 0x7A) out += Mmi(commands[i + 1], commands[i + 2], false);
            if (cmd == 0x73 && commands[i + 1] == 0x07) out += Mmi(commands[i + 2], commands[i + 3], true);
            if (cmd == 0x73 && commands[i + 1] == 0x00) out += Mmi(commands[i + 2], commands[i + 3], false);
            i += 1 + len;
        }
    } else if (IsLightingApplication(app)) {
        ApplyLighting(app, commands);
    }
    return out;
}

void SimInterface::ApplyLighting(int app, const Bytes& commands) {
    std::size_t i = 0;
    while (i < commands.size()) {
        const int cmd = commands[i];
        const std::size_t len = SalCommandLength(app, cmd);
        if (i + 1 + len > commands.size()) break;
        int level = -1;
        if (cmd == 0x01 && len >= 1) level = 0;
        else if (cmd == 0x79 && len >= 1) level = 255;
        else if ((cmd & 0x87) == 0x02 && len >= 2) level = commands[i + 2];
        if (level >= 0) {
            const int group = commands[i + 1];
            for (Unit& u : network_.units) {
                if (u.role != UnitRole::Output) continue;
                auto a = u.groups.find(app);
                if (a == u.groups.end()) continue;
                auto g = a->second.find(group);
                if (g != a->second.end()) g->second = level;  // ramps arrive at once
            }
        }
        i += 1 + len;
    }
}

int SimInterface::InstallationBits(int address) const {
    const auto n = network_.UnitsAt(address).size();
    return n == 0 ? 0 : n == 1 ? 1 : 3;
}

int SimInterface::GroupStatusBits(int app, int group) const {
    // Every unit drives its bits onto the bus: on 01, off 10; both at once read 11.
    int bits = 0;
    for (const Unit& u : network_.units) {
        if (u.role != UnitRole::Output) continue;
        auto a = u.groups.find(app);
        if (a == u.groups.end()) continue;
        auto g = a->second.find(group);
        if (g != a->second.end()) bits |= g->second > 0 ? 0x1 : 0x2;
    }
    return bits;
}

std::string SimInterface::Mmi(int app, int start, bool level) {
    if (AllMonitor()) {
        // On the bus the MMI is answered unit by unit; all-monitor mode shows
        // each unit's status report.
        std::string out;
        for (const Unit& u : network_.units) {
            Bytes frame = {0x05, static_cast<std::uint8_t>(u.Address()), static_cast<std::uint8_t>(app), kStatusReportMarker};
            if (app == 0xFF) {
                frame.push_back(0x01);
            } else {
                auto a = u.groups.find(app);
                if (u.role != UnitRole::Output || a == u.groups.end() || a->second.empty()) continue;
                const int first = a->second.begin()->first & ~3;
                frame.push_back(static_cast<std::uint8_t>(first));
                for (int j = 0; j < 4; ++j) {
                    int byte = 0;
                    for (int k = 0; k < 4; ++k) {
                        auto g = a->second.find(first + 4 * j + k);
                        if (g != a->second.end()) byte |= (g->second > 0 ? 1 : 2) << (2 * k);
                    }
                    frame.push_back(static_cast<std::uint8_t>(byte));
                }
            }
            frame.push_back(Checksum(frame));
            frame.push_back(kFrameSalIntact);
            std::string text;
            for (auto b : frame) text += UpperHex2(b);
            out += text + EndOfLine();
        }
        return out;
    }
    if (level) return LevelMmi(app, start);
    return StatusMmi(app, start, (Pci().params[kParamOptions3] & kOpt3ExStat) != 0);
}

std::string SimInterface::StatusMmi(int app, int start, bool extended) const {
    // Blocks of 64 addresses in address order; the last one reaches 255.
    std::string out;
    for (int s = start; s <= 255; s += 64) {
        const int count = std::min(64, 256 - s);
        const int n = (count + 3) / 4;
        Bytes line;
        if (extended) line = {static_cast<std::uint8_t>(0xE3 + n), 0x00, static_cast<std::uint8_t>(app), static_cast<std::uint8_t>(s)};
        else line = {static_cast<std::uint8_t>(0xC2 + n), static_cast<std::uint8_t>(app), static_cast<std::uint8_t>(s)};
        for (int j = 0; j < n; ++j) {
            int byte = 0;
            for (int k = 0; k < 4; ++k) {
                const int address = s + 4 * j + k;
                if (address > 255) break;
                const int bits = app == 0xFF ? InstallationBits(address) : GroupStatusBits(app, address);
                byte |= bits << (2 * k);
            }
            line.push_back(static_cast<std::uint8_t>(byte));
        }
        out += LineText(line);
    }
    return out;
}

std::string SimInterface::LevelMmi(int app, int start) const {
    // The 32 groups from start, eight levels a line, each level as two
    // nibble codes (low first). Units that disagree overlay their codes,
    // which leaves a code that is not valid.
    std::string out;
    const int end = std::min(start + 32, 256);
    for (int g0 = start; g0 < end; g0 += 8) {
        const int m = std::min(8, end - g0);
        Bytes line = {static_cast<std::uint8_t>(0xE3 + 2 * m), 0x07, static_cast<std::uint8_t>(app), static_cast<std::uint8_t>(g0)};
        for (int g = g0; g < g0 + m; ++g) {
            int lo = 0, hi = 0;
            for (const Unit& u : network_.units) {
                if (u.role != UnitRole::Output) continue;
                auto a = u.groups.find(app);
                if (a == u.groups.end()) continue;
                auto it = a->second.find(g);
                if (it == a->second.end()) continue;
                lo |= LevelNibbleCode(it->second & 0x0F);
                hi |= LevelNibbleCode((it->second >> 4) & 0x0F);
            }
            line.push_back(static_cast<std::uint8_t>(lo));
            line.push_back(static_cast<std::uint8_t>(hi));
        }
        out += LineText(line);
    }
    return out;
}

bool SimInterface::Reports(int app) const {
    const int o = Options1();
    if (o & kOptAllMonitor) return true;
    if ((o & kOptConnect) == 0) return false;
    if (o & kOptMonitor) return true;
    const int m1 = Pci().params[kParamMonitoredApp1];
    const int m2 = Pci().params[kParamMonitoredApp2];
    if (m1 == 0xFF && m2 == 0xFF) return true;
    return app == m1 || app == m2;
}

std::string SimInterface::MonitoredLine(const BusMessage& msg, bool damage) {
    const int o = Options1();
    Bytes frame;
    int status = kFrameSalIntact;
    if (!msg.sal) {
        frame = {0x06, static_cast<std::uint8_t>(msg.source), static_cast<std::uint8_t>(msg.destination), 0x00};
        status = kFrameCalIntact;
    } else if ((o & kOptAllMonitor) || (o & kOptSmart)) {
        frame = {0x05, static_cast<std::uint8_t>(msg.source), static_cast<std::uint8_t>(msg.application), 0x00};
    } else {
        frame = {0x05, static_cast<std::uint8_t>(msg.source), static_cast<std::uint8_t>(msg.application)};
    }
    frame.insert(frame.end(), msg.data.begin(), msg.data.end());
    frame.push_back(Checksum(frame));
    if (damage) {
        // One bit flipped after the checksum was formed.
        frame[frame.size() - 2] ^= 0x01;
        status = kFrameDamaged;
    }
    if (o & kOptAllMonitor) frame.push_back(static_cast<std::uint8_t>(status));
    std::string text;
    for (auto b : frame) text += UpperHex2(b);
    return text + EndOfLine();
}

void SimInterface::StartFlood(double rate, double seconds, double now) {
    floodRate_ = rate > 0 ? rate : 0;
    floodEnd_ = now + (seconds > 0 ? seconds : 0);
    if (lastAdvance_ < 0) lastAdvance_ = now;
}

BusMessage SimInterface::NextTrafficMessage() {
    std::vector<const Unit*> inputs, sensors, outputs;
    for (const Unit& u : network_.units) {
        if (u.groups.empty()) continue;
        if (u.role == UnitRole::Input) inputs.push_back(&u);
        else if (u.role == UnitRole::Sensor) sensors.push_back(&u);
        else if (u.role == UnitRole::Output) outputs.push_back(&u);
    }
    auto pick = [&](int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); };
    auto randomGroup = [&](const Unit& u, int& app) {
        auto a = u.groups.begin();
        std::advance(a, pick(static_cast<int>(u.groups.size())));
        app = a->first;
        if (a->second.empty()) return 1;
        auto g = a->second.begin();
        std::advance(g, pick(static_cast<int>(a->second.size())));
        return g->first;
    };
    BusMessage msg;
    const int roll = pick(100);
    int kind = roll < 62 ? 0 : roll < 90 ? 1 : roll < 95 ? 2 : 3;
    if (kind == 1 && sensors.empty()) kind = 0;
    if ((kind == 2 || kind == 3) && outputs.empty()) kind = 0;
    if (kind == 0 && inputs.empty()) kind = !sensors.empty() ? 1 : !outputs.empty() ? 2 : -1;

    if (kind == 0) {
        const Unit& u = *inputs[static_cast<std::size_t>(pick(static_cast<int>(inputs.size())))];
        int app = 0;
        const int group = randomGroup(u, app);
        msg.source = u.Address();
        msg.application = app;
        switch (pick(3)) {
        case 0: msg.data = {0x79, static_cast<std::uint8_t>(group)}; break;
        case 1: msg.data = {0x01, static_cast<std::uint8_t>(group)}; break;
        default:
            msg.data = {static_cast<std::uint8_t>(0x02 + 8 * pick(16)), static_cast<std::uint8_t>(group), static_cast<std::uint8_t>(pick(256))};
            break;
        }
    } else if (kind == 1) {
        const Unit& u = *sensors[static_cast<std::size_t>(pick(static_cast<int>(sensors.size())))];
        int app = 0;
        const int group = randomGroup(u, app);
        msg.source = u.Address();
        msg.application = app;
        if (app == 0xAC) {
            // Zone temperature, 18 to 26 degrees in 1/256 degree.
            msg.data = {0x15, static_cast<std::uint8_t>(group), 0x01, static_cast<std::uint8_t>(18 + pick(9)), static_cast<std::uint8_t>(pick(256)), 0x00};
        } else if (app == 0xD0) {
            msg.data = {0x0A, static_cast<std::uint8_t>(pick(2) ? 0x86 : 0x87), static_cast<std::uint8_t>(group)};
        } else if (app == 0x19) {
            msg.data = {0x02, static_cast<std::uint8_t>(group), static_cast<std::uint8_t>(72 + pick(33))};
        } else {
            msg.data = {0x02, static_cast<std::uint8_t>(group), static_cast<std::uint8_t>(pick(256))};
        }
    } else if (kind == 2) {
        const Unit& u = *outputs[static_cast<std::size_t>(pick(static_cast<int>(outputs.size())))];
        msg.source = u.Address();
        msg.application = 0xCE;
        const std::uint8_t category = u.Type().rfind("RELAY", 0) == 0 ? 0xD4 : 0xDD;
        msg.data = {0x15, category, static_cast<std::uint8_t>(0x20 | (1 + pick(3))), static_cast<std::uint8_t>(u.Address()),
                    static_cast<std::uint8_t>(pick(256)), static_cast<std::uint8_t>(pick(256))};
    } else if (kind == 3 && pick(2) == 0) {
        // One unit asking another for its address: point-to-point traffic,
        // seen only in all-monitor mode.
        const Unit& u = *outputs[static_cast<std::size_t>(pick(static_cast<int>(outputs.size())))];
        const Unit& to = network_.units[static_cast<std::size_t>(pick(static_cast<int>(network_.units.size())))];
        msg.sal = false;
        msg.source = u.Address();
        msg.destination = to.Address();
        msg.data = {0x1A, kParamUnitAddress, 0x01};
    } else if (kind == 3) {
        const Unit& u = *outputs[static_cast<std::size_t>(pick(static_cast<int>(outputs.size())))];
        const auto& [app, groups] = *u.groups.begin();
        msg.statusReport = true;
        msg.source = u.Address();
        msg.application = app;
        const int first = groups.empty() ? 0 : groups.begin()->first & ~3;
        msg.data = {kStatusReportMarker, static_cast<std::uint8_t>(first)};
        for (int j = 0; j < 4; ++j) {
            int byte = 0;
            for (int k = 0; k < 4; ++k) {
                auto g = groups.find(first + 4 * j + k);
                if (g != groups.end()) byte |= (g->second > 0 ? 1 : 2) << (2 * k);
            }
            msg.data.push_back(static_cast<std::uint8_t>(byte));
        }
    } else {
        msg.source = InterfaceAddress();
        msg.application = 0x38;
        msg.data = {0x79, 0x01};
    }
    return msg;
}

std::string SimInterface::Advance(double now) {
    if (lastAdvance_ < 0) {
        lastAdvance_ = now;
        return {};
    }
    const double dt = now - lastAdvance_;
    if (dt <= 0) return {};
    const double from = lastAdvance_;
    lastAdvance_ = now;
    due_ += options_.trafficRate * dt;
    double flood = 0;
    if (floodRate_ > 0) {
        const double floodDt = std::min(now, floodEnd_) - from;
        if (floodDt > 0) due_ += floodRate_ * floodDt;
        flood = floodRate_;
        if (now >= floodEnd_) floodRate_ = 0;
    }
    // After a stall the bus does not catch up on more than a second.
    due_ = std::min(due_, options_.trafficRate + flood + 1.0);

    std::string out;
    while (due_ >= 1.0) {
        due_ -= 1.0;
        BusMessage msg = NextTrafficMessage();
        if (msg.sal && !msg.statusReport && IsLightingApplication(msg.application)) ApplyLighting(msg.application, msg.data);
        if (!Understood()) continue;
        if (!msg.sal) {
            if (AllMonitor()) out += MonitoredLine(msg, false);
            continue;
        }
        if (msg.statusReport) {
            if (!AllMonitor()) continue;
            // The marker stands where the route length would, as in an MMI answer.
            Bytes frame = {0x05, static_cast<std::uint8_t>(msg.source), static_cast<std::uint8_t>(msg.application)};
            frame.insert(frame.end(), msg.data.begin(), msg.data.end());
            frame.push_back(Checksum(frame));
            frame.push_back(kFrameSalIntact);
            std::string text;
            for (auto b : frame) text += UpperHex2(b);
            out += text + EndOfLine();
            continue;
        }
        if (!Reports(msg.application)) continue;
        ++monitoredCount_;
        const bool damage = options_.corruptEvery > 0 && monitoredCount_ % options_.corruptEvery == 0;
        out += MonitoredLine(msg, damage);
    }
    return out;
}

std::string SimInterface::CorruptLine() {
    BusMessage msg;
    for (int i = 0; i < 10; ++i) {
        msg = NextTrafficMessage();
        if (msg.sal && !msg.statusReport) break;
    }
    if (!msg.sal || msg.statusReport) {
        msg = BusMessage{};
        msg.source = InterfaceAddress();
        msg.application = 0x38;
        msg.data = {0x79, 0x01};
    }
    return MonitoredLine(msg, true);
}

std::string SimInterface::GroupsReport(int app) const {
    std::string out = UpperHex2(app);
    for (int g = 0; g < 256; ++g) {
        std::set<int> levels;
        for (const Unit& u : network_.units) {
            if (u.role != UnitRole::Output) continue;
            auto a = u.groups.find(app);
            if (a == u.groups.end()) continue;
            auto it = a->second.find(g);
            if (it != a->second.end()) levels.insert(it->second);
        }
        if (levels.empty()) continue;
        out += ' ' + UpperHex2(g) + '=';
        bool first = true;
        for (int l : levels) {
            if (!first) out += '/';
            out += UpperHex2(l);
            first = false;
        }
    }
    return out;
}

}  // namespace orvane::sim
