// Loaded into KWin by Talvorin over KWin's D-Bus scripting interface. Tells Talvorin which
// window comes to the front (caption, window class, process id), so that a game linked to a
// mouse profile switches the profile also on a Wayland session.
// KWin 6 calls the signal windowActivated and the property activeWindow; KWin 5 calls them
// clientActivated and activeClient.

function reportWindow(window) {
    if (!window)
        return;
    callDBus("org.talvorin.Talvorin", "/org/talvorin/Foreground", "org.talvorin.Foreground",
             "WindowActivated", String(window.caption), window.resourceClass, window.pid);
}

if (workspace.windowActivated !== undefined)
    workspace.windowActivated.connect(reportWindow);
else
    workspace.clientActivated.connect(reportWindow);

reportWindow(workspace.activeWindow !== undefined ? workspace.activeWindow : workspace.activeClient);
