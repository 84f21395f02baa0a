// The simulator program itself, over a real TCP connection, a real
// pseudo-terminal and its control channel.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

std::string TempPath(const std::string& name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/" + name + "-" + std::to_string(getpid());
}

// Reads what arrives on fd for up to `seconds`, or until `until` has been seen.
std::string ReadFor(int fd, double seconds, const std::string& until = {}, int* reads = nullptr) {
    std::string got;
    const auto start = Clock::now();
    while (Since(start) < seconds) {
        pollfd p{fd, POLLIN, 0};
        const int left = static_cast<int>((seconds - Since(start)) * 1000) + 1;
        if (poll(&p, 1, left) <= 0) continue;
        char buf[8192];
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0) break;
        got.append(buf, static_cast<std::size_t>(n));
        if (reads) ++*reads;
        if (!until.empty() && got.find(until) != std::string::npos) break;
    }
    return got;
}

void WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EAGAIN) {
            pollfd p{fd, POLLOUT, 0};
            poll(&p, 1, 100);
            continue;
        }
        ASSERT_GT(n, 0);
        done += static_cast<std::size_t>(n);
    }
}

int ConnectTcp(int port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<std::uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

int OpenPty(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(fd, TCSANOW, &tio);
    return fd;
}

// One running orvane-sim with the links it printed.
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args) {
        int out[2], err[2];
        if (pipe(out) != 0 || pipe(err) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addclose(&actions, err[0]);
        std::vector<char*> argv;
        std::string exe = ORVANE_SIM_EXE;
        argv.push_back(exe.data());
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, exe.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        close(err[1]);
        stdout_ = out[0];
        stderr_ = err[0];
        // The link lines come first and at once.
        const auto start = Clock::now();
        while (Since(start) < 10) {
            std::string more = ReadFor(stdout_, 0.2);
            lines_ += more;
            if (more.empty() && Exited()) break;
            if (Expected(args)) break;
        }
        for (std::size_t p = 0; p < lines_.size();) {
            auto e = lines_.find('\n', p);
            if (e == std::string::npos) break;
            const std::string line = lines_.substr(p, e - p);
            p = e + 1;
            if (line.rfind("tcp 127.0.0.1:", 0) == 0) tcpPort = std::stoi(line.substr(14));
            if (line.rfind("control 127.0.0.1:", 0) == 0) controlPort = std::stoi(line.substr(18));
            if (line.rfind("pty ", 0) == 0) ptyPath = line.substr(4);
        }
    }
    ~SimProcess() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (stdout_ >= 0) close(stdout_);
        if (stderr_ >= 0) close(stderr_);
    }
    bool Exited() {
        if (exited_) return true;
        int status = 0;
        if (pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
            exited_ = true;
            exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return exited_;
    }
    int WaitExit(double seconds) {
        const auto start = Clock::now();
        while (!Exited() && Since(start) < seconds) usleep(10000);
        return exited_ ? exitCode_ : -100;
    }
    std::string Stderr() { return ReadFor(stderr_, 0.2); }
    const std::string& Stdout() const { return lines_; }

    int tcpPort = -1;
    int controlPort = -1;
    std::string ptyPath;

private:
    bool Expected(const std::vector<std::string>& args) const {
        int want = 0;
        for (const auto& a : args) want += a == "--tcp" || a == "--pty" || a == "--control";
        int have = 0;
        for (char c : lines_) have += c == '\n';
        return have >= want;
    }
    pid_t pid_ = -1;
    int stdout_ = -1, stderr_ = -1;
    bool exited_ = false;
    int exitCode_ = -1;
    std::string lines_;
};

class Control {
public:
    explicit Control(int port) : fd_(ConnectTcp(port)) {}
    ~Control() {
        if (fd_ >= 0) close(fd_);
    }
    std::string Run(const std::string& command) {
        WriteAll(fd_, command + "\n");
        return ReadFor(fd_, 3, "\n");
    }
    int fd() const { return fd_; }

private:
    int fd_;
};

// The connect sequence and the model read, as the workbench makes them.
std::string Exchange(int fd) {
    std::string transcript;
    WriteAll(fd, "~~~\r");
    transcript += ReadFor(fd, 3, "~~~\r\n");
    WriteAll(fd, "~~~\rA3300051\r");
    transcript += ReadFor(fd, 3, "86FEFE003230001C\r\n");
    WriteAll(fd, "2102\r");
    transcript += ReadFor(fd, 3, "\r\n");
    WriteAll(fd, "1A2001g\r");
    transcript += ReadFor(fd, 3, "\r\n");
    return transcript;
}

const std::string kExpectedExchange =
    "~~~\r\n"
    "~~~\r\nA3300051\r\n86FEFE003230001C\r\n"
    "86FEFE008902342E31302E30302082\r\n"
    "g.86FEFE008220FEDE\r\n";

TEST(SimLinkTest, SameExchangeOverTcpAndPseudoTerminal) {
    const std::string path = TempPath("orvane-sim-pty");
    SimProcess sim({"--tcp", "0", "--pty", path});
    ASSERT_GT(sim.tcpPort, 0) << sim.Stdout();
    ASSERT_EQ(sim.ptyPath, path);
    struct stat st{};
    ASSERT_EQ(lstat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));

    const int tcp = ConnectTcp(sim.tcpPort);
    ASSERT_GE(tcp, 0);
    EXPECT_EQ(Exchange(tcp), kExpectedExchange);
    close(tcp);

    const int pty = OpenPty(path);
    ASSERT_GE(pty, 0);
    usleep(150000);  // the simulator notices a terminal client within 50 ms
    EXPECT_EQ(Exchange(pty), kExpectedExchange);
    close(pty);

    // A client that goes leaves the simulator ready for the next, on both links.
    const int tcp2 = ConnectTcp(sim.tcpPort);
    ASSERT_GE(tcp2, 0);
    EXPECT_EQ(Exchange(tcp2), kExpectedExchange);
    close(tcp2);
    const int pty2 = OpenPty(path);
    ASSERT_GE(pty2, 0);
    usleep(150000);
    EXPECT_EQ(Exchange(pty2), kExpectedExchange);
    close(pty2);
}

TEST(SimLinkTest, TrafficArrivesAtItsRate) {
    SimProcess sim({"--tcp", "0", "--traffic", "20", "--seed", "9"});
    ASSERT_GT(sim.tcpPort, 0);
    const int fd = ConnectTcp(sim.tcpPort);
    ASSERT_GE(fd, 0);
    WriteAll(fd, "~~~\r");
    EXPECT_EQ(ReadFor(fd, 3, "~~~\r\n"), "~~~\r\n");
    WriteAll(fd, "~~~\rA3300051\r");
    ReadFor(fd, 0.5);
    const std::string traffic = ReadFor(fd, 3);
    int lines = 0;
    for (std::size_t p = 0; (p = traffic.find("\r\n", p)) != std::string::npos; p += 2) ++lines;
    // About twenty a second; a few are status reports that show only in all-monitor mode.
    EXPECT_GE(lines, 40);
    EXPECT_LE(lines, 70);
    EXPECT_EQ(traffic.substr(0, 2), "05");
    close(fd);
}

TEST(SimLinkTest, OneClientAtATime) {
    SimProcess sim({"--tcp", "0"});
    ASSERT_GT(sim.tcpPort, 0);
    const int first = ConnectTcp(sim.tcpPort);
    ASSERT_GE(first, 0);
    WriteAll(first, "~~~\r");
    ASSERT_EQ(ReadFor(first, 3, "~~~\r\n"), "~~~\r\n");
    const int second = ConnectTcp(sim.tcpPort);
    ASSERT_GE(second, 0);
    // The second connection is closed without an answer.
    WriteAll(second, "~~~\r");
    EXPECT_EQ(ReadFor(second, 1), "");
    close(second);
    close(first);
    usleep(100000);
    const int third = ConnectTcp(sim.tcpPort);
    ASSERT_GE(third, 0);
    WriteAll(third, "~~~\r");
    EXPECT_EQ(ReadFor(third, 3, "~~~\r\n"), "~~~\r\n");
    close(third);
}

TEST(SimLinkTest, ControlChannelFaults) {
    SimProcess sim({"--tcp", "0", "--control", "0"});
    ASSERT_GT(sim.tcpPort, 0);
    ASSERT_GT(sim.controlPort, 0);
    Control control(sim.controlPort);
    ASSERT_GE(control.fd(), 0);
    EXPECT_EQ(control.Run("drop"), "error no client\n");

    int fd = ConnectTcp(sim.tcpPort);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(Exchange(fd), kExpectedExchange);

    // Lighting from the client changes the groups.
    WriteAll(fd, "\\0538007905g\r");
    EXPECT_EQ(ReadFor(fd, 3, "g."), "g.");
    EXPECT_NE(control.Run("groups 38").find(" 05=FF "), std::string::npos);

    EXPECT_EQ(control.Run("nack on"), "ok nack on\n");
    WriteAll(fd, "\\0538000105h\r");
    EXPECT_EQ(ReadFor(fd, 3, "h#"), "h#");
    EXPECT_EQ(control.Run("nack off"), "ok nack off\n");

    EXPECT_EQ(control.Run("silent"), "ok silent\n");
    WriteAll(fd, "1A2001\r");
    EXPECT_EQ(ReadFor(fd, 0.5), "");
    EXPECT_EQ(control.Run("speak"), "ok speak\n");
    WriteAll(fd, "1A2001\r");
    EXPECT_EQ(ReadFor(fd, 3, "\r\n"), "86FEFE008220FEDE\r\n");

    EXPECT_EQ(control.Run("corrupt"), "ok corrupt\n");
    const std::string bad = ReadFor(fd, 3, "\r\n");
    ASSERT_GE(bad.size(), 4u);
    unsigned sum = 0;
    for (std::size_t i = 0; i + 3 < bad.size(); i += 2) sum += static_cast<unsigned>(std::stoi(bad.substr(i, 2), nullptr, 16));
    EXPECT_NE(sum & 0xFF, 0u) << bad;

    EXPECT_EQ(control.Run("drip on"), "ok drip on\n");
    int reads = 0;
    WriteAll(fd, "1A2001\r");
    EXPECT_EQ(ReadFor(fd, 5, "\r\n", &reads), "86FEFE008220FEDE\r\n");
    EXPECT_GE(reads, 3) << "the bytes should arrive one by one";
    EXPECT_EQ(control.Run("drip off"), "ok drip off\n");

    const std::string received = control.Run("received");
    EXPECT_EQ(received.rfind("received ", 0), 0u);
    std::string all = received + ReadFor(control.fd(), 0.3);
    EXPECT_NE(all.find("\n~~~\nA3300051\n2102\n1A2001g\n\\0538007905g\n"), std::string::npos) << all;

    EXPECT_EQ(control.Run("drop"), "ok drop\n");
    EXPECT_EQ(ReadFor(fd, 2), "") << "the connection is closed";
    close(fd);
    fd = ConnectTcp(sim.tcpPort);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(Exchange(fd), kExpectedExchange);
    close(fd);

    EXPECT_EQ(control.Run("quit"), "ok quit\n");
    EXPECT_EQ(sim.WaitExit(5), 0);
}

TEST(SimLinkTest, BadInputLeavesItReady) {
    SimProcess sim({"--tcp", "0"});
    ASSERT_GT(sim.tcpPort, 0);
    const int fd = ConnectTcp(sim.tcpPort);
    ASSERT_GE(fd, 0);
    WriteAll(fd, "~~~\rA3300051\r");
    ReadFor(fd, 0.5);
    std::string junk;
    for (int i = 0; i < 20000; ++i) junk += static_cast<char>((i * 131 + 7) & 0xFF);
    for (char& c : junk)
        if (c == '~' || c == '|') c = 'x';  // keep the mode, so that the answer is known
    WriteAll(fd, junk + "\rZZ\r\\06\r");
    WriteAll(fd, std::string(1 << 20, '5'));  // 1 MB without CR
    WriteAll(fd, "\r1A2001\r");
    const std::string answer = ReadFor(fd, 10, "86FEFE008220FEDE\r\n");
    EXPECT_NE(answer.find("!86FEFE008220FEDE\r\n"), std::string::npos) << answer.substr(0, 200);
    EXPECT_FALSE(sim.Exited());
    close(fd);
}

TEST(SimLinkTest, BaudPacesTheOutput) {
    SimProcess sim({"--tcp", "0", "--baud", "9600"});
    ASSERT_GT(sim.tcpPort, 0);
    const int fd = ConnectTcp(sim.tcpPort);
    ASSERT_GE(fd, 0);
    WriteAll(fd, "~~~\rA3300051\r");
    ReadFor(fd, 3, "1C\r\n");
    // Eight level blocks of four lines: 8 * 4 * 46 = 1472 characters, over
    // 1.5 seconds at 960 characters a second.
    std::string request;
    for (int b = 0; b < 8; ++b) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", b * 0x20);
        request += std::string("\\05FF00730738") + hex + "\r";
    }
    const auto start = Clock::now();
    WriteAll(fd, request);
    const std::string out = ReadFor(fd, 10, "F30738F8");
    ReadFor(fd, 1, "\r\n");
    EXPECT_GE(Since(start), 1.2);
    EXPECT_NE(out.find("F30738F8"), std::string::npos);
    close(fd);
}

TEST(SimLinkTest, BadNetworkFileStopsBeforeAnyLink) {
    const std::string file = TempPath("orvane-sim-net") + ".txt";
    {
        std::ofstream f(file);
        f << "output 01 RELAY8 38:01-08\n\nlamp 02 X\n";
    }
    SimProcess sim({"--tcp", "0", "--network", file});
    EXPECT_EQ(sim.WaitExit(5), 2);
    EXPECT_EQ(sim.Stdout(), "");
    EXPECT_NE(sim.Stderr().find(file + ":3: unknown role 'lamp'"), std::string::npos);
    unlink(file.c_str());
}

TEST(SimLinkTest, NetworkFileIsServed) {
    const std::string file = TempPath("orvane-sim-net2") + ".txt";
    {
        std::ofstream f(file);
        f << "interface 21 PCI3 fw=3.11\noutput 05 RELAY2 38:01-02=FF\n";
    }
    SimProcess sim({"--tcp", "0", "--network", file});
    ASSERT_GT(sim.tcpPort, 0);
    const int fd = ConnectTcp(sim.tcpPort);
    ASSERT_GE(fd, 0);
    WriteAll(fd, "~~~\rA3300051\r");
    ReadFor(fd, 3, "\r\n8621");
    ReadFor(fd, 0.3);
    WriteAll(fd, "2102\r");
    const std::string reply = ReadFor(fd, 3, "\r\n");
    EXPECT_EQ(reply.substr(0, 12), "862121008902") << reply;
    EXPECT_EQ(reply.substr(12, 16), "332E313120202020") << reply;
    close(fd);
    unlink(file.c_str());
}

TEST(SimLinkTest, PseudoTerminalDropGivesAFreshTerminal) {
    const std::string path = TempPath("orvane-sim-pty2");
    SimProcess sim({"--pty", path, "--control", "0"});
    ASSERT_EQ(sim.ptyPath, path);
    char before[256] = {0};
    ASSERT_GT(readlink(path.c_str(), before, sizeof before - 1), 0);
    const int pty = OpenPty(path);
    ASSERT_GE(pty, 0);
    usleep(150000);
    Control control(sim.controlPort);
    EXPECT_EQ(control.Run("drop"), "ok drop\n");
    char after[256] = {0};
    ASSERT_GT(readlink(path.c_str(), after, sizeof after - 1), 0);
    EXPECT_STRNE(before, after);
    char c;
    EXPECT_LE(read(pty, &c, 1), 0) << "the old terminal has gone";
    close(pty);
    const int fresh = OpenPty(path);
    ASSERT_GE(fresh, 0);
    usleep(150000);
    EXPECT_EQ(Exchange(fresh), kExpectedExchange);
    close(fresh);
}

TEST(SimLinkTest, SerialRateRepairOverThePseudoTerminal) {
    const std::string path = TempPath("orvane-sim-pty3");
    SimProcess sim({"--pty", path, "--serial-rate", "2400"});
    ASSERT_EQ(sim.ptyPath, path);
    auto session = [&](speed_t speed, const std::string& text, const std::string& until) {
        const int fd = OpenPty(path);
        EXPECT_GE(fd, 0);
        termios tio{};
        tcgetattr(fd, &tio);
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
        tcsetattr(fd, TCSANOW, &tio);
        usleep(150000);
        WriteAll(fd, text);
        std::string got = ReadFor(fd, until.empty() ? 0.5 : 3, until);
        close(fd);
        usleep(100000);
        return got;
    };
    EXPECT_EQ(session(B9600, "~~~\r", ""), "") << "a 2400 bit/s interface does not understand 9600";
    EXPECT_EQ(session(B2400, "~~~A33D00FF\r", "323D0091\r\n"), "~~~A33D00FF\r\n323D0091\r\n");
    EXPECT_EQ(session(B9600, "~~~\r", "~~~\r\n"), "~~~\r\n");
}

TEST(SimLinkTest, DropAfterAndFloodFromTheStart) {
    SimProcess sim({"--tcp", "0", "--drop-after", "1.5", "--flood", "200", "1"});
    ASSERT_GT(sim.tcpPort, 0);
    const int fd = ConnectTcp(sim.tcpPort);
    ASSERT_GE(fd, 0);
    const auto start = Clock::now();
    WriteAll(fd, "~~~\rA3300051\r");
    const std::string all = ReadFor(fd, 5);  // ends when the simulator drops the client
    EXPECT_GE(Since(start), 1.2);
    EXPECT_LT(Since(start), 4.5);
    int lines = 0;
    for (std::size_t p = 0; (p = all.find("\r\n05", p)) != std::string::npos; p += 2) ++lines;
    EXPECT_GE(lines, 100) << "the flood starts with the first client";
    close(fd);
}

}  // namespace
