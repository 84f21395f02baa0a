// Message headers: how a command travels (to every unit of an application,
// to one unit, or through a path of bridges to a remote network).
// Pure functions of the remote-network setting; the window shows the error.
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// The main window's "Remote Network" box and its path edit.
struct RemoteNetwork {
    bool enabled = false;
    std::string path;  // hex pairs, first bridge first
};

inline constexpr int kMaxNetworkPathBytes = 6;
inline constexpr const char* kInvalidRemoteNetworkPathText = "Invalid Remote Network Path.";

// The route byte that travels with a path of n bytes (9 x n), as two hex
// digits; empty for a length outside 1..6, which has no route byte.
std::string RouteByteText(int pathBytes);

// True when the path text is one to six hex pairs.
bool IsValidNetworkPath(std::string_view path);

// True when commands may be built: the box is unchecked, or its path is valid.
bool CheckRemoteNetworkPath(const RemoteNetwork& remote);

// Number of characters of the path while the box is checked and the count
// is even, else 0.
int GetNetworkPathLength(const RemoteNetwork& remote);

// Header of a command to all units of an application; empty when the
// remote path is not valid.
std::string SALHeader(const RemoteNetwork& remote, int application);
// Header of a command to one unit; empty when the remote path is not valid.
std::string CALHeaderForUnit(const RemoteNetwork& remote, int unit);
// Header of the CAL tab: the chosen unit, or the local interface ("@" from
// firmware 4.0 on, "~~~" before it).
std::string CALHeader(const RemoteNetwork& remote, bool otherUnit, int unit, int pciVersion);

// A value as two upper-case hex digits, held to 0..255 (300 gives FF,
// -1 gives 00).
std::string ClampedByteText(long long value);

}  // namespace orvane
