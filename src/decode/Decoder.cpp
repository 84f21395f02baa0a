#include "decode/Decoder.h"

#include <exception>

#include "decode/AppDirectory.h"

namespace orvane {
namespace {

bool IsAckChar(char c) { return c >= 'g' && c <= 'z'; }

// The k-th byte (1-based) of a hex text as its two characters, or nothing
// when the text is shorter.
std::string_view PairAt(std::string_view text, int k) {
    size_t p = static_cast<size_t>(k - 1) * 2;
    if (k < 1 || p + 2 > text.size()) return {};
    return text.substr(p, 2);
}

// Bytes first..last (1-based, inclusive) of a hex text as characters.
std::string_view PairsFrom(std::string_view text, int first, int last = 1 << 20) {
    if (first < 1) first = 1;
    size_t b = static_cast<size_t>(first - 1) * 2;
    if (b >= text.size() || last < first) return {};
    size_t e = static_cast<size_t>(last) * 2;
    if (e > text.size()) e = text.size();
    return text.substr(b, e - b);
}

}  // namespace

std::string DecodeContext::MessageCharsText(int position, int count) const {
    std::string s;
    for (int p = position; p < position + count; ++p)
        if (p >= 1 && p <= MessageByteCount) AppendLatin1AsUtf8(s, MessageBytes[p]);
    return s;
}

std::string DecodeContext::MessageHexRange(int start, int count) const {
    if (start < 0 || count < 0 || start + count > 199) return "!! Length Error !!";
    std::string s;
    for (int i = 0; i < count; ++i) {
        s += UpperHex2(MessageBytes[start + 1 + i]);
        s += ' ';
    }
    if (!s.empty()) s.pop_back();
    return s;
}

std::string DecodeContext::MessageTextRange(int start, int count) const {
    if (start < 0 || count < 0 || start + count > 199) return "!! Length Error !!";
    std::string s;
    for (int i = 0; i < count; ++i) AppendLatin1AsUtf8(s, MessageBytes[start + 1 + i]);
    return s;
}

std::string MMITypeText(int type) {
    std::string s = (type & 0x40) ? "Non-" : "";
    s += "Local, ";
    switch (type & 0x1F) {
        case 0: s += "Status MMI"; break;
        case 7: s += "Level MMI"; break;
        default: s += "Unknown MMI Type"; break;
    }
    return s;
}

Decoder::Decoder() : state_(&ownState_) {}

Decoder::Decoder(InterfaceState& state) : state_(&state) {}

std::string Decoder::DecodeMessageSmart(std::string_view text, int options) {
    const int saved = state_->InterfaceOptions1;
    state_->InterfaceOptions1 = OptConnect | OptSmart | OptIdmon;
    std::string result;
    try {
        result = DecodeMessage(text, options);
    } catch (...) {
        result.clear();
    }
    state_->InterfaceOptions1 = saved;
    return result;
}

void Decoder::Normalise(std::string_view in, int& options, std::string& text) {
    text.assign(in.data(), in.size());
    if (text.size() < 2) return;
    const int addr = state_->PciUnitAddress < 0 ? 0 : state_->PciUnitAddress;
    const std::string a = UpperHex2(addr);

    auto asSent = [&] {
        if (text[0] == '@')
            text = "06" + a + "00" + text.substr(1);
        else if (text[0] == '\\')
            text.erase(0, 1);
        else
            text = "06" + state_->RoutePrefix + text;
        if (!text.empty() && IsAckChar(text.back())) text.pop_back();
    };

    if (options & DecodeSentCommand) {
        asSent();
    } else if (text[0] == '@' || text[0] == '\\') {
        asSent();
        options |= DecodeSentCommand;
    } else if (state_->InterfaceOptions1 & OptSmart) {
        if (!(state_->InterfaceOptions1 & OptIdmon) && text.compare(0, 2, "05") != 0 &&
            state_->LastSentToLocalPci) {
            text = "86" + a + a + "00" + text;
            state_->LastSentToLocalPci = false;
        }
    } else {
        const int v = HexValue(std::string_view(text).substr(0, 2));
        if (v >= 8)
            text = "86000000" + text;
        else if (text.compare(0, 2, "00") == 0)
            text = "0500" + text.substr(2, 2) + "00" + (text.size() > 4 ? text.substr(4) : std::string());
        else
            text = "0500" + (text.size() > 4 ? text.substr(4, 2) : std::string()) + "00" +
                   (text.size() > 6 ? text.substr(6) : std::string());
        if (!text.empty() && IsAckChar(text.back())) text.pop_back();
        options &= ~(DecodeShowUnit | DecodeShowNetwork);
    }
}

void Decoder::ReadBytes(std::string& text, int options) {
    if (options & DecodeSentCommand) {
        const std::string_view t = text;
        const int d = HexValue(PairAt(t, 3)) / 9;
        std::string r;
        if (d > 0) {
            std::string b1(PairAt(t, 1));
            if (b1 == "03") b1 = "05";
            r = b1;
            r += PairAt(t, 2);
            if (b1 == "05") {
                r += PairAt(t, d + 3);
                r += UpperHex2(d);
                r += PairsFrom(t, 4, d + 2);
                r += "00";
            } else {
                r += UpperHex2(state_->PciUnitAddress < 0 ? 0 : state_->PciUnitAddress);
                r += UpperHex2(d);
                r += PairsFrom(t, 4, d + 2);
                r += PairAt(t, d + 3);
            }
            r += PairsFrom(t, d + 4);
        } else if (PairAt(t, 1) == "05") {
            r = std::string(PairAt(t, 1)) + "00" + std::string(PairsFrom(t, 2));
        } else {
            r = std::string(PairsFrom(t, 1, 2)) + UpperHex2(state_->PciUnitAddress < 0 ? 0 : state_->PciUnitAddress) +
                std::string(PairsFrom(t, 3));
        }
        if (!(state_->InterfaceOptions1 & OptChecksum)) r += "00";
        text = std::move(r);
    }
    int count = static_cast<int>(text.size() / 2);
    if (count > kMaxMessageBytes) count = kMaxMessageBytes;
    ctx_.MessageBytes.fill(0);
    const char* t = text.data();
    for (int i = 0; i < count; ++i)
        ctx_.MessageBytes[i + 1] = static_cast<uint8_t>(HexDigitValue(t[i * 2]) * 16 + HexDigitValue(t[i * 2 + 1]));
    ctx_.MessageByteCount = count;
    ctx_.DecodedText.clear();
    text_.swap(text);
}

void Decoder::AddUnitText(bool sent) {
    if (ctx_.MessageByteCount <= 3) {
        ctx_.DecodedText.clear();
        return;
    }
    const int n = ctx_.Byte(4);
    const int p = n != 0 ? 4 + n : 2;
    std::string& out = ctx_.DecodedText;
    if (sent && ctx_.Byte(1) == 0x05) {
        out += "Multipoint, ";
        return;
    }
    out += sent ? "Dest Unit " : "Source Unit ";
    out += ctx_.Num(ctx_.Byte(p));
    out += ", ";
}

void Decoder::DecodeSALMessage(int options) {
    if (options & DecodeShowUnit) AddUnitText(options & DecodeSentCommand);
    if (ctx_.MessageByteCount < 4) return;
    const int app = ctx_.Byte(3);
    if (options & DecodeShowApplication) {
        ctx_.DecodedText += ApplicationName(ctx_.Format, app);
        ctx_.DecodedText += ", ";
    }
    if (!(options & DecodeShowData)) {
        const size_t comma = ctx_.DecodedText.rfind(',');
        if (comma != std::string::npos) ctx_.DecodedText.erase(comma);
        return;
    }
    const AppDecoder decode = AppDecoderFor(app);
    ctx_.CommandPosition = ctx_.Byte(4) + 5;
    while (ctx_.CommandPosition < ctx_.MessageByteCount) {
        ctx_.CommandByte = ctx_.Byte(ctx_.CommandPosition);
        const bool shortForm = !(ctx_.CommandByte & 0x80) || (app == 0xFF && ctx_.CommandByte == 0xFA);
        ctx_.CommandDataCount = shortForm ? (ctx_.CommandByte & 0x07) : (ctx_.CommandByte & 0x1F);
        const int next = ctx_.CommandPosition + ctx_.CommandDataCount + 1;
        if (next > ctx_.MessageByteCount) {
            ctx_.DecodedText += "LENGTH ERROR";
            return;
        }
        if (decode) ctx_.DecodedText += decode(ctx_);
        ctx_.CommandPosition = next;
        if (next < ctx_.MessageByteCount) ctx_.DecodedText += "; ";
    }
}

void Decoder::DecodePointToPointMessage(int options) {
    if (ctx_.MessageByteCount < 4) return;
    if (options & DecodeShowUnit) AddUnitText(options & DecodeSentCommand);
    if (ctx_.MessageByteCount >= ctx_.Byte(4) + 5) ctx_.DecodedText += "System Message";
}

void Decoder::DecodeMMIMessage() {
    const int h = ctx_.Byte(1);
    if (h < 0xE0)
        ctx_.DecodedText += "Status MMI, Application " + ctx_.Num(ctx_.Byte(2)) + ", Block Start = " +
                            ctx_.Num(ctx_.Byte(3));
    else
        ctx_.DecodedText += "Extended Format MMI, " + MMITypeText(ctx_.Byte(2)) + ", Application " +
                            ctx_.Num(ctx_.Byte(3)) + ", Block Start = " + ctx_.Num(ctx_.Byte(4));
}

std::string Decoder::DecodeMessage(std::string_view input, int options) {
    try {
        ctx_.Format = format_;
        ctx_.OnLighting = lighting_ ? &lighting_ : nullptr;
        ctx_.CommandPosition = 0;
        ctx_.CommandByte = 0;
        ctx_.CommandDataCount = 0;
        std::string& text = work_;
        Normalise(input, options, text);

        if (!IsHexText(text)) {
            ctx_.MessageByteCount = 0;
            ctx_.DecodedText.clear();
            if (text.find('!') != std::string::npos) return "Checksum Error or Buffers Full";
            if (text.size() == 2 && IsAckChar(text[0])) {
                switch (text[1]) {
                    case '.': return "OK";
                    case '#': return "No Acknowledgement";
                    case '$': return "Corrupted Transmission";
                    case '%': return "No Orvane Clock";
                    default: return {};
                }
            }
            return {};
        }

        ReadBytes(text, options);
        const int h = ctx_.Byte(1);

        if ((options & DecodeShowNetwork) && h < 0xC0) {
            const int n = ctx_.Byte(4);
            if (n != 0) {
                const std::string_view t = text_;
                ctx_.DecodedText += "Network ";
                ctx_.DecodedText += PairAt(t, 2);
                ctx_.DecodedText += PairsFrom(t, 5, n + 3);
                ctx_.DecodedText += ", ";
            } else {
                ctx_.DecodedText += "Local Network, ";
            }
        }

        if (options & DecodeSentCommand) {
            if ((h & 7) == 5)
                DecodeSALMessage(options);
            else if ((h & 7) == 6)
                DecodePointToPointMessage(options);
        } else if (h == 0x05) {
            DecodeSALMessage(options);
        } else if (h < 0xC0) {
            DecodePointToPointMessage(options);
        } else {
            DecodeMMIMessage();
        }

        std::string result = Trim(ctx_.DecodedText);
        if (!result.empty() && result.back() == ',') return {};
        return result;
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace orvane
