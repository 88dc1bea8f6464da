import QtQuick

// Reference tones: the button of each string in its string's column, and under them the tone
// playing (note name and frequency) with the button that stops it. Spans the screen's width;
// the buttons take the layout's reference row, the tone its tone row.
Item {
    id: tones

    // The TunerScreen: its tuner view objects, metrics and colours.
    property Item screen
    readonly property QtObject tuner: screen ? screen.tuner : null
    // The string columns of the chart above.
    property real columnsX: 0
    property real columnsWidth: width
    readonly property real toneY: height - screen.toneHeight
    readonly property real stopWidth: Math.min(screen.contentWidth / 4, screen.toneHeight * 3.2)
    readonly property real halfRow: (screen.contentWidth - stopWidth) / 2

    Repeater {
        model: [{ outlet: "thirdFreqButton", action: "playThirdFreq" },
                { outlet: "secondFreqButton", action: "playE329_6" },
                { outlet: "firstFreqButton", action: "playA440Hz" }]
        delegate: TunerButton {
            required property var modelData
            required property int index
            readonly property QtObject view: tones.tuner ? tones.tuner[modelData.outlet] : null
            readonly property real column: tones.columnsWidth / 3
            objectName: modelData.outlet
            width: Math.min(column - tones.screen.gap, tones.screen.referenceHeight * 2.4)
            x: tones.columnsX + index * column + (column - width) / 2
            height: tones.screen.referenceHeight
            title: view ? view.title : ""
            visible: view ? !view.hidden : true
            tint: "#3a3222"
            textColor: tones.screen.amber
            fontSize: tones.screen.buttonSize
            onTapped: tones.tuner[modelData.action]()
        }
    }

    Text {
        objectName: "tfnoteDisplay"
        x: tones.screen.margin
        y: tones.toneY
        width: tones.halfRow - tones.screen.gap
        height: tones.screen.toneHeight
        text: tones.tuner ? tones.tuner.tfnoteDisplay.text : ""
        visible: tones.tuner ? !tones.tuner.tfnoteDisplay.hidden : true
        color: tones.screen.amber
        font.pixelSize: tones.screen.textSize
        font.bold: true
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 7
    }

    Text {
        objectName: "tfFreqLabel"
        x: tones.screen.margin + tones.halfRow
        y: tones.toneY
        width: tones.halfRow - tones.screen.gap
        height: tones.screen.toneHeight
        text: tones.tuner ? tones.tuner.tfFreqLabel.text : ""
        visible: tones.tuner ? !tones.tuner.tfFreqLabel.hidden : true
        color: tones.screen.amber
        font.pixelSize: tones.screen.textSize
        font.family: "DejaVu Sans Mono"
        horizontalAlignment: Text.AlignLeft
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 7
    }

    TunerButton {
        objectName: "stopFreqPlay"
        x: tones.width - tones.screen.margin - width
        y: tones.toneY
        width: tones.stopWidth
        height: tones.screen.toneHeight
        title: "■"
        tint: "#4a2326"
        textColor: "#ff8a80"
        fontSize: tones.screen.textSize
        onTapped: tones.tuner.stopFreqPlay()
    }
}
