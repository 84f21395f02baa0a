// The command tabs' view of the link: send a command, and the
// acknowledgement flag that paces continuous sending.
#pragma once

#include <QString>

#include "generators/CommandSink.h"
#include "link/Link.h"

namespace orvane {

class LinkCommandSink : public CommandSink {
public:
    explicit LinkCommandSink(Link& link) : link_(link) {}

    void SendOrvaneCommand(const std::string& line, bool forceAck) override {
        link_.SetFullSpeedAcks(forceAck);
        confirmedByTab_ = false;
        link_.SendOrvaneCommand(QString::fromLatin1(line.data(), qsizetype(line.size())));
    }
    // The tab may declare the last command confirmed (the start of a run);
    // the next send clears that again.
    bool SendConfirmed() const override { return confirmedByTab_ || link_.SendConfirmed(); }
    void SetSendConfirmed(bool confirmed) override { confirmedByTab_ = confirmed; }

private:
    Link& link_;
    bool confirmedByTab_ = false;
};

}  // namespace orvane
