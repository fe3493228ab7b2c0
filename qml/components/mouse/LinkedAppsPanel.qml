import QtQuick 2.9
import "../.."
import ".."
import "../../js/mouse.js" as Mouse

// "Linked Application": the games and programs that switch the mouse to the current profile
// when they come to the front.
Item {
    id: panel
    property real ratio_w: 1
    property real ratio_h: 1
    property var games: []
    property int profile: 0
    property string profileLabel: ""
    readonly property var linked: {
        var list = []
        for (var i = 0; i < games.length; ++i)
            if (games[i].ProfileNum === profile && profile > 0)
                list.push(games[i])
        return Mouse.sortedByName(list)
    }
    signal chooseRequested()
    signal unlinkRequested(var game)

    function iconOf(game) {
        return game.IconPath.length > 0 ? "file://" + game.IconPath : ConfigData.mouseIcons[ConfigData.iconApplication]
    }

    function unlink(game) {
        var copy = Mouse.gameRecord(game)
        copy.ProfileNum = 0
        copy.Checked = false
        unlinkRequested(copy)
    }

    Row {
        id: titleRow
        width: parent.width
        SectionTitle {
            width: parent.width - chooseButton.width
            title: "Linked Application"
            note: "These switch the mouse to " + panel.profileLabel + " when they come to the front."
            ratio_h: panel.ratio_h
        }
        TextButton {
            id: chooseButton
            objectName: "chooseApplications"
            text: "choose application to link"
            primary: true
            ratio_w: panel.ratio_w
            ratio_h: panel.ratio_h
            onClicked: panel.chooseRequested()
        }
    }

    Text {
        anchors.top: titleRow.bottom
        anchors.topMargin: 40 * panel.ratio_h
        anchors.horizontalCenter: parent.horizontalCenter
        visible: panel.linked.length === 0
        text: "No application is linked to this profile."
        color: Palette.textDim
        font.family: Palette.fontFamily
        font.pixelSize: 16 * panel.ratio_h
    }

    GridView {
        id: grid
        objectName: "linkedGrid"
        anchors.top: titleRow.bottom
        anchors.topMargin: 20 * panel.ratio_h
        anchors.bottom: parent.bottom
        width: parent.width
        clip: true
        cellWidth: width / 4
        cellHeight: 150 * panel.ratio_h
        model: panel.linked
        delegate: Item {
            objectName: "linked_" + modelData.AppID
            width: grid.cellWidth
            height: grid.cellHeight
            Rectangle {
                anchors.fill: parent
                anchors.margins: 6 * panel.ratio_h
                radius: 6
                color: Palette.panel
                border.color: Palette.line
                Image {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 16 * panel.ratio_h
                    width: 64 * panel.ratio_h
                    height: width
                    fillMode: Image.PreserveAspectFit
                    source: panel.iconOf(modelData)
                    sourceSize.width: 128
                    sourceSize.height: 128
                    onStatusChanged: if (status === Image.Error) source = ConfigData.mouseIcons[ConfigData.iconApplication]
                }
                Text {
                    anchors.bottom: parent.bottom
                    anchors.bottomMargin: 12 * panel.ratio_h
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: parent.width - 16
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideRight
                    text: modelData.GameName
                    color: modelData.FileMissing ? Palette.textDim : Palette.text
                    font.family: Palette.fontFamily
                    font.pixelSize: 15 * panel.ratio_h
                }
                Text {
                    objectName: "missing_" + modelData.AppID
                    visible: modelData.FileMissing === true
                    anchors.top: parent.top
                    anchors.left: parent.left
                    anchors.margins: 8 * panel.ratio_h
                    text: "Missing: file not found"
                    color: "#FF8080"
                    font.family: Palette.fontFamily
                    font.pixelSize: 13 * panel.ratio_h
                }
                Image {
                    objectName: "unlink_" + modelData.AppID
                    anchors.top: parent.top
                    anchors.right: parent.right
                    anchors.margins: 8 * panel.ratio_h
                    width: 24 * panel.ratio_h
                    height: width
                    source: ConfigData.mouseIcons[ConfigData.iconDelete]
                    sourceSize.width: 48
                    sourceSize.height: 48
                    MouseArea {
                        anchors.fill: parent
                        cursorShape: Qt.PointingHandCursor
                        onClicked: panel.unlink(modelData)
                    }
                }
            }
        }
    }
}
