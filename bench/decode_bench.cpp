// Decode throughput on a generated mix of link lines: bus messages of every
// decoded application, point-to-point replies, MMI replies, interface
// replies and garbage.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "decode/Decoder.h"
#include "decode/Hex.h"

namespace {

std::vector<std::string> MakeCorpus(size_t count) {
    static const int kApps[] = {0x19, 0x26, 0x38, 0x31, 0x70, 0x88, 0xAC, 0xAD, 0xC0, 0xC9, 0xCA,
                                0xCB, 0xCD, 0xCE, 0xD0, 0xD5, 0xDF, 0xE0, 0xE4, 0xFF};
    std::mt19937 rng(42);
    std::vector<std::string> lines;
    lines.reserve(count);
    while (lines.size() < count) {
        const int kind = static_cast<int>(rng() % 10);
        std::string body;
        if (kind < 6) {  // bus message
            body = "05" + orvane::UpperHex2(static_cast<int>(rng() % 256)) +
                   orvane::UpperHex2(kApps[rng() % (sizeof kApps / sizeof kApps[0])]) + "00";
            const int commands = 1 + static_cast<int>(rng() % 3);
            for (int c = 0; c < commands; ++c) {
                const bool longForm = rng() % 4 == 0;
                const int data = longForm ? 2 + static_cast<int>(rng() % 8) : 1 + static_cast<int>(rng() % 4);
                const int cmd = longForm ? (0xA0 | data) : (static_cast<int>(rng() % 16) << 3) | data;
                body += orvane::UpperHex2(cmd);
                for (int k = 0; k < data; ++k) body += orvane::UpperHex2(static_cast<int>(rng() % 256));
            }
            body += orvane::ChecksumText(body);
        } else if (kind == 6) {  // point-to-point reply
            body = "860B0B00820100";
            body += orvane::ChecksumText(body);
        } else if (kind == 7) {  // MMI reply
            body = orvane::UpperHex2(0xC0 + static_cast<int>(rng() % 0x40)) + "3800";
            for (int k = 0; k < 8; ++k) body += orvane::UpperHex2(static_cast<int>(rng() % 256));
        } else if (kind == 8) {  // interface reply
            static const char* kReplies[] = {"g.", "h#", "i$", "z%", "!", "~~~"};
            body = kReplies[rng() % 6];
        } else {  // garbage
            const int len = static_cast<int>(rng() % 40);
            for (int k = 0; k < len; ++k) body += static_cast<char>(32 + rng() % 95);
        }
        lines.push_back(std::move(body));
    }
    return lines;
}

void BM_DecodeMixedCorpus(benchmark::State& state) {
    const auto corpus = MakeCorpus(100000);
    orvane::Decoder decoder;
    size_t total = 0;
    for (auto _ : state) {
        for (const auto& line : corpus) {
            auto s = decoder.DecodeMessageSmart(line, 15);
            total += s.size();
        }
    }
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * corpus.size()));
    state.counters["lines_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations() * corpus.size()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeMixedCorpus)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
