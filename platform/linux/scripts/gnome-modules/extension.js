// GNOME Shell 45 and later (ES modules). Tells Talvorin over D-Bus which window has the focus:
// its title, its window class and its process id.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

function reportWindow(window) {
    if (!window)
        return;
    const pid = window.get_pid();
    if (pid <= 0)
        return;
    Gio.DBus.session.call('org.talvorin.Talvorin', '/org/talvorin/Foreground', 'org.talvorin.Foreground',
        'WindowActivated', new GLib.Variant('(ssi)', [window.get_title() ?? '', window.get_wm_class() ?? '', pid]),
        null, Gio.DBusCallFlags.NO_AUTO_START, -1, null, null);
}

export default class TalvorinForeground extends Extension {
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
