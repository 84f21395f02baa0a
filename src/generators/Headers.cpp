#include "generators/Headers.h"

#include <algorithm>
#include <cctype>

#include "decode/Hex.h"

namespace orvane {

namespace {

std::string UpperPath(std::string_view path) {
    std::string s(path);
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The path as it follows the header byte: first bridge, route byte, the
// remaining bridges. Empty when the setting is local.
std::string RoutedPart(const RemoteNetwork& remote) {
    if (!remote.enabled || remote.path.empty()) return {};
    const std::string path = UpperPath(remote.path);
    return path.substr(0, 2) + RouteByteText(static_cast<int>(path.size() / 2)) + path.substr(2);
}

}  // namespace

std::string ClampedByteText(long long value) {
    return UpperHex2(static_cast<int>(std::clamp<long long>(value, 0, 255)));
}

std::string RouteByteText(int pathBytes) {
    if (pathBytes < 1 || pathBytes > kMaxNetworkPathBytes) return {};
    return UpperHex2(9 * pathBytes);
}

bool IsValidNetworkPath(std::string_view path) {
    // A path longer than six bridges has no route byte; it is refused rather
    // than sent with a made-up one.
    return IsHexText(path) && path.size() <= 2 * kMaxNetworkPathBytes;
}

bool CheckRemoteNetworkPath(const RemoteNetwork& remote) {
    return !remote.enabled || IsValidNetworkPath(remote.path);
}

int GetNetworkPathLength(const RemoteNetwork& remote) {
    if (!remote.enabled || remote.path.size() % 2 != 0) return 0;
    return static_cast<int>(remote.path.size());
}

std::string SALHeader(const RemoteNetwork& remote, int application) {
    if (!CheckRemoteNetworkPath(remote)) return {};
    const std::string routed = RoutedPart(remote);
    if (!routed.empty()) return "\\03" + routed + ClampedByteText(application);
    return "\\05" + ClampedByteText(application) + "00";
}

std::string CALHeaderForUnit(const RemoteNetwork& remote, int unit) {
    if (!CheckRemoteNetworkPath(remote)) return {};
    const std::string routed = RoutedPart(remote);
    if (!routed.empty()) return "\\06" + routed + ClampedByteText(unit);
    return "\\06" + ClampedByteText(unit) + "00";
}

std::string CALHeader(const RemoteNetwork& remote, bool otherUnit, int unit, int pciVersion) {
    if (otherUnit) return CALHeaderForUnit(remote, unit);
    return pciVersion >= 0x400 ? "@" : "~~~";
}

}  // namespace orvane
