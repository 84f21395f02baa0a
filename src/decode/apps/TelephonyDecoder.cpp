// Telephony (application 0xE0): the state of a telephone line interface and
// the requests of handsets and controllers. Telephone numbers travel as text,
// one character per byte.
#include "decode/apps/TelephonyText.h"

#include <algorithm>

#include "decode/apps/AppDecoders.h"

namespace orvane {

const char* OffHookKindText(int kind) {
    switch (kind) {
        case 0x01: return "Line Off Hook - Incoming Voice";
        case 0x02: return "Line Off Hook - Incoming Data";
        case 0x03: return "Line Off Hook - Incoming Other";
        case 0x10: return "Line Off Hook - Outgoing Voice";
        case 0x20: return "Line Off Hook - Outgoing Data";
        case 0x30: return "Line Off Hook - Outgoing Other";
        default: return "Unknown 02 cmd";
    }
}

const char* DialOutFailureText(int reason) {
    switch (reason) {
        case 1: return "Dial Out Failure - No Dial Tone";
        case 2: return "Dial Out Failure - No Answer";
        case 3: return "Dial Out Failure - No Valid Acknowledgement";
        case 4: return "Dial Out Failure - Number Unobtainable";
        case 5: return "Dial Out Failure - Number Busy";
        default: return "Unknown 0A03 cmd";
    }
}

namespace {

// The telephone number: count characters from data byte first on. The count
// comes from the low five bits of the command byte, which for a short command
// byte can reach past the command itself; the number stops at the command's
// last data byte, so the bytes of the next command and the checksum are never
// shown as digits. A count of zero or less gives none.
std::string NumberText(const DecodeContext& ctx, int first, int count) {
    count = std::min(count, ctx.CommandDataCount - first + 1);
    if (count <= 0) return {};
    return ctx.MessageCharsText(ctx.CommandPosition + first, count);
}

std::string ShortOnOff(int id) {
    switch (id) {
        case 0x01: return "Line On Hook";
        case 0x07: return "Internet Connection Request";
        case 0x82: return "Reject Incoming Call";
        case 0x84: return "Clear Diversion";
        default: return "Unknown 09 cmd";
    }
}

std::string ShortStatus(int id, int value) {
    switch (id) {
        case 0x03: return DialOutFailureText(value);
        case 0x04: return value == 1 ? "Dial In Failure - Stopped Ringing" : "Unknown 0A04 cmd";
        case 0x80:
            if (value == 0) return "Secondary Outlet Normal";
            if (value == 1) return "Secondary Outlet Isolated";
            return "Unknown 0A80 cmd";
        case 0x81:
            if (value == 1) return "Recall Last Outgoing Number";
            if (value == 2) return "Recall Last Incoming Number";
            return "Unknown 0A81 cmd";
        default: return {};
    }
}

}  // namespace

std::string DecodeTelephonyCommand(DecodeContext& ctx) {
    const int command = ctx.CommandByte;
    std::string out = "Tele: ";

    // Every command carries an identifier; one without any data byte has
    // nothing to word.
    if (!ctx.HasData(1)) return out + "Unknown cmd";
    const int id = ctx.Data(1);

    if (command == 0x09) return out + ShortOnOff(id);
    if (command == 0x0A) return out + ShortStatus(id, ctx.HasData(2) ? ctx.Data(2) : -1);

    const int length = command & 0x1F;
    switch (id) {
        case 0x02:
            return out + OffHookKindText(ctx.HasData(2) ? ctx.Data(2) : -1) + " " + NumberText(ctx, 3, length - 2);
        case 0x05: return out + "Ringing " + NumberText(ctx, 3, length - 2);
        case 0x06: return out + "Recall Last Number Response " + NumberText(ctx, 3, length - 2);
        case 0x83: return out + "Divert to " + NumberText(ctx, 2, length - 1);
        default: return out + "Unknown cmd";
    }
}

}  // namespace orvane
