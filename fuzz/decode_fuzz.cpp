// Fuzz entry point for the message decoder. The first byte picks the decode
// options, the number mode and the interface state, the rest is the line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "decode/Decoder.h"
#include "traffic/LogFileTools.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static orvane::Decoder decoder;
    static int observed = 0;
    decoder.SetLightingObserver([](int, int, int, int) { ++observed; });
    const uint8_t selector = data[0];
    const std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
    auto& st = decoder.State();
    st.InterfaceOptions1 = (selector & 0x20) ? 0x51 : 0x00;
    if (selector & 0x40) st.InterfaceOptions1 |= orvane::OptChecksum;
    st.LastSentToLocalPci = selector & 0x80;
    st.PciUnitAddress = (selector & 0x80) ? -1 : 0x0B;
    decoder.Format().hex = selector & 0x01;
    decoder.DecodeMessage(line, (selector >> 1) & 0x1F);
    decoder.DecodeMessageSmart(line, 31);
    orvane::FilterLogFileLine(line, decoder, {});
    orvane::ProcessLogFileLine(line);
    return 0;
}
