import QtQuick 2.9

// What the window hands every device page, and what a page hands back.
Item {
    id: page
    property real ratio_w: 1
    property real ratio_h: 1
    // The device's map from the discovery answer.
    property var deviceInfo: ({})
    // The window's command map for this device, reused for every send.
    property var commandMap: ({ "Control": -1 })
    // The window's map for the background listener.
    property var listenerMap: ({ "Control": -1 })
    property var supportLinks: ({})
    // The last lighting command saved by the worker ("" when none), for the graphics card page.
    property var lastAction: ""
    // The favourites known to the window (null until the worker has sent them).
    property var favorites: null
    // The games and programs that can be linked to mouse profiles (from the discovery answer).
    property var gameList: []
    // Whether the server offers newer receiver firmware (the server-information answer).
    property bool dongleUpdate: false
    // Why the update server gave nothing ("" when it answered): firmware and support entries
    // say so instead of claiming there is nothing newer.
    property string updateCheckError: ""
    // The window covers itself with the loading mask while this is true.
    property bool busy: false

    signal favoritesUpdated(var list)
    signal lightingApplied(var answer)
    signal gamesUpdated(var list)
    // A message for the tray's balloon (the mouse's low battery).
    signal batteryWarning(string title, string message)
    // Every command handed to the worker, by its "Control"; the last one is kept too, for the
    // window to see what the page sent while it was being created.
    signal commandSent(int control)
    // The page has stopped the background listener it borrowed (the hardware monitor).
    signal listenerReleased()
    // The user asks to look at the update server again.
    signal serverCheckRequested()
    property int lastSentControl: -1

    function intOf(value, fallback) {
        var n = parseInt(value)
        return isNaN(n) ? fallback : n
    }

    // Writes the values into the page's command map and hands the whole map to the worker.
    function send(values) {
        for (var key in values)
            commandMap[key] = values[key]
        lastSentControl = intOf(commandMap["Control"], -1)
        commandSent(lastSentControl)
        talvorin_worker.receiveDataFromQML(commandMap)
    }
}
