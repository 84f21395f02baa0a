// The user's settings as plain values, with their stored names and defaults,
// and the rules that turn stored text back into values.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Where settings are kept: text values under a section ("Options",
// "Forms/Main", "WhatsNew") and a name.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> Read(std::string_view section, std::string_view name) const = 0;
    virtual void Write(std::string_view section, std::string_view name, const std::string& value) = 0;
    // Makes what was written durable now.
    virtual void Flush() {}
};

// The command tabs in the order of the "Show Tabs" menu.
enum TabIndex : int {
    TabLighting, TabLabels, TabControl, TabSceneManagement, TabAudio, TabTelephony, TabSecurity,
    TabAccessControl, TabHVAC, TabErrorReporting, TabMeasurement, TabTime, TabMediaTransport,
    TabInformationMessages, TabCAL, TabCustom, TabCount
};
extern const std::array<const char*, TabCount> kTabSettingNames;   // ShowLightingTab ...
extern const std::array<const char*, TabCount> kTabMenuCaptions;   // "Lighting" ...
// The five tabs this program keeps hidden whatever their flags say.
bool IsHiddenTab(int tab);

inline constexpr const char* kDefaultIPAddress = "192.168.1.100";

struct Options {
    std::string COMPort = "COM1";
    std::string IPAddress = kDefaultIPAddress;
    int Port = 14000;
    int ConnectionType = 0;  // 0 serial, 1 TCP/IP
    bool UseTZLHandshake = false;
    bool CombineLists = true;
    bool ShowDecodedMessage = true;
    bool ShowASCII = false;
    std::array<bool, TabCount> ShowTab{true, true, true, true, true, true, true, true,
                                       true, true, true, true, true, true, true, true};
    bool ShowDestination = false;
    bool ShowNetwork = false;
    bool ShowApplication = false;
    bool ShowMessage = true;  // written only: every run starts with it on
    bool HexNumbers = false;
    bool WordWrap = true;
    bool ShowTime = true;
    bool AckChar = false;
    bool ShowDate = false;
    int TimeDP = 0;
    bool ShowApplicationWarning = true;
    bool MMIAutoUpdate = false;

    // DecodeOptions from the four show settings.
    int DecodeOptions() const;
    bool operator==(const Options&) const = default;
};

// Stored text to values: integers in decimal (surrounding blanks allowed),
// booleans as numbers where anything but 0 is true. Nothing for text that
// is not a number.
std::optional<long long> ParseStoredInteger(std::string_view text);
std::optional<bool> ParseStoredBool(std::string_view text);

Options ReadOptions(const SettingsStore& store);
void WriteOptions(SettingsStore& store, const Options& options);

// A window's saved position and size ("Forms/" + name); missing or
// unreadable values stay empty.
struct SavedGeometry {
    std::optional<int> Top, Left, Width, Height;
};
SavedGeometry ReadGeometry(const SettingsStore& store, std::string_view name);
void WriteGeometry(SettingsStore& store, std::string_view name, int top, int left, int width, int height);

// Where a window opens on a screen of the given size (SetFormSize).
struct Placement {
    bool maximised = false;
    int left = 0, top = 0, width = 800, height = 600;
};
Placement PlaceWindow(const SavedGeometry& saved, int screenWidth, int screenHeight);

// The "WhatsNew" values.
struct WhatsNewSettings {
    bool AutoShow = true;
    std::string VersionNumber = "New";
};
WhatsNewSettings ReadWhatsNew(const SettingsStore& store);
void WriteWhatsNew(SettingsStore& store, const WhatsNewSettings& values);

}  // namespace orvane
