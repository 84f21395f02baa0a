// orvane-decode: words lines of link traffic, one output line per input line.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "decode/Decoder.h"
#include "traffic/LogFileTools.h"

namespace {

// Lines longer than this are decoded on their first kMaxLine characters; the
// decoder reads 200 bytes at most, and memory stays constant.
constexpr size_t kMaxLine = 4096;

const char* kUsage =
    "Usage: orvane-decode [--sent] [--hex] [--options MASK] [--log] [FILE ...]\n"
    "Words each line of Orvane link traffic read from the files, or from standard\n"
    "input when none is given, writing one line per input line.\n"
    "\n"
    "  --sent          lines are commands as the PC writes them (mask 31)\n"
    "  --hex           write numbers in hexadecimal (the \"Hexadecimal Numbers\" mode)\n"
    "  --options MASK  decode options, decimal or 0x-prefixed, replacing the default\n"
    "                  (1 unit, 2 network, 4 application, 8 data, 16 sent command)\n"
    "  --log           input is a traffic log; write each message line followed by\n"
    "                  its sentence line, as \"Filter Log File...\" does\n"
    "  --help          show this text\n"
    "  --version       show the version\n";

struct Options {
    bool sent = false;
    bool log = false;
    bool hex = false;
    int mask = -1;
    std::vector<std::string> files;
};

bool ParseMask(const std::string& s, int& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const bool isHex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
    if (s[0] == '-' || s[0] == '+') return false;
    const unsigned long v = std::strtoul(s.c_str(), &end, isHex ? 16 : 10);
    if (errno != 0 || *end != '\0' || v > 0xFFFF) return false;
    out = static_cast<int>(v);
    return true;
}

// Writes sentences (UTF-8) with their control characters shown as ".": a
// label or a number may carry any byte, and every input line must give
// exactly one output line.
class Output {
public:
    Output() { buf_.reserve(1 << 17); }
    ~Output() { Flush(); }
    void Write(std::string_view s) {
        for (unsigned char c : s) {
            buf_ += (c < 0x20 || c == 0x7F) ? '.' : static_cast<char>(c);
        }
        if (buf_.size() >= (1 << 16)) Flush();
    }
    // A line of text followed by a line end.
    void Line(std::string_view s) {
        Write(s);
        buf_ += '\n';
    }
    void Flush() {
        if (!buf_.empty()) std::fwrite(buf_.data(), 1, buf_.size(), stdout);
        buf_.clear();
    }

private:
    std::string buf_;
};

// Reads lines of at most kMaxLine characters from a stream; the rest of a
// longer line is skipped.
class LineReader {
public:
    explicit LineReader(std::FILE* f) : f_(f) { buf_.resize(1 << 16); }
    bool Next(std::string& line) {
        line.clear();
        bool any = false;
        for (;;) {
            if (pos_ == len_) {
                len_ = std::fread(buf_.data(), 1, buf_.size(), f_);
                pos_ = 0;
                if (len_ == 0) return any;
            }
            any = true;
            const char* start = buf_.data() + pos_;
            const void* nl = std::memchr(start, '\n', len_ - pos_);
            const size_t take = nl ? static_cast<size_t>(static_cast<const char*>(nl) - start) : len_ - pos_;
            if (line.size() < kMaxLine) line.append(start, std::min(take, kMaxLine - line.size()));
            pos_ += take;
            if (nl) {
                ++pos_;
                return true;
            }
        }
    }

private:
    std::FILE* f_;
    std::vector<char> buf_;
    size_t pos_ = 0, len_ = 0;
};

void Process(std::FILE* in, const Options& opt, orvane::Decoder& decoder, Output& out) {
    LineReader reader(in);
    std::string line;
    const int mask = opt.mask >= 0 ? opt.mask : (opt.sent ? 31 : 15);
    while (reader.Next(line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (opt.log) {
            if (auto lines = orvane::FilterLogFileLine(line, decoder, {})) {
                out.Line(lines->line);
                out.Line(lines->sentenceLine);
            }
            continue;
        }
        out.Line(decoder.DecodeMessageSmart(line, mask));
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options opt;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--version") {
            std::printf("orvane-decode %s\n", ORVANE_VERSION);
            return 0;
        } else if (a == "--sent") {
            opt.sent = true;
        } else if (a == "--hex") {
            opt.hex = true;
        } else if (a == "--log") {
            opt.log = true;
        } else if (a == "--options" || a.rfind("--options=", 0) == 0) {
            std::string v;
            if (a == "--options") {
                if (i + 1 >= argc) {
                    std::fprintf(stderr, "orvane-decode: --options needs a mask\n");
                    return 2;
                }
                v = argv[++i];
            } else {
                v = a.substr(10);
            }
            if (!ParseMask(v, opt.mask)) {
                std::fprintf(stderr, "orvane-decode: bad mask for --options: '%s'\n", v.c_str());
                return 2;
            }
        } else if (a == "--") {
            for (++i; i < argc; ++i) opt.files.emplace_back(argv[i]);
        } else if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "orvane-decode: unknown option '%s' (see --help)\n", a.c_str());
            return 2;
        } else {
            opt.files.push_back(a);
        }
    }

    orvane::Decoder decoder;
    decoder.Format().hex = opt.hex;
    Output out;
    int status = 0;
    if (opt.files.empty()) {
        Process(stdin, opt, decoder, out);
    } else {
        for (const auto& name : opt.files) {
            std::FILE* f = name == "-" ? stdin : std::fopen(name.c_str(), "rb");
            if (!f) {
                out.Flush();
                std::fprintf(stderr, "orvane-decode: cannot read '%s': %s\n", name.c_str(), std::strerror(errno));
                status = 1;
                continue;
            }
            Process(f, opt, decoder, out);
            if (std::ferror(f)) {
                out.Flush();
                std::fprintf(stderr, "orvane-decode: error reading '%s'\n", name.c_str());
                status = 1;
            }
            if (f != stdin) std::fclose(f);
        }
    }
    out.Flush();
    std::fflush(stdout);
    return status;
}
