import QtQuick

// A rounded push button: shows a title and reports taps. The caller binds what it shows and
// what a tap does; the button itself decides nothing.
Rectangle {
    id: button

    property string title
    property color tint: "#2a303c"
    property color textColor: "#f4f1ea"
    property real fontSize: 18
    property bool bold: true
    signal tapped()

    radius: Math.min(height, width) * 0.24
    color: area.pressed ? Qt.darker(tint, 1.5) : tint
    border.color: Qt.lighter(tint, 1.35)
    border.width: 1

    Text {
        anchors.fill: parent
        anchors.leftMargin: button.radius * 0.5
        anchors.rightMargin: button.radius * 0.5
        text: button.title
        color: button.textColor
        font.pixelSize: button.fontSize
        font.bold: button.bold
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 7
        elide: Text.ElideRight
    }

    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: button.tapped()
    }
}
