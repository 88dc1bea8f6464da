import QtQuick

// The rating alert over the dimmed screen: its title, message and buttons, as the C++ alert
// holds them; a tap on a button tells the alert which one was taken. Shown only while the
// alert is visible.
Rectangle {
    id: overlay

    // The alert factory ("ratingAlerts"), when the application provides one.
    property QtObject alerts: null
    readonly property QtObject alert: alerts ? alerts.currentAlert : null
    property real fontSize: 16
    property real rowHeight: 44
    property real margin: 16

    color: "#cc080a0d"
    visible: alert !== null && alert.visible

    // Taps outside the alert go nowhere.
    MouseArea { anchors.fill: parent }

    Rectangle {
        id: box
        width: Math.min(overlay.width - 2 * overlay.margin, 420)
        height: column.height + 2 * overlay.margin
        anchors.centerIn: parent
        radius: overlay.margin
        color: "#1b1f27"
        border.color: "#353b48"

        Column {
            id: column
            x: overlay.margin
            y: overlay.margin
            width: box.width - 2 * overlay.margin
            spacing: overlay.margin * 0.75

            Text {
                objectName: "ratingAlertTitle"
                width: parent.width
                text: overlay.alert ? overlay.alert.title : ""
                color: "#f4f1ea"
                font.pixelSize: overlay.fontSize * 1.25
                font.bold: true
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
            }
            Text {
                objectName: "ratingAlertMessage"
                width: parent.width
                text: overlay.alert ? overlay.alert.message : ""
                color: "#c9ced8"
                font.pixelSize: overlay.fontSize
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
            }
            Repeater {
                model: overlay.alert ? overlay.alert.buttonTitles : []
                TunerButton {
                    objectName: "ratingAlertButton" + index
                    width: column.width
                    height: overlay.rowHeight
                    title: modelData
                    tint: index === 0 ? "#2f6b3a" : "#2a303c"
                    fontSize: overlay.fontSize
                    onTapped: overlay.alert.choose(index)
                }
            }
        }
    }
}
