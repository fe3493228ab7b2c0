#pragma once
// Where compositor scripts report the window in front: our name, object and method on the
// session bus. The KWin script and the GNOME Shell extension call exactly these.
namespace platform {

constexpr char kForegroundService[] = "org.talvorin.Talvorin";
constexpr char kForegroundPath[] = "/org/talvorin/Foreground";
constexpr char kForegroundInterface[] = "org.talvorin.Foreground";
// WindowActivated(caption, window class, process id)
constexpr char kForegroundMethod[] = "WindowActivated";

constexpr char kKWinService[] = "org.kde.KWin";
constexpr char kGnomeShellService[] = "org.gnome.Shell";

// The name KWin knows our script by, and the GNOME Shell extension's id.
constexpr char kKWinScriptName[] = "talvorin-foreground";
constexpr char kGnomeExtensionUuid[] = "talvorin-foreground@talvorin.org";

} // namespace platform
