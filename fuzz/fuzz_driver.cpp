// Runs the fuzz entry point without libFuzzer: every corpus line with every
// selector, then random mutations of them for the given number of seconds.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void Run(uint8_t selector, const std::string& line) {
    std::string input(1, static_cast<char>(selector));
    input += line;
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

std::string Mutate(std::string s, std::mt19937& rng) {
    static const char kAlphabet[] = "0123456789ABCDEFabcdef\\@!.#$%gz<> \r~|";
    std::uniform_int_distribution<int> op(0, 5);
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits; ++e) {
        const size_t pos = s.empty() ? 0 : rng() % s.size();
        switch (op(rng)) {
            case 0: if (!s.empty()) s[pos] = kAlphabet[rng() % (sizeof kAlphabet - 1)]; break;
            case 1: s.insert(s.begin() + static_cast<long>(pos), kAlphabet[rng() % (sizeof kAlphabet - 1)]); break;
            case 2: if (!s.empty()) s.erase(pos, 1 + rng() % 4); break;
            case 3: if (!s.empty()) s[pos] = static_cast<char>(rng() & 0xFF); break;
            case 4: s += s.substr(pos); break;
            default: {
                static const char* kBytes[] = {"FF", "00", "A0", "BF", "FA", "1F", "09", "12", "36", "7A"};
                s.insert(pos & ~size_t{1}, kBytes[rng() % 10]);
            }
        }
        if (s.size() > 2000) s.resize(2000);
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 10;
    std::vector<std::string> corpus;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
            continue;
        }
        std::filesystem::path p(argv[i]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(p)) {
            for (auto& e : std::filesystem::directory_iterator(p)) files.push_back(e.path());
        } else {
            files.push_back(p);
        }
        for (auto& f : files) {
            std::ifstream in(f, std::ios::binary);
            std::string line;
            while (std::getline(in, line)) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                if (!line.empty()) corpus.push_back(line);
            }
        }
    }
    if (corpus.empty()) corpus.push_back("05123800790533");

    for (const auto& line : corpus)
        for (int sel = 0; sel < 256; ++sel) Run(static_cast<uint8_t>(sel), line);

    std::mt19937 rng(12345);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    unsigned long runs = 0;
    while (std::chrono::steady_clock::now() < end) {
        for (int k = 0; k < 256; ++k, ++runs) {
            const std::string& base = corpus[rng() % corpus.size()];
            Run(static_cast<uint8_t>(rng()), Mutate(base, rng));
        }
    }
    std::printf("decode fuzz smoke: %zu corpus lines, %lu mutated runs, no fault\n", corpus.size(), runs);
    return 0;
}
