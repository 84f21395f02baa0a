// The simulator's control channel: one-line text commands that inject
// faults and report the virtual network's state. The wording of every reply
// is fixed (tools/sim/README.md) because tests script against it.
#pragma once

#include <string>
#include <string_view>

#include "SimInterface.h"

namespace orvane::sim {

// What a control command may do to the running program.
class ControlHost {
public:
    virtual ~ControlHost() = default;
    virtual SimInterface& Model() = 0;
    // Ends the current client's connection; false when there is none.
    virtual bool DropClient() = 0;
    // Queues text to the client unless the interface is silent.
    virtual void SendToClient(const std::string& text) = 0;
    virtual void SetSilent(bool on) = 0;
    virtual bool Silent() const = 0;
    virtual void SetDrip(bool on) = 0;
    virtual bool Drip() const = 0;
    virtual void Quit() = 0;
    // "tcp", "pty", "tcp+pty" or "none": the links that have a client.
    virtual std::string Clients() const = 0;
};

// Runs one command line and returns the reply, every line ended by "\n".
std::string RunControlCommand(std::string_view line, ControlHost& host, double now);

}  // namespace orvane::sim
