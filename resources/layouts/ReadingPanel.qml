import QtQuick

// The reading: a panel with the big lamp on the left, the note name and, under it, the measured
// frequency. Spans the screen's width; its height is the layout's reading row.
Item {
    id: reading

    // The TunerScreen: its tuner view objects, metrics and colours.
    property Item screen
    readonly property QtObject tuner: screen ? screen.tuner : null
    readonly property real margin: screen.margin
    // The texts sit right of the lamp.
    readonly property real textX: margin * 3 + height * 0.8

    Rectangle {
        objectName: "readingPanel"
        x: reading.margin
        width: reading.width - 2 * reading.margin
        height: reading.height
        radius: reading.margin
        color: reading.screen.panelColor
        border.color: reading.screen.panelBorder
    }

    Image {
        objectName: "LEDDisplay128"
        x: reading.margin * 2
        y: reading.height * 0.1
        width: reading.height * 0.8
        height: width
        source: reading.tuner ? reading.tuner.LEDDisplay128.source : ""
        visible: reading.tuner ? !reading.tuner.LEDDisplay128.hidden : true
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
    }

    Text {
        objectName: "noteDisplay"
        x: reading.textX
        y: reading.height * 0.04
        width: reading.width - x - reading.margin * 2
        height: reading.height * 0.58
        text: reading.tuner ? reading.tuner.noteDisplay.text : ""
        visible: reading.tuner ? !reading.tuner.noteDisplay.hidden : true
        color: reading.screen.ink
        font.pixelSize: reading.screen.noteSize
        font.bold: true
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 10
    }

    Text {
        objectName: "freq_label"
        x: reading.textX
        y: reading.height * 0.62
        width: reading.width - x - reading.margin * 2
        height: reading.height * 0.32
        text: reading.tuner ? reading.tuner.freq_label.text : ""
        visible: reading.tuner ? !reading.tuner.freq_label.hidden : true
        color: reading.screen.amber
        font.pixelSize: reading.screen.freqSize
        font.family: "DejaVu Sans Mono"
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 8
    }
}
