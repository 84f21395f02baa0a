// Media transport (application 0xC0): play, stop, pause and resume,
// category/selection/track choice, shuffle and repeat, stepping, fast
// forward and rewind, source power, totals, status and enumeration requests,
// and the name packets of tracks, selections and categories. Every command
// carries its media link group in data byte 1.
#include <cstdint>
#include <string>

#include "decode/apps/AppDecoders.h"

namespace orvane {
namespace {

constexpr const char* kPrefix = "Transport: ";

// True when data byte k of the current command lies inside the message
// (possibly beyond the command itself, for a name packet that is too short).
bool InMessage(const DecodeContext& ctx, int k) {
    return ctx.CommandPosition + k >= 1 && ctx.CommandPosition + k <= ctx.MessageByteCount;
}

// Data bytes first..first+3, most significant first, as an unsigned value.
long long Value32(const DecodeContext& ctx, int first) {
    uint32_t v = 0;
    for (int k = first; k < first + 4; ++k) v = (v << 8) | static_cast<uint32_t>(ctx.Data(k) & 0xFF);
    return static_cast<long long>(v);
}

const char* SpeedText(int speed) {
    switch (speed) {
    case 0x00: return " Normal";
    case 0x02: return " 2x";
    case 0x04: return " 4x";
    case 0x06: return " 8x";
    case 0x08: return " 16x";
    case 0x0A: return " 32x";
    case 0x0C: return " 64x";
    default: return "reserved";
    }
}

const char* KindText(int kind) {
    switch (kind) {
    case 0x00: return "Categories, ";
    case 0x01: return "Selections, ";
    case 0x02: return "Tracks, ";
    default: return "Unknown-type, ";
    }
}

constexpr const char* kPositionText[8] = {
    " Current", " Next", " Next+1", " Reserved1", " Reserved2", " Prev", " Prev-1", " Enumerate",
};

std::string NameCommand(const DecodeContext& ctx, const char* what) {
    // The link group and the name flags sit at data 1 and 2 even when the
    // length bits announce fewer bytes; bytes beyond the message are never
    // taken for them.
    if (!InMessage(ctx, 2)) return std::string(kPrefix) + "Unknown";
    const int flags = ctx.Data(2);
    std::string s = std::string(kPrefix) + what + " Name on MLG " + ctx.Num(ctx.Data(1));
    if ((flags & 0x80) == 0) s += kPositionText[(flags >> 4) & 7];
    s += ", Packet " + std::to_string((flags & 3) + 1) + " of " + std::to_string(((flags >> 2) & 3) + 1);
    return s;
}

}  // namespace

std::string DecodeMediaTransportCommand(DecodeContext& ctx) {
    const int cmd = ctx.CommandByte & 0xFF;
    const std::string p = kPrefix;
    auto g = [&] { return ctx.Num(ctx.Data(1)); };
    const int d2 = ctx.Data(2);

    switch (cmd) {
    case 0x01: return p + "Stop " + g();
    case 0x0A:
        if (d2 == 0x00) return p + "Pause " + g();
        if (d2 == 0xFF) return p + "Resume " + g();
        return p + "Unknown 0A command";
    case 0x12: return p + "Set Category " + ctx.Num(d2) + " on " + g();
    case 0x1B: return p + "Set Selection " + ctx.Num(d2 * 256 + ctx.Data(3)) + " on " + g();
    case 0x25: return p + "Set Track " + ctx.Num(Value32(ctx, 2)) + " on " + g();
    case 0x2A:
        return p + "Shuffle " + (d2 == 0x00 ? " Off" : d2 == 0xFF ? " On" : " reserved") + " on " + g();
    case 0x32:
        return p + "Repeat " + (d2 == 0x00 ? " Off" : d2 == 0xFF ? " Tracks" : " Current") + " on " + g();
    case 0x3A: return p + (d2 != 0 ? "Next" : "Prev") + " Category on " + g();
    case 0x42: return p + (d2 != 0 ? "Next" : "Prev") + " Selection on " + g();
    case 0x4A: return p + (d2 != 0 ? "Next" : "Prev") + " Track on " + g();
    case 0x52: return p + "Forward " + SpeedText(d2) + " on " + g();
    case 0x5A: return p + "Rewind " + SpeedText(d2) + " on " + g();
    case 0x62: return p + "Source power " + g() + (d2 != 0 ? " On" : " Off");
    case 0x6D: return p + "Total Tracks " + ctx.Num(Value32(ctx, 2)) + " on " + g();
    case 0x71: return p + "Status Request for " + g();
    case 0x73: return p + "Enumerate " + KindText(d2) + "Start at " + ctx.Num(ctx.Data(3)) + " on " + g();
    case 0x74:
        return p + "Enumeration Size " + ctx.Num(ctx.Data(4)) + ", " + KindText(d2) + "Start at " +
               ctx.Num(ctx.Data(3)) + " on " + g();
    case 0x79: return p + "Play " + g();
    default: break;
    }

    switch (cmd & 0xE0) {
    case 0x80: return NameCommand(ctx, "Track");
    case 0xA0: return NameCommand(ctx, "Selection");
    case 0xC0: return NameCommand(ctx, "Category");
    default: return p + "Unknown";
    }
}

}  // namespace orvane
