import QtQuick 2.9
import QtQuick.Controls 2.3
import QtQuick.Dialogs 1.2
import "../.."
import ".."
import "../../js/mouse.js" as Mouse

// Picks the games and programs linked to one profile; a program that is not listed can be
// added from a file dialog.
Popup {
    id: chooser
    property real ratio_w: 1
    property real ratio_h: 1
    property var games: []
    property int profile: 1
    property bool sortByName: false
    // The links being edited: app id -> linked to this profile.
    property var draft: ({})
    property string notice: ""
    readonly property var shown: sortByName ? Mouse.sortedByName(games) : games
    signal saveRequested(var changed)
    signal addRequested(string path)

    modal: true
    closePolicy: Popup.CloseOnEscape
    parent: Overlay.overlay
    x: parent ? (parent.width - width) / 2 : 0
    y: parent ? (parent.height - height) / 2 : 0
    width: 700 * ratio_w
    height: 620 * ratio_h
    padding: 24 * ratio_h

    function openFor(number) {
        profile = Math.max(1, number)
        notice = ""
        var links = {}
        for (var i = 0; i < games.length; ++i)
            links[games[i].AppID] = games[i].ProfileNum === profile
        draft = links
        open()
    }

    function isLinked(appId) {
        return draft[appId] === true
    }

    function setLinked(appId, linked) {
        var copy = {}
        for (var key in draft)
            copy[key] = draft[key]
        copy[appId] = linked
        draft = copy
    }

    // A program just added is meant to be linked.
    function markLinked(appId) {
        setLinked(appId, true)
    }

    function changedRecords() {
        var changed = []
        for (var i = 0; i < games.length; ++i) {
            var game = games[i]
            var wasLinked = game.ProfileNum === profile
            if (isLinked(game.AppID) === wasLinked)
                continue
            var record = Mouse.gameRecord(game)
            record.ProfileNum = isLinked(game.AppID) ? profile : 0
            record.Checked = isLinked(game.AppID)
            changed.push(record)
        }
        return changed
    }

    function save() {
        var changed = changedRecords()
        if (changed.length === 0)
            close()
        else
            saveRequested(changed)
    }

    function saved() {
        close()
    }

    FileDialog {
        id: fileDialog
        title: "Add other applications manually"
        selectMultiple: false
        onAccepted: chooser.addRequested(Mouse.localPath(fileUrl))
    }

    background: Rectangle {
        color: Palette.panel
        border.color: Palette.red
        border.width: 2
        radius: 8
    }

    Item {
        anchors.fill: parent

        Text {
            id: title
            text: "choose application to link"
            color: Palette.text
            font.family: Palette.fontFamily
            font.weight: Font.Medium
            font.pixelSize: 22 * chooser.ratio_h
        }
        ChoiceButton {
            objectName: "sortAZ"
            anchors.right: parent.right
            anchors.verticalCenter: title.verticalCenter
            text: "A-Z"
            chosen: chooser.sortByName
            ratio_w: chooser.ratio_w
            ratio_h: chooser.ratio_h
            onClicked: chooser.sortByName = !chooser.sortByName
        }

        Text {
            objectName: "noApplicationsText"
            visible: chooser.shown.length === 0
            anchors.top: title.bottom
            anchors.topMargin: 40 * chooser.ratio_h
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: "No games or programs were found to link.\nGames appear here when a Steam library is found "
                  + "on this computer; any other program can be added with \"Add other applications manually\"."
            color: Palette.textDim
            font.family: Palette.fontFamily
            font.pixelSize: 16 * chooser.ratio_h
        }

        ListView {
            id: list
            objectName: "applicationList"
            anchors.top: title.bottom
            anchors.topMargin: 16 * chooser.ratio_h
            anchors.bottom: footer.top
            anchors.bottomMargin: 12 * chooser.ratio_h
            width: parent.width
            clip: true
            spacing: 4 * chooser.ratio_h
            model: chooser.shown
            delegate: Rectangle {
                objectName: "application_" + modelData.AppID
                readonly property bool linked: chooser.isLinked(modelData.AppID)
                width: list.width
                height: 48 * chooser.ratio_h
                radius: 4
                color: linked ? "#2A0505" : Palette.panelRaised
                border.color: linked ? Palette.red : Palette.line
                CheckBox {
                    id: box
                    x: 6 * chooser.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    checked: parent.linked
                    onClicked: chooser.setLinked(modelData.AppID, checked)
                }
                Image {
                    id: icon
                    anchors.left: box.right
                    anchors.verticalCenter: parent.verticalCenter
                    width: 32 * chooser.ratio_h
                    height: width
                    fillMode: Image.PreserveAspectFit
                    source: modelData.IconPath.length > 0 ? "file://" + modelData.IconPath : ConfigData.mouseIcons[ConfigData.iconApplication]
                    sourceSize.width: 64
                    sourceSize.height: 64
                    onStatusChanged: if (status === Image.Error) source = ConfigData.mouseIcons[ConfigData.iconApplication]
                }
                Text {
                    anchors.left: icon.right
                    anchors.leftMargin: 12 * chooser.ratio_w
                    anchors.right: other.left
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    text: modelData.GameName
                    color: Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 16 * chooser.ratio_h
                }
                Text {
                    id: other
                    anchors.right: parent.right
                    anchors.rightMargin: 14 * chooser.ratio_w
                    anchors.verticalCenter: parent.verticalCenter
                    visible: modelData.ProfileNum > 0 && modelData.ProfileNum !== chooser.profile
                    text: "Profile " + modelData.ProfileNum
                    color: Palette.textDim
                    font.family: Palette.fontFamily
                    font.pixelSize: 14 * chooser.ratio_h
                }
            }
        }

        Column {
            id: footer
            anchors.bottom: parent.bottom
            width: parent.width
            spacing: 10 * chooser.ratio_h
            Text {
                objectName: "chooserNotice"
                visible: chooser.notice.length > 0
                text: chooser.notice
                color: "#FF6060"
                font.family: Palette.fontFamily
                font.pixelSize: 15 * chooser.ratio_h
            }
            Row {
                spacing: 12 * chooser.ratio_w
                TextButton {
                    objectName: "addApplication"
                    text: "Add other applications manually"
                    ratio_w: chooser.ratio_w
                    ratio_h: chooser.ratio_h
                    onClicked: fileDialog.open()
                }
                TextButton {
                    objectName: "saveLinks"
                    text: "Save"
                    primary: true
                    ratio_w: chooser.ratio_w
                    ratio_h: chooser.ratio_h
                    onClicked: chooser.save()
                }
                TextButton {
                    text: "Cancel"
                    ratio_w: chooser.ratio_w
                    ratio_h: chooser.ratio_h
                    onClicked: chooser.close()
                }
            }
        }
    }
}
