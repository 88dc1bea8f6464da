import QtQuick

// The header row: previous tuning, the small lamp and the tuning's name centred together, next
// tuning. Spans the screen's width; the screen places it under the top safe area.
Item {
    id: header

    // The TunerScreen: its tuner view objects, metrics and colours.
    property Item screen
    readonly property QtObject tuner: screen ? screen.tuner : null
    readonly property real buttonWidth: height * 1.1

    TunerButton {
        objectName: "showPreviousTuningButton"
        x: header.screen.margin
        width: header.buttonWidth
        height: header.height
        title: "‹"
        fontSize: header.height * 0.7
        visible: header.tuner ? !header.tuner.showPreviousTuningButton.hidden : true
        onTapped: header.tuner.showPreviousTuning()
    }

    Row {
        id: titleRow
        readonly property real room: header.width - 2 * (header.screen.margin + header.buttonWidth + header.screen.gap)
        anchors.horizontalCenter: parent.horizontalCenter
        height: header.height
        spacing: header.screen.gap * 2

        Image {
            objectName: "LEDDisplay"
            y: header.height * 0.25
            width: header.height * 0.5
            height: width
            source: header.tuner ? header.tuner.LEDDisplay.source : ""
            visible: header.tuner ? !header.tuner.LEDDisplay.hidden : true
            fillMode: Image.PreserveAspectFit
            smooth: true
            mipmap: true
        }

        Text {
            objectName: "currentTuningName"
            width: Math.min(implicitWidth, titleRow.room - header.height * 0.5 - titleRow.spacing)
            height: header.height
            text: header.tuner ? header.tuner.currentTuningName.text : ""
            visible: header.tuner ? !header.tuner.currentTuningName.hidden : true
            color: header.screen.ink
            font.pixelSize: header.screen.titleSize
            font.bold: true
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            fontSizeMode: Text.Fit
            minimumPixelSize: 8
            elide: Text.ElideRight
        }
    }

    TunerButton {
        objectName: "showNextTuningButton"
        x: header.width - header.screen.margin - width
        width: header.buttonWidth
        height: header.height
        title: "›"
        fontSize: header.height * 0.7
        visible: header.tuner ? !header.tuner.showNextTuningButton.hidden : true
        onTapped: header.tuner.showNextTuning()
    }
}
