import QtQuick

// The outbound links, listed over the dimmed screen: the maker's site, this application's
// store page and the sibling applications. A tap opens the link and closes the panel. Above
// them, the switch for the precise pitch estimate, which leaves the panel open.
Rectangle {
    id: panel

    property QtObject tuner
    property real fontSize: 16
    property real rowHeight: 40
    property real margin: 12

    color: "#d9080a0d"
    visible: false

    MouseArea { anchors.fill: parent; onClicked: panel.visible = false }

    Rectangle {
        id: sheet
        anchors.fill: parent
        anchors.margins: panel.margin
        radius: panel.margin
        color: "#1b1f27"
        border.color: "#353b48"

        // Taps on the sheet stay on the sheet.
        MouseArea { anchors.fill: parent }

        Text {
            id: heading
            x: panel.margin
            y: panel.margin
            width: sheet.width - 3 * panel.margin - closeButton.width
            height: panel.rowHeight
            text: "More from the maker"
            color: "#f4f1ea"
            font.pixelSize: panel.fontSize * 1.2
            font.bold: true
            verticalAlignment: Text.AlignVCenter
            fontSizeMode: Text.Fit
            minimumPixelSize: 8
        }

        TunerButton {
            id: closeButton
            objectName: "closeLinksButton"
            x: sheet.width - panel.margin - width
            y: panel.margin
            width: panel.rowHeight
            height: panel.rowHeight
            title: "✕"
            fontSize: panel.fontSize
            onTapped: panel.visible = false
        }

        Flickable {
            id: list
            x: panel.margin
            y: heading.y + heading.height + panel.margin
            width: sheet.width - 2 * panel.margin
            height: sheet.height - y - panel.margin
            contentHeight: column.height
            clip: true
            boundsBehavior: Flickable.StopAtBounds

            Column {
                id: column
                width: list.width
                spacing: panel.rowHeight * 0.18

                // The player's choice of pitch estimate, kept across launches.
                TunerButton {
                    objectName: "preciseEstimatorToggle"
                    readonly property QtObject estimator: typeof pitchEstimator !== "undefined" ? pitchEstimator : null
                    readonly property bool precise: estimator !== null && estimator.precise
                    visible: estimator !== null
                    width: column.width
                    height: panel.rowHeight
                    title: (precise ? "☑ " : "☐ ") + qsTrId("PreciseEstimator")
                    bold: false
                    fontSize: panel.fontSize
                    tint: precise ? "#24402c" : "#262b36"
                    onTapped: estimator.precise = !precise
                }

                Repeater {
                    model: panel.tuner ? panel.tuner.links : []
                    delegate: TunerButton {
                        objectName: "link_" + modelData.action
                        width: column.width
                        height: panel.rowHeight
                        title: modelData.label
                        bold: false
                        fontSize: panel.fontSize
                        tint: index < 2 ? "#3a3222" : "#262b36"
                        onTapped: {
                            panel.tuner.openLink(modelData.action)
                            panel.visible = false
                        }
                    }
                }
            }
        }
    }
}
