#include "shell/Settings.h"

#include <cctype>
#include <charconv>

namespace orvane {

const std::array<const char*, TabCount> kTabSettingNames = {
    "ShowLightingTab", "ShowLabelsTab", "ShowControlTab", "ShowSceneMgtTab", "ShowAudioTab",
    "ShowTelephonyTab", "ShowSecurityTab", "ShowAccessTab", "ShowHVACTab", "ShowErrorTab",
    "ShowMeasurementTab", "ShowTimeTab", "ShowMediaTransportTab", "ShowShortInformationTab",
    "ShowCALTab", "ShowCustomTab"};

const std::array<const char*, TabCount> kTabMenuCaptions = {
    "Lighting", "Labels", "Control", "Scene Management", "Audio", "Telephony", "Security",
    "Access Control", "HVAC", "Error Reporting", "Measurement", "Time", "Media Transport Control",
    "Information Messages", "CAL", "Custom"};

bool IsHiddenTab(int tab) {
    return tab == TabSceneManagement || tab == TabMediaTransport || tab == TabInformationMessages ||
           tab == TabCAL || tab == TabCustom;
}

int Options::DecodeOptions() const {
    return (ShowDestination ? 0x01 : 0) | (ShowNetwork ? 0x02 : 0) | (ShowApplication ? 0x04 : 0) |
           (ShowMessage ? 0x08 : 0);
}

std::optional<long long> ParseStoredInteger(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    long long v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return v;
}

std::optional<bool> ParseStoredBool(std::string_view text) {
    auto v = ParseStoredInteger(text);
    if (!v) return std::nullopt;
    return *v != 0;
}

namespace {

constexpr std::string_view kOptions = "Options";

struct Reader {
    const SettingsStore& store;
    std::string_view section;

    // Names and addresses are short; anything longer is not one of them.
    static constexpr std::size_t kMaxText = 255;
    void Text(std::string_view name, std::string& value) const {
        if (auto t = store.Read(section, name); t && t->size() <= kMaxText) value = *t;
    }
    void Int(std::string_view name, int& value, long long lo, long long hi) const {
        auto t = store.Read(section, name);
        if (!t) return;
        auto v = ParseStoredInteger(*t);
        if (v && *v >= lo && *v <= hi) value = static_cast<int>(*v);
    }
    void Bool(std::string_view name, bool& value) const {
        auto t = store.Read(section, name);
        if (!t) return;
        if (auto v = ParseStoredBool(*t)) value = *v;
    }
};

std::string BoolText(bool b) { return b ? "1" : "0"; }

}  // namespace

Options ReadOptions(const SettingsStore& store) {
    Options o;
    Reader r{store, kOptions};
    r.Text("COMPort", o.COMPort);
    r.Text("IPAddress", o.IPAddress);
    r.Int("Port", o.Port, 0, 65535);
    r.Int("ConnectionType", o.ConnectionType, 0, 1);
    r.Bool("UseTZLHandshake", o.UseTZLHandshake);
    r.Bool("CombineLists", o.CombineLists);
    r.Bool("ShowDecodedMessage", o.ShowDecodedMessage);
    r.Bool("ShowASCII", o.ShowASCII);
    for (int i = 0; i < TabCount; ++i) r.Bool(kTabSettingNames[i], o.ShowTab[i]);
    r.Bool("ShowDestination", o.ShowDestination);
    r.Bool("ShowNetwork", o.ShowNetwork);
    r.Bool("ShowApplication", o.ShowApplication);
    o.ShowMessage = true;  // stored, but every run starts with it on
    r.Bool("HexNumbers", o.HexNumbers);
    r.Bool("WordWrap", o.WordWrap);
    r.Bool("ShowTime", o.ShowTime);
    r.Bool("AckChar", o.AckChar);
    r.Bool("ShowDate", o.ShowDate);
    r.Int("TimeDP", o.TimeDP, 0, 2);
    r.Bool("ShowApplicationWarning", o.ShowApplicationWarning);
    r.Bool("MMIAutoUpdate", o.MMIAutoUpdate);
    return o;
}

void WriteOptions(SettingsStore& store, const Options& o) {
    auto b = [&](std::string_view name, bool v) { store.Write(kOptions, name, BoolText(v)); };
    auto i = [&](std::string_view name, int v) { store.Write(kOptions, name, std::to_string(v)); };
    store.Write(kOptions, "COMPort", o.COMPort);
    store.Write(kOptions, "IPAddress", o.IPAddress);
    i("Port", o.Port);
    i("ConnectionType", o.ConnectionType);
    b("UseTZLHandshake", o.UseTZLHandshake);
    b("CombineLists", o.CombineLists);
    b("ShowDecodedMessage", o.ShowDecodedMessage);
    b("ShowASCII", o.ShowASCII);
    for (int t = 0; t < TabCount; ++t) b(kTabSettingNames[t], o.ShowTab[t]);
    b("ShowDestination", o.ShowDestination);
    b("ShowNetwork", o.ShowNetwork);
    b("ShowApplication", o.ShowApplication);
    b("ShowMessage", o.ShowMessage);
    b("HexNumbers", o.HexNumbers);
    b("WordWrap", o.WordWrap);
    b("ShowTime", o.ShowTime);
    b("AckChar", o.AckChar);
    b("ShowDate", o.ShowDate);
    i("TimeDP", o.TimeDP);
    b("ShowApplicationWarning", o.ShowApplicationWarning);
    b("MMIAutoUpdate", o.MMIAutoUpdate);
}

SavedGeometry ReadGeometry(const SettingsStore& store, std::string_view name) {
    std::string section = "Forms/" + std::string(name);
    SavedGeometry g;
    auto get = [&](std::string_view key) -> std::optional<int> {
        auto t = store.Read(section, key);
        if (!t) return std::nullopt;
        auto v = ParseStoredInteger(*t);
        if (!v || *v < -100000 || *v > 100000) return std::nullopt;
        return static_cast<int>(*v);
    };
    g.Top = get("Top");
    g.Left = get("Left");
    g.Width = get("Width");
    g.Height = get("Height");
    return g;
}

void WriteGeometry(SettingsStore& store, std::string_view name, int top, int left, int width, int height) {
    std::string section = "Forms/" + std::string(name);
    store.Write(section, "Top", std::to_string(top));
    store.Write(section, "Left", std::to_string(left));
    store.Write(section, "Height", std::to_string(height));
    store.Write(section, "Width", std::to_string(width));
}

Placement PlaceWindow(const SavedGeometry& saved, int screenWidth, int screenHeight) {
    Placement p;
    // A size of nothing would leave a window nobody can reach.
    p.width = (saved.Width && *saved.Width > 0) ? *saved.Width : 800;
    p.height = (saved.Height && *saved.Height > 0) ? *saved.Height : 600;
    p.top = saved.Top ? *saved.Top : (screenHeight - 600) / 2;
    p.left = saved.Left ? *saved.Left : (screenWidth - 800) / 2;
    if (screenWidth < p.width || screenHeight < p.height) {
        p.maximised = true;
        return p;
    }
    if (p.left + p.width > screenWidth) p.left = screenWidth - p.width;
    if (p.top + p.height > screenHeight) p.top = screenHeight - p.height;
    // A window left beyond the top or left edge comes back onto the screen.
    if (p.left < 0) p.left = 0;
    if (p.top < 0) p.top = 0;
    return p;
}

WhatsNewSettings ReadWhatsNew(const SettingsStore& store) {
    WhatsNewSettings w;
    Reader r{store, "WhatsNew"};
    r.Bool("AutoShow", w.AutoShow);
    r.Text("VersionNumber", w.VersionNumber);
    return w;
}

void WriteWhatsNew(SettingsStore& store, const WhatsNewSettings& w) {
    store.Write("WhatsNew", "AutoShow", BoolText(w.AutoShow));
    store.Write("WhatsNew", "VersionNumber", w.VersionNumber);
}

}  // namespace orvane
