// The phrases the decoder gives for the commands of one application, sent
// as a local point-to-multipoint command and worded with options 0x18
// (command phrases only; CHECKSUM off, so the decoder adds the filler).
#pragma once

#include <string>
#include <string_view>

#include "decode/Decoder.h"
#include "decode/Hex.h"

inline std::string SentPhrase(int application, std::string_view commands, bool hex = false) {
    orvane::Decoder d;
    d.Format().hex = hex;
    return d.DecodeMessage("\\05" + orvane::UpperHex2(application) + "00" + std::string(commands),
                           orvane::DecodeShowData | orvane::DecodeSentCommand);
}
