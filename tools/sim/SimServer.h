// The simulator's links: a TCP port like the network interface, a
// pseudo-terminal like the serial interface, and the control channel.
// Single-threaded around poll().
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "SimControl.h"
#include "SimInterface.h"

namespace orvane::sim {

struct ServerOptions {
    int tcpPort = -1;       // -1: no TCP link; 0 picks a free port
    std::string ptyPath;    // empty: no pseudo-terminal
    int controlPort = -1;   // -1: no control port
    bool stdinControl = false;
    int baud = 0;           // 0: as fast as the link takes
    bool drip = false;
    bool silent = false;
    double dropAfter = 0;   // seconds a client may stay connected (0: for ever)
    double floodRate = 0;   // flood when the first client connects
    double floodSeconds = 0;
};

class SimServer : public ControlHost {
public:
    SimServer(SimInterface& model, ServerOptions options);
    ~SimServer() override;

    // Opens the links and prints one line per link on stdout.
    // Returns false (after a message on stderr) when a link cannot be opened.
    bool Open();
    // Serves until quit or a termination signal.
    int Run();

    SimInterface& Model() override { return model_; }
    bool DropClient() override;
    void SendToClient(const std::string& text) override;
    void SetSilent(bool on) override { silent_ = on; }
    bool Silent() const override { return silent_; }
    void SetDrip(bool on) override { drip_ = on; }
    bool Drip() const override { return drip_; }
    void Quit() override { quit_ = true; }
    std::string Clients() const override;

private:
    struct Peer;
    double Now() const;
    bool OpenPty();
    void ClosePty();
    void AcceptTcp();
    void AcceptControl();
    void ReadPeer(Peer& peer);
    void Feed(Peer& peer, const char* data, std::size_t n);
    void ReadControl(Peer& peer, bool fromStdin);
    void Broadcast(const std::string& text);
    void WritePending(Peer& peer, double now, bool paced);
    double NextWriteDelay(const Peer& peer, double now) const;
    void CloseTcpClient();
    int PtyClientRate() const;

    SimInterface& model_;
    ServerOptions options_;
    bool silent_ = false;
    bool drip_ = false;
    bool quit_ = false;
    bool floodStarted_ = false;
    int tcpListen_ = -1;
    int controlListen_ = -1;
    std::unique_ptr<Peer> tcpClient_;
    std::unique_ptr<Peer> pty_;
    std::string ptySlaveName_;
    std::vector<std::unique_ptr<Peer>> controls_;
    std::unique_ptr<Peer> stdinControl_;
    double start_ = 0;
};

}  // namespace orvane::sim
