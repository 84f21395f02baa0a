// Which application numbers reach which decoder. Adding an application
// decoder means adding its row here; the dispatcher does not change.
#include <array>

#include "decode/Decoder.h"
#include "decode/apps/AppDecoders.h"

namespace orvane {
namespace {

constexpr std::array<AppDecoder, 256> BuildTable() {
    std::array<AppDecoder, 256> t{};
    t[0x19] = DecodeTemperatureBroadcastCommand;
    t[0x26] = DecodeLightingCommand;
    for (int a = 0x30; a <= 0x7F; ++a) t[a] = DecodeLightingCommand;
    t[0x88] = DecodeLightingCommand;
    t[0xAC] = DecodeHvacCommand;
    t[0xAD] = DecodeShortInformationCommand;
    t[0xC0] = DecodeMediaTransportCommand;
    t[0xC9] = DecodeSceneCommand;
    t[0xCA] = DecodeControlCommand;
    t[0xCB] = DecodeControlCommand;
    t[0xCD] = DecodeAudioCommand;
    t[0xCE] = DecodeErrorReportCommand;
    t[0xD0] = DecodeSecurityCommand;
    t[0xD5] = DecodeAccessControlCommand;
    t[0xDF] = DecodeClockCommand;
    t[0xE0] = DecodeTelephonyCommand;
    t[0xE4] = DecodeMeasurementCommand;
    t[0xFF] = DecodeNetworkControlCommand;
    return t;
}

constexpr std::array<AppDecoder, 256> kTable = BuildTable();

}  // namespace

AppDecoder AppDecoderFor(int application) {
    return (application >= 0 && application <= 255) ? kTable[application] : nullptr;
}

}  // namespace orvane
