import QtQuick

// The chart of the current tuning with the tuned-string highlight drawn exactly over it, and
// under it the note names of strings 3, 2 and 1, left to right as the chart draws the strings.
// A tap on a note name locks the meter to that string (framed while locked); a second releases it.
// Both pictures share one rectangle and one aspect ratio and are fitted the same way.
// Spans the screen's width; the names take the layout's strings row at the bottom.
Item {
    id: chartRow

    // The TunerScreen: its tuner view objects, metrics and colours.
    property Item screen
    readonly property QtObject tuner: screen ? screen.tuner : null
    readonly property real pictureWidth: screen.chartWidth
    readonly property real pictureHeight: Math.max(0, height - screen.gap - screen.stringsHeight)
    // The string columns spread under the chart's picture; the tone buttons use the same columns.
    readonly property real columnsWidth: Math.min(screen.contentWidth, Math.max(chart.paintedWidth, screen.contentWidth / 2))
    readonly property real columnsX: (width - columnsWidth) / 2

    Image {
        id: chart
        objectName: "chartDisplay"
        x: (chartRow.width - chartRow.pictureWidth) / 2
        width: chartRow.pictureWidth
        height: chartRow.pictureHeight
        source: chartRow.tuner ? chartRow.tuner.chartDisplay.source : ""
        visible: chartRow.tuner ? !chartRow.tuner.chartDisplay.hidden : true
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
    }

    Image {
        objectName: chartRow.screen.highlightOutlet
        readonly property QtObject view: chartRow.tuner ? chartRow.tuner[chartRow.screen.highlightOutlet] : null
        x: chart.x
        width: chart.width
        height: chart.height
        source: view ? view.source : ""
        visible: view ? !view.hidden : false
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
    }

    Repeater {
        model: ["thirdString", "secondString", "firstString"]
        delegate: Text {
            required property string modelData
            required property int index
            readonly property QtObject view: chartRow.tuner ? chartRow.tuner[modelData] : null
            readonly property int stringIndex: 3 - index
            readonly property bool locked: chartRow.tuner !== null && chartRow.tuner.lockedString === stringIndex
            objectName: modelData
            x: chartRow.columnsX + index * chartRow.columnsWidth / 3
            y: chartRow.height - chartRow.screen.stringsHeight
            width: chartRow.columnsWidth / 3
            height: chartRow.screen.stringsHeight
            text: view ? view.text : ""
            visible: view ? !view.hidden : true
            color: locked ? chartRow.screen.amber : chartRow.screen.muted
            font.pixelSize: chartRow.screen.textSize
            font.bold: true
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            fontSizeMode: Text.Fit
            minimumPixelSize: 7

            Rectangle {
                objectName: parent.objectName + "Lock"
                anchors.centerIn: parent
                width: Math.min(parent.width, parent.contentWidth + parent.height)
                height: parent.height
                radius: height / 3
                color: "transparent"
                border.color: chartRow.screen.amber
                border.width: 1.5
                visible: parent.locked
            }
            MouseArea {
                anchors.fill: parent
                onClicked: chartRow.tuner.toggleLock(parent.stringIndex)
            }
        }
    }
}
