import QtQuick 2.9
import QtTest 1.2

// The program's font must be known before the first text is made, on both ways of starting.
// Run in a process of its own (see CMakeLists.txt): once any text has asked for the font before
// it was loaded, Qt keeps answering with the fallback, so the other test files would hide a fault.
TestCase {
    id: testCase
    name: "FontsAtStart"
    when: windowShown

    property var windowComponent: Qt.createComponent("qrc:/main.qml")

    function init() {
        talvorin_worker.reset()
        launchOptions.startPage = ""
        launchOptions.showWindow = false
        launchOptions.screenshotMode = false
    }

    function caption(win) {
        var text = findChild(win.contentItem, "captionText")
        verify(text !== null)
        return text
    }

    function test_a_start_without_intro() {
        launchOptions.startPage = "home"
        var win = createTemporaryObject(windowComponent, testCase)
        verify(win.contentReady)
        compare(caption(win).fontInfo.family, "Kanit")
    }

    function test_b_start_with_intro() {
        launchOptions.showWindow = true
        var win = createTemporaryObject(windowComponent, testCase)
        tryVerify(function() { return win.contentReady })
        compare(caption(win).fontInfo.family, "Kanit")
    }
}
