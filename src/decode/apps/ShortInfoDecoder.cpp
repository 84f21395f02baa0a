// Short information (application 0xAD): information packets for display
// units. Each packet carries a packet byte (count and number), a flags byte
// (symbol, number, information type) and a piece of the payload; the first
// packet's payload starts with the number and the symbol when the flags
// announce them. The text itself is not shown.
#include <string>

#include "decode/apps/AppDecoders.h"

namespace orvane {
namespace {

// True when data byte k of the current command lies inside the message.
// A first packet too short for the fields its flags announce has them read
// from their fixed places, which may lie beyond the command but never
// beyond the message.
bool InMessage(const DecodeContext& ctx, int k) {
    return ctx.CommandPosition + k >= 1 && ctx.CommandPosition + k <= ctx.MessageByteCount;
}

// An unsigned 16-bit value in tenths, with one decimal: 123 reads 12.3.
std::string Tenths(int v) {
    return std::to_string(v / 10) + "." + std::to_string(v % 10);
}

}  // namespace

std::string DecodeShortInformationCommand(DecodeContext& ctx) {
    const int cmd = ctx.CommandByte & 0xFF;
    std::string s = "Info: ";
    if ((cmd & 0xE0) != 0x80 || !InMessage(ctx, 2)) return s + "Unknown";

    const int packet = ctx.Data(1);
    const int flags = ctx.Data(2);
    s += "Info_Type " + ctx.Num(flags & 0x3F) + ", Packet " + std::to_string((packet & 7) + 1) + " of " +
         std::to_string(((packet >> 3) & 7) + 1);

    if ((packet & 7) == 0) {
        int next = 3;
        if (flags & 0x40) {
            if (!InMessage(ctx, 4)) return s;
            s += ", Num=" + Tenths(ctx.Data(3) * 256 + ctx.Data(4));
            next = 5;
        }
        if ((flags & 0x80) && InMessage(ctx, next)) s += ", Symbol=" + std::to_string(ctx.Data(next));
    }
    return s;
}

}  // namespace orvane
