import QtQuick 2.9
import QtQuick.Dialogs 1.2
import my.util 1.0

// Export and import of a custom preset as a JSON file, through the system's file dialogs.
Item {
    id: files
    // What "Export" writes: "ModeName", "dialogEnhance", "bassControl", "GEQ_Band0" ...
    property var preset: ({})
    property string message: ""
    property bool failed: false
    signal imported(var preset)

    function exportTo(fileUrl) {
        var problem = equalizer.exportPreset(fileUrl, preset)
        failed = problem.length > 0
        message = failed ? problem : "Exported \"" + preset["ModeName"] + "\"."
    }

    function importFrom(fileUrl) {
        var read = equalizer.importPreset(fileUrl)
        failed = read["error"] !== undefined
        if (failed) {
            message = "Not imported: " + read["error"]
            return
        }
        message = "Imported \"" + read["ModeName"] + "\": save it to a custom mode to keep it."
        imported(read)
    }

    function chooseExport() { exportDialog.open() }
    function chooseImport() { importDialog.open() }

    HeadsetEqualizer {
        id: equalizer
    }

    FileDialog {
        id: exportDialog
        title: "Export preset"
        selectExisting: false
        nameFilters: ["Equalizer presets (*.json)"]
        onAccepted: files.exportTo(fileUrl)
    }

    FileDialog {
        id: importDialog
        title: "Import preset"
        nameFilters: ["Equalizer presets (*.json)", "All files (*)"]
        onAccepted: files.importFrom(fileUrl)
    }
}
