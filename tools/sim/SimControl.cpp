#include "SimControl.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

#include "decode/Hex.h"

namespace orvane::sim {

namespace {

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    for (char c : line) {
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

std::optional<double> Number(const std::string& text) {
    if (text.empty() || text.size() > 12) return std::nullopt;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.') return std::nullopt;
    try {
        std::size_t used = 0;
        double v = std::stod(text, &used);
        if (used != text.size()) return std::nullopt;
        return v;
    } catch (...) {
        return std::nullopt;
    }
}

std::string Trimmed(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::optional<bool> OnOff(const std::vector<std::string>& w) {
    if (w.size() != 2) return std::nullopt;
    if (w[1] == "on") return true;
    if (w[1] == "off") return false;
    return std::nullopt;
}

const char* Flag(bool on) { return on ? "on" : "off"; }

}  // namespace

std::string RunControlCommand(std::string_view line, ControlHost& host, double now) {
    const auto w = Words(line);
    if (w.empty()) return "error empty command\n";
    const std::string& cmd = w[0];
    SimInterface& model = host.Model();
    auto usage = [](const char* text) { return std::string("error usage: ") + text + "\n"; };

    if (cmd == "help") {
        return "ok commands: drop corrupt silent speak drip nack garble noclock flood traffic corrupt-every "
               "groups received clear status quit\n";
    }
    if (cmd == "drop") {
        if (w.size() != 1) return usage("drop");
        return host.DropClient() ? "ok drop\n" : "error no client\n";
    }
    if (cmd == "corrupt") {
        if (w.size() != 1) return usage("corrupt");
        host.SendToClient(model.CorruptLine());
        return "ok corrupt\n";
    }
    if (cmd == "silent" || cmd == "speak") {
        if (w.size() != 1) return usage(cmd == "silent" ? "silent" : "speak");
        host.SetSilent(cmd == "silent");
        return "ok " + cmd + "\n";
    }
    if (cmd == "drip" || cmd == "nack" || cmd == "garble" || cmd == "noclock") {
        auto on = OnOff(w);
        if (!on) return usage((cmd + " on|off").c_str());
        if (cmd == "drip") host.SetDrip(*on);
        else if (cmd == "nack") model.SetNoAcknowledge(*on);
        else if (cmd == "garble") model.SetCorruptedTransmission(*on);
        else model.SetNoClock(*on);
        return "ok " + cmd + " " + Flag(*on) + "\n";
    }
    if (cmd == "flood") {
        if (w.size() != 3) return usage("flood RATE SECONDS");
        auto rate = Number(w[1]);
        auto seconds = Number(w[2]);
        if (!rate || !seconds || *rate > 100000 || *seconds > 86400) return usage("flood RATE SECONDS");
        model.StartFlood(*rate, *seconds, now);
        return "ok flood " + Trimmed(*rate) + " " + Trimmed(*seconds) + "\n";
    }
    if (cmd == "traffic") {
        if (w.size() != 2) return usage("traffic RATE");
        auto rate = Number(w[1]);
        if (!rate || *rate > 100000) return usage("traffic RATE");
        model.SetTrafficRate(*rate);
        return "ok traffic " + Trimmed(*rate) + "\n";
    }
    if (cmd == "corrupt-every") {
        if (w.size() != 2) return usage("corrupt-every N");
        auto n = Number(w[1]);
        if (!n || *n != static_cast<double>(static_cast<int>(*n)) || *n > 1000000) return usage("corrupt-every N");
        model.SetCorruptEvery(static_cast<int>(*n));
        return "ok corrupt-every " + std::to_string(static_cast<int>(*n)) + "\n";
    }
    if (cmd == "groups") {
        if (w.size() != 2 || w[1].size() > 2 || !IsHexText(w[1].size() == 1 ? "0" + w[1] : w[1])) return usage("groups APP (hex)");
        return "groups " + model.GroupsReport(HexValue(w[1])) + "\n";
    }
    if (cmd == "received") {
        if (w.size() != 1) return usage("received");
        const auto& lines = model.ReceivedLines();
        std::string out = "received " + std::to_string(lines.size()) + "\n";
        for (const auto& l : lines) out += l + "\n";
        return out;
    }
    if (cmd == "clear") {
        if (w.size() != 1) return usage("clear");
        model.ClearReceivedLines();
        return "ok clear\n";
    }
    if (cmd == "status") {
        if (w.size() != 1) return usage("status");
        const Unit& pci = model.network().units[static_cast<std::size_t>(model.network().InterfaceIndex())];
        std::string out = "status options1=" + UpperHex2(model.Options1());
        out += std::string(" allmonitor=") + Flag(model.AllMonitor());
        out += std::string(" silent=") + Flag(host.Silent());
        out += std::string(" drip=") + Flag(host.Drip());
        out += std::string(" nack=") + Flag(model.NoAcknowledge());
        out += std::string(" garble=") + Flag(model.CorruptedTransmission());
        out += std::string(" noclock=") + Flag(model.NoClock());
        out += " traffic=" + Trimmed(model.TrafficRate());
        out += std::string(" flood=") + Flag(model.Flooding(now));
        out += " rate=" + std::to_string(model.SerialRate());
        out += " address=" + UpperHex2(model.InterfaceAddress());
        out += " version=" + pci.firmware;
        out += " clients=" + host.Clients();
        return out + "\n";
    }
    if (cmd == "quit") {
        host.Quit();
        return "ok quit\n";
    }
    std::string shown;
    for (char c : cmd.substr(0, 32)) shown += (c >= 32 && c < 127) ? c : '?';
    return "error unknown command '" + shown + "'\n";
}

}  // namespace orvane::sim
