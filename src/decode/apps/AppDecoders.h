// The application decoders. Each turns the command at CommandPosition of the
// decode context into one phrase. The table in AppDecoderTable.cpp says which
// application numbers reach which decoder.
#pragma once

#include <string>

#include "decode/Decoder.h"

namespace orvane {

std::string DecodeLightingCommand(DecodeContext& ctx);
std::string DecodeControlCommand(DecodeContext& ctx);
// The label part that follows the group address (used by lighting, control
// and audio).
std::string DecodeLabel(DecodeContext& ctx);
std::string LanguageName(int code);

std::string DecodeSceneCommand(DecodeContext& ctx);
std::string DecodeHvacCommand(DecodeContext& ctx);
std::string DecodeAudioCommand(DecodeContext& ctx);
std::string DecodeErrorReportCommand(DecodeContext& ctx);
std::string DecodeTemperatureBroadcastCommand(DecodeContext& ctx);
std::string DecodeSecurityCommand(DecodeContext& ctx);
std::string DecodeAccessControlCommand(DecodeContext& ctx);
std::string DecodeClockCommand(DecodeContext& ctx);
std::string DecodeTelephonyCommand(DecodeContext& ctx);
std::string DecodeMeasurementCommand(DecodeContext& ctx);
std::string DecodeMediaTransportCommand(DecodeContext& ctx);
std::string DecodeShortInformationCommand(DecodeContext& ctx);
std::string DecodeNetworkControlCommand(DecodeContext& ctx);

}  // namespace orvane
