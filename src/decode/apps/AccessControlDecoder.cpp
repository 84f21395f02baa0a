// Access control (application 0xD5): close and lock requests to an access
// point, the activity reports of door controllers, and the results of
// identification requests.
#include "decode/apps/AppDecoders.h"

namespace orvane {
namespace {

// True when data byte k of the command lies inside the message. Request
// commands whose length bits announce fewer than three data bytes still
// have their network, point and direction read at the fixed places, which
// may then belong to the next command or the checksum; a field that lies
// beyond the end of the message is left out of the phrase.
bool InMessage(const DecodeContext& ctx, int k) {
    return ctx.CommandPosition + k <= ctx.MessageByteCount;
}

// ", Network N" and ", Access Point P", each marked when it holds the
// "all" value that this command cannot address.
void AppendNetworkAndPoint(const DecodeContext& ctx, std::string& out) {
    if (!InMessage(ctx, 1)) return;
    const int network = ctx.Data(1);
    out += ", Network " + ctx.Num(network);
    if (network == 0xFF) out += " (INVALID)";
    if (!InMessage(ctx, 2)) return;
    const int point = ctx.Data(2);
    out += ", Access Point " + ctx.Num(point);
    if (point == 0xFF) out += " (INVALID)";
}

const char* ActivityName(int command) {
    switch (command) {
        case 0x12: return "Point Left Open";
        case 0x1A: return "Point Forced Open";
        case 0x22: return "Point Closed";
        case 0x32: return "Request to Exit";
        default: return nullptr;
    }
}

}  // namespace

std::string DecodeAccessControlCommand(DecodeContext& ctx) {
    const int command = ctx.CommandByte;
    std::string out = "Access: ";

    if (command == 0x02 || command == 0x0A) {
        out += command == 0x02 ? "Close Point" : "Lock Point";
        const int network = ctx.Data(1);
        const int point = ctx.Data(2);
        if (network == 0xFF)
            out += ", All Networks";
        else
            out += ", Network " + ctx.Num(network);
        if (point == 0xFF) {
            out += ", All Access Points";
        } else {
            out += ", Access Point " + ctx.Num(point);
            if (network == 0xFF) out += " (INVALID)";
        }
        return out;
    }

    if (const char* name = ActivityName(command)) {
        out += name;
        AppendNetworkAndPoint(ctx, out);
        return out;
    }

    const int top = command & 0xE0;
    if (top == 0xA0 || top == 0xC0) {
        out += top == 0xA0 ? "Valid Request" : "Invalid Request";
        AppendNetworkAndPoint(ctx, out);
        if (InMessage(ctx, 3)) {
            const int direction = ctx.Data(3);
            if (direction == 1)
                out += ", Direction: In";
            else if (direction == 2)
                out += ", Direction: Out";
        }
        const int idBytes = (command & 0x1F) - 3;
        if (idBytes > 0) {
            out += ", ID = ";
            for (int k = 4; k < 4 + idBytes && ctx.HasData(k); ++k) out += UpperHex2(ctx.Data(k));
        }
        return out;
    }

    return out + "Unknown";
}

}  // namespace orvane
