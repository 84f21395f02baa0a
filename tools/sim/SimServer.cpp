#include "SimServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace orvane::sim {

namespace {

// Output the client has not taken yet; beyond this the interface's buffers
// are full and further output is lost.
constexpr std::size_t kMaxPendingOutput = 1 << 20;
// Control lines longer than this are dropped.
constexpr std::size_t kMaxControlLine = 4096;
// Gap between two bytes while dripping, so that each arrives on its own.
constexpr double kDripGap = 0.002;
// How often the traffic of the other units is let out.
constexpr double kTick = 0.005;
// How often a pseudo-terminal without a client is checked for a new one.
constexpr double kPtyPoll = 0.05;

volatile std::sig_atomic_t gStop = 0;
void OnSignal(int) { gStop = 1; }

bool SetNonBlocking(int fd) {
    int flags = fcntl(fd, F_GETFL, 0);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

int ListenLocal(int port, int& boundPort) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<std::uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 4) != 0) {
        close(fd);
        return -1;
    }
    socklen_t len = sizeof addr;
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    boundPort = ntohs(addr.sin_port);
    SetNonBlocking(fd);
    return fd;
}

int SpeedToBaud(speed_t s) {
    switch (s) {
    case B1200: return 1200;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
    }
}

}  // namespace

struct SimServer::Peer {
    int fd = -1;
    bool connected = false;
    double connectedAt = 0;
    std::string out;
    std::size_t outPos = 0;
    double nextWrite = 0;
    double budget = 0;
    double budgetAt = 0;
    std::string in;         // control lines
    bool inOverflow = false;
    double nextHupCheck = 0;

    std::size_t Pending() const { return out.size() - outPos; }
};

SimServer::SimServer(SimInterface& model, ServerOptions options)
    : model_(model), options_(std::move(options)), silent_(options_.silent), drip_(options_.drip) {
    start_ = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

SimServer::~SimServer() {
    if (tcpClient_ && tcpClient_->fd >= 0) close(tcpClient_->fd);
    if (tcpListen_ >= 0) close(tcpListen_);
    if (controlListen_ >= 0) close(controlListen_);
    for (auto& c : controls_) close(c->fd);
    ClosePty();
    if (!options_.ptyPath.empty()) {
        struct stat st{};
        if (lstat(options_.ptyPath.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) unlink(options_.ptyPath.c_str());
    }
}

double SimServer::Now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count() - start_;
}

bool SimServer::OpenPty() {
    int master = -1, slave = -1;
    char name[256] = {0};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        std::cerr << "orvane-sim: cannot create a pseudo-terminal: " << std::strerror(errno) << "\n";
        return false;
    }
    termios tio{};
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(slave, TCSANOW, &tio);
    // Without a slave open the master reports a hang-up, which is how a
    // client's arrival and departure are seen.
    close(slave);
    SetNonBlocking(master);
    fcntl(master, F_SETFD, FD_CLOEXEC);

    const std::string& path = options_.ptyPath;
    struct stat st{};
    if (lstat(path.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::cerr << "orvane-sim: " << path << " exists and is not a symbolic link\n";
            close(master);
            return false;
        }
        unlink(path.c_str());
    }
    if (symlink(name, path.c_str()) != 0) {
        std::cerr << "orvane-sim: cannot make " << path << " a link to " << name << ": " << std::strerror(errno) << "\n";
        close(master);
        return false;
    }
    pty_ = std::make_unique<Peer>();
    pty_->fd = master;
    pty_->connected = false;
    ptySlaveName_ = name;
    return true;
}

void SimServer::ClosePty() {
    if (pty_ && pty_->fd >= 0) close(pty_->fd);
    pty_.reset();
}

bool SimServer::Open() {
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGHUP, OnSignal);
    std::string lines;
    if (options_.tcpPort >= 0) {
        int port = 0;
        tcpListen_ = ListenLocal(options_.tcpPort, port);
        if (tcpListen_ < 0) {
            std::cerr << "orvane-sim: cannot listen on 127.0.0.1:" << options_.tcpPort << ": " << std::strerror(errno) << "\n";
            return false;
        }
        lines += "tcp 127.0.0.1:" + std::to_string(port) + "\n";
    }
    if (!options_.ptyPath.empty()) {
        if (!OpenPty()) return false;
        lines += "pty " + options_.ptyPath + "\n";
    }
    if (options_.controlPort >= 0) {
        int port = 0;
        controlListen_ = ListenLocal(options_.controlPort, port);
        if (controlListen_ < 0) {
            std::cerr << "orvane-sim: cannot listen for control on 127.0.0.1:" << options_.controlPort << ": "
                      << std::strerror(errno) << "\n";
            return false;
        }
        lines += "control 127.0.0.1:" + std::to_string(port) + "\n";
    }
    if (options_.stdinControl) {
        stdinControl_ = std::make_unique<Peer>();
        stdinControl_->fd = STDIN_FILENO;
        stdinControl_->connected = true;
    }
    std::fwrite(lines.data(), 1, lines.size(), stdout);
    std::fflush(stdout);
    return true;
}

std::string SimServer::Clients() const {
    const bool tcp = tcpClient_ && tcpClient_->connected;
    const bool pty = pty_ && pty_->connected;
    if (tcp && pty) return "tcp+pty";
    if (tcp) return "tcp";
    if (pty) return "pty";
    return "none";
}

void SimServer::CloseTcpClient() {
    if (!tcpClient_) return;
    close(tcpClient_->fd);
    tcpClient_.reset();
}

bool SimServer::DropClient() {
    bool dropped = false;
    if (tcpClient_) {
        CloseTcpClient();
        dropped = true;
    }
    if (pty_ && pty_->connected) {
        // Unplugging the serial interface: the client's terminal goes away
        // and PATH points to a fresh one.
        ClosePty();
        if (!OpenPty()) quit_ = true;
        dropped = true;
    }
    return dropped;
}

void SimServer::SendToClient(const std::string& text) {
    if (!silent_) Broadcast(text);
}

void SimServer::Broadcast(const std::string& text) {
    if (text.empty()) return;
    for (Peer* p : {tcpClient_.get(), pty_.get()}) {
        if (!p || !p->connected) continue;
        if (p->Pending() + text.size() > kMaxPendingOutput) continue;  // buffers full: lost
        if (p->outPos > 0 && p->outPos == p->out.size()) {
            p->out.clear();
            p->outPos = 0;
        }
        p->out += text;
    }
}

int SimServer::PtyClientRate() const {
    // At its usual 9600 the interface takes whatever the terminal is set to,
    // so that plain terminal programs work; otherwise the client must match.
    if (model_.SerialRate() == 9600 || ptySlaveName_.empty()) return 0;
    int fd = open(ptySlaveName_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return 0;
    termios tio{};
    int baud = 0;
    if (tcgetattr(fd, &tio) == 0) baud = SpeedToBaud(cfgetospeed(&tio));
    close(fd);
    return baud;
}

void SimServer::Feed(Peer& peer, const char* data, std::size_t n) {
    if (silent_) return;  // a silent interface hears nothing and says nothing
    model_.SetClientRate(&peer == pty_.get() ? PtyClientRate() : 0);
    std::string answer = model_.Receive(std::string_view(data, n), Now());
    Broadcast(answer);
}

void SimServer::AcceptTcp() {
    int fd = accept4(tcpListen_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    if (tcpClient_) {
        // One client at a time, like the network interface.
        close(fd);
        return;
    }
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    tcpClient_ = std::make_unique<Peer>();
    tcpClient_->fd = fd;
    tcpClient_->connected = true;
    tcpClient_->connectedAt = Now();
    std::cerr << "orvane-sim: tcp client connected\n";
}

void SimServer::AcceptControl() {
    int fd = accept4(controlListen_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    if (controls_.size() >= 8) {
        close(fd);
        return;
    }
    auto peer = std::make_unique<Peer>();
    peer->fd = fd;
    peer->connected = true;
    controls_.push_back(std::move(peer));
}

void SimServer::ReadPeer(Peer& peer) {
    char buf[4096];
    for (int rounds = 0; rounds < 16; ++rounds) {
        ssize_t n = read(peer.fd, buf, sizeof buf);
        if (n > 0) {
            Feed(peer, buf, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
        // End of file or an error: the client has gone.
        if (&peer == tcpClient_.get()) {
            std::cerr << "orvane-sim: tcp client disconnected\n";
            CloseTcpClient();
        } else if (&peer == pty_.get()) {
            peer.connected = false;
            peer.out.clear();
            peer.outPos = 0;
        }
        return;
    }
}

void SimServer::ReadControl(Peer& peer, bool fromStdin) {
    char buf[1024];
    ssize_t n = read(peer.fd, buf, sizeof buf);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
    if (n <= 0) {
        peer.connected = false;
        return;
    }
    for (ssize_t i = 0; i < n; ++i) {
        char c = buf[i];
        if (c == '\n') {
            std::string line;
            line.swap(peer.in);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::string reply = peer.inOverflow ? "error line too long\n" : RunControlCommand(line, *this, Now());
            peer.inOverflow = false;
            if (fromStdin) {
                std::fwrite(reply.data(), 1, reply.size(), stdout);
                std::fflush(stdout);
            } else {
                peer.out += reply;
            }
        } else if (peer.in.size() < kMaxControlLine) {
            peer.in += c;
        } else {
            peer.inOverflow = true;
        }
    }
}

double SimServer::NextWriteDelay(const Peer& peer, double now) const {
    if (peer.Pending() == 0) return 1.0;
    double wait = std::max(0.0, peer.nextWrite - now);
    if (options_.baud > 0 && peer.budget < 1.0) wait = std::max(wait, (1.0 - peer.budget) / (options_.baud / 10.0));
    return wait;
}

void SimServer::WritePending(Peer& peer, double now, bool paced) {
    if (peer.Pending() == 0 || now < peer.nextWrite) return;
    std::size_t allowed = peer.Pending();
    if (paced && options_.baud > 0) {
        // Ten bits a character on the serial line.
        const double cps = options_.baud / 10.0;
        peer.budget = std::min(peer.budget + (now - peer.budgetAt) * cps, std::max(1.0, cps * 0.02));
        peer.budgetAt = now;
        allowed = std::min(allowed, static_cast<std::size_t>(peer.budget));
        if (allowed == 0) return;
    }
    if (paced && drip_) allowed = 1;
    ssize_t n = write(peer.fd, peer.out.data() + peer.outPos, allowed);
    if (n > 0) {
        peer.outPos += static_cast<std::size_t>(n);
        if (paced && options_.baud > 0) peer.budget -= static_cast<double>(n);
        if (paced && drip_) peer.nextWrite = now + kDripGap;
        if (peer.outPos == peer.out.size()) {
            peer.out.clear();
            peer.outPos = 0;
        } else if (peer.outPos > (1 << 16)) {
            peer.out.erase(0, peer.outPos);
            peer.outPos = 0;
        }
    }
}

int SimServer::Run() {
    while (!quit_ && !gStop) {
        double now = Now();

        if (!floodStarted_ && options_.floodRate > 0 && Clients() != "none") {
            floodStarted_ = true;
            model_.StartFlood(options_.floodRate, options_.floodSeconds, now);
        }
        if (options_.dropAfter > 0 && tcpClient_ && now - tcpClient_->connectedAt >= options_.dropAfter) {
            std::cerr << "orvane-sim: dropping the tcp client\n";
            CloseTcpClient();
        }
        if (pty_ && !pty_->connected && now >= pty_->nextHupCheck) {
            pollfd p{pty_->fd, POLLIN, 0};
            if (poll(&p, 1, 0) >= 0 && !(p.revents & POLLHUP)) {
                pty_->connected = true;
                pty_->connectedAt = now;
                std::cerr << "orvane-sim: pty client connected\n";
            }
            pty_->nextHupCheck = now + kPtyPoll;
        }
        if (pty_ && pty_->connected && options_.dropAfter > 0 && now - pty_->connectedAt >= options_.dropAfter) {
            ClosePty();
            if (!OpenPty()) return 1;
        }

        std::string traffic = model_.Advance(now);
        if (!silent_) Broadcast(traffic);

        for (Peer* p : {tcpClient_.get(), pty_.get()})
            if (p && p->connected) WritePending(*p, now, true);
        for (auto& c : controls_)
            if (c->Pending() > 0) WritePending(*c, now, false);

        std::vector<pollfd> fds;
        enum Kind { TcpListen, TcpClient, Pty, ControlListen, Control, StdinControl };
        std::vector<std::pair<Kind, std::size_t>> kinds;
        auto add = [&](int fd, short events, Kind k, std::size_t index = 0) {
            fds.push_back({fd, events, 0});
            kinds.push_back({k, index});
        };
        double timeout = kTick;
        if (tcpListen_ >= 0) add(tcpListen_, POLLIN, TcpListen);
        if (tcpClient_) {
            add(tcpClient_->fd, static_cast<short>(POLLIN | (tcpClient_->Pending() ? POLLOUT : 0)), TcpClient);
            timeout = std::min(timeout, NextWriteDelay(*tcpClient_, now));
        }
        if (pty_ && pty_->connected) {
            add(pty_->fd, static_cast<short>(POLLIN | (pty_->Pending() ? POLLOUT : 0)), Pty);
            timeout = std::min(timeout, NextWriteDelay(*pty_, now));
        }
        if (controlListen_ >= 0) add(controlListen_, POLLIN, ControlListen);
        for (std::size_t i = 0; i < controls_.size(); ++i)
            add(controls_[i]->fd, static_cast<short>(POLLIN | (controls_[i]->Pending() ? POLLOUT : 0)), Control, i);
        if (stdinControl_ && stdinControl_->connected) add(STDIN_FILENO, POLLIN, StdinControl);

        int ms = static_cast<int>(timeout * 1000.0);
        if (ms < 0) ms = 0;
        int ready = poll(fds.data(), fds.size(), ms);
        if (ready < 0) {
            if (errno == EINTR) continue;
            std::cerr << "orvane-sim: poll: " << std::strerror(errno) << "\n";
            return 1;
        }
        now = Now();
        for (std::size_t i = 0; i < fds.size(); ++i) {
            const short ev = fds[i].revents;
            if (!ev) continue;
            switch (kinds[i].first) {
            case TcpListen: AcceptTcp(); break;
            case TcpClient:
                if (!tcpClient_) break;
                if (ev & (POLLIN | POLLHUP | POLLERR)) ReadPeer(*tcpClient_);
                if (tcpClient_ && (ev & POLLOUT)) WritePending(*tcpClient_, now, true);
                break;
            case Pty:
                if (!pty_) break;
                if (ev & POLLIN) ReadPeer(*pty_);
                if (pty_ && (ev & POLLHUP) && !(ev & POLLIN)) {
                    pty_->connected = false;
                    pty_->out.clear();
                    pty_->outPos = 0;
                    std::cerr << "orvane-sim: pty client disconnected\n";
                }
                if (pty_ && pty_->connected && (ev & POLLOUT)) WritePending(*pty_, now, true);
                break;
            case ControlListen: AcceptControl(); break;
            case Control:
                if (kinds[i].second < controls_.size()) {
                    Peer& c = *controls_[kinds[i].second];
                    if (ev & (POLLIN | POLLHUP | POLLERR)) ReadControl(c, false);
                    if (c.connected && (ev & POLLOUT)) WritePending(c, now, false);
                }
                break;
            case StdinControl:
                if (stdinControl_) ReadControl(*stdinControl_, true);
                break;
            }
            if (quit_) break;
        }
        // Flush the answers of a final command before leaving.
        for (auto& c : controls_)
            if (c->Pending() > 0) WritePending(*c, Now(), false);
        controls_.erase(std::remove_if(controls_.begin(), controls_.end(),
                                       [](const std::unique_ptr<Peer>& c) {
                                           if (c->connected) return false;
                                           close(c->fd);
                                           return true;
                                       }),
                        controls_.end());
    }
    return 0;
}

}  // namespace orvane::sim
