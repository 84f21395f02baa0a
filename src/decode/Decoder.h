// The message decoder: normalises any line of link traffic into one byte
// layout, words its header and routing, and hands each point-to-multipoint
// command to the decoder of its application.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "decode/Hex.h"
#include "interface/InterfaceState.h"

namespace orvane {

enum DecodeOption : int {
    DecodeShowUnit = 0x01,
    DecodeShowNetwork = 0x02,
    DecodeShowApplication = 0x04,
    DecodeShowData = 0x08,
    DecodeSentCommand = 0x10,
};

constexpr int kMaxMessageBytes = 200;

// Called by the lighting decoder for every lighting command while set:
// application, command byte, group address, level (-1 when the command
// carries none).
using LightingObserver = std::function<void(int app, int command, int group, int level)>;

// The decode context shared with the application decoders. Reads through
// Byte() and Data() never leave the message: outside it they give 0.
struct DecodeContext {
    std::array<uint8_t, kMaxMessageBytes + 1> MessageBytes{};  // positions 1..200
    int MessageByteCount = 0;
    std::string DecodedText;
    int CommandPosition = 0;
    int CommandByte = 0;
    int CommandDataCount = 0;  // data bytes of the command being worded
    NumberFormat Format;
    const LightingObserver* OnLighting = nullptr;

    int Byte(int position) const {
        return (position >= 1 && position <= MessageByteCount) ? MessageBytes[position] : 0;
    }
    // Data byte k (1-based) of the current command.
    int Data(int k) const { return Byte(CommandPosition + k); }
    // True when data byte k belongs to the current command.
    bool HasData(int k) const { return k >= 1 && k <= CommandDataCount; }
    int Application() const { return Byte(3); }

    std::string Num(long long v) const { return NumberString(Format, v); }
    std::string NumSized(long long v, int n) const { return NumberStringSized(Format, v, n); }

    std::string MessageCharsText(int position, int count) const;
    std::string MessageHexRange(int start, int count) const;
    std::string MessageTextRange(int start, int count) const;
};

using AppDecoder = std::string (*)(DecodeContext&);

// The decoder of an application number, or nullptr when it has none.
AppDecoder AppDecoderFor(int application);

class Decoder {
public:
    Decoder();                                  // with a state of its own
    explicit Decoder(InterfaceState& state);    // sharing the link's state
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    std::string DecodeMessage(std::string_view text, int options);
    // As DecodeMessage, with the interface taken to be in smart mode with
    // IDMON (for lines that did not come from the attached interface).
    std::string DecodeMessageSmart(std::string_view text, int options);

    NumberFormat& Format() { return format_; }
    const NumberFormat& Format() const { return format_; }
    InterfaceState& State() { return *state_; }
    const DecodeContext& Context() const { return ctx_; }

    // The MMI results' automatic refresh hook; empty while it is off.
    void SetLightingObserver(LightingObserver observer) { lighting_ = std::move(observer); }

private:
    void Normalise(std::string_view text, int& options, std::string& out);
    void ReadBytes(std::string& text, int options);
    void AddUnitText(bool sent);
    void DecodeSALMessage(int options);
    void DecodePointToPointMessage(int options);
    void DecodeMMIMessage();

    InterfaceState ownState_;
    InterfaceState* state_;
    NumberFormat format_;
    DecodeContext ctx_;
    LightingObserver lighting_;
    std::string text_;  // the normalised text, for the network words
    std::string work_;  // reused buffer for the text being normalised
};

std::string MMITypeText(int type);

}  // namespace orvane
