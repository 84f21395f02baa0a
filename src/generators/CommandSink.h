// What a command tab needs of the link: a way to send a command and the
// acknowledgement flag that paces continuous sending. The main window hands
// the tabs an adapter over the real link.
#pragma once

#include <string>

namespace orvane {

class CommandSink {
public:
    virtual ~CommandSink() = default;
    // Completes (checksum, acknowledgement character), shows, decodes and
    // sends one command. forceAck asks for an acknowledgement character
    // whatever the user's option says (continuous sending at full speed).
    virtual void SendOrvaneCommand(const std::string& line, bool forceAck) = 0;
    // Cleared by every send, set by the receive path when an acknowledgement
    // character comes back.
    virtual bool SendConfirmed() const = 0;
    virtual void SetSendConfirmed(bool confirmed) = 0;
};

}  // namespace orvane
