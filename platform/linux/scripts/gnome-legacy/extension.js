// GNOME Shell 43 and 44 (the older extension format). Tells Talvorin over D-Bus which window
// has the focus: its title, its window class and its process id.
const {Gio, GLib} = imports.gi;

function reportWindow(window) {
    if (!window)
        return;
    const pid = window.get_pid();
    if (pid <= 0)
        return;
    Gio.DBus.session.call('org.talvorin.Talvorin', '/org/talvorin/Foreground', 'org.talvorin.Foreground',
        'WindowActivated', new GLib.Variant('(ssi)', [window.get_title() || '', window.get_wm_class() || '', pid]),
        null, Gio.DBusCallFlags.NO_AUTO_START, -1, null, null);
}

class TalvorinForeground {
    enable() {
        this._focusHandler = global.display.connect('notify::focus-window',
            () => reportWindow(global.display.focus_window));
        reportWindow(global.display.focus_window);
    }

    disable() {
        if (this._focusHandler) {
            global.display.disconnect(this._focusHandler);
            this._focusHandler = null;
        }
    }
}

function init() {
    return new TalvorinForeground();
}
