// The lighting command builders: the tab's values in, the command text out.
#pragma once

#include <array>
#include <random>
#include <string>
#include <vector>

#include "decode/Hex.h"
#include "generators/Headers.h"

namespace orvane {

enum class LightingCommandKind {
    None = 0,
    On = 1,
    Off = 2,
    Ramp = 3,
    LrnInitRelay = 4,
    LrnInitDimmer = 5,
    LrnExitRelay = 6,
    LrnExitDimmer = 7,
    LrnCancel = 8,
};

inline constexpr int kLightingOnByte = 0x79;
inline constexpr int kLightingOffByte = 0x01;
inline constexpr int kLightingTerminateRampByte = 0x09;
inline constexpr int kLightingDefaultApplication = 0x38;

// The rate list of the tab, entry i selecting the ramp byte 0x02 + 8 x i.
extern const std::array<const char*, 16> kLightingRampRateTexts;
int LightingRampByte(int rateIndex);

// The two speed lists.
extern const std::array<const char*, 4> kLightingSpeedTexts;
inline constexpr int kLightingDefaultSpeed = 1;  // "Medium Speed (1 second)"
inline constexpr int kLightingFullSpeed = 3;
int LightingSpeedInterval(int speedIndex);  // timer interval in ms
inline bool LightingIsFullSpeed(int speedIndex) { return speedIndex == kLightingFullSpeed; }

enum class LightingRandomType { OnOff = 0, OnOffRamp = 1, OnOffRampConcatenated = 2 };
extern const std::array<const char*, 3> kLightingCommandTypeTexts;

// "%" mode gives PercentToLevel of the selected index, "Level" the index.
int LightingLevelValue(bool percentMode, int selectedIndex);

// SALHeader(application) followed by the bytes of the kind; empty when the
// header cannot be built or the kind is None. Group and level are held to
// 00..FF.
std::string LightingMakeCommandString(const RemoteNetwork& remote, int application, int group, int rateIndex,
                                      int level, LightingCommandKind kind);

// The header of the application followed by 09 and the group.
std::string LightingTerminateRampString(const RemoteNetwork& remote, int application, int group);

// The 32 messages of All On (0x79) or All Off (0x01): eight commands each,
// for groups 8b to 8b + 7. Empty when the header cannot be built.
std::vector<std::string> LightingAllGroupMessages(const RemoteNetwork& remote, int application, int commandByte);

// "GA" + group text + " " + the level, as a percentage when it reads back as
// one, else as a number.
std::string GetOrvaneCommandDescription(const NumberFormat& fmt, const std::string& groupText,
                                        LightingCommandKind kind, int level);

// "Use of Application Addresses outside the range ... may cause undesirable effects. ..."
std::string LightingApplicationWarningText(const NumberFormat& fmt);
inline bool LightingApplicationInUsualRange(int application) { return application >= 0x30 && application <= 0x7F; }

struct LightingRandomSettings {
    int firstApplication = kLightingDefaultApplication;
    int lastApplication = kLightingDefaultApplication;
    int firstGroup = 0;
    int lastGroup = 255;
    LightingRandomType type = LightingRandomType::OnOffRampConcatenated;
};

// One random lighting message; every draw is uniform over its range, both
// ends included. A reversed range is taken the right way round.
std::string LightingRandomMessage(const RemoteNetwork& remote, const LightingRandomSettings& settings,
                                  std::mt19937& rng);

// One tick of continuous sending at full speed waits for the previous
// command's acknowledgement.
enum class LightingTickAction { Send, Wait, TimedOut };
inline constexpr int kLightingConfirmWaitLimit = 20;
inline constexpr const char* kLightingTimeoutText =
    "Timeout when waiting for a PCI to come available. Perhaps the PCI is dodgy.";
// Decides a tick; updates the wait count and, on Send at full speed, clears
// sendConfirmed for the command about to go out.
LightingTickAction LightingRunTick(bool fullSpeed, bool& sendConfirmed, int& confirmWaitTicks);

}  // namespace orvane
