import QtQuick

// The tuning aids under the meter. First line: concert pitch with its − and + steps, the button
// that sets it from a heard A, and the precise-estimate switch. Second line: the unison check's
// button (tunings with a unison pair) and what the aids say: the locked string, the prompts of
// the heard-A listener and the unison check, and the unison gap. Spans the screen's width; its
// height is the layout's aids row.
Item {
    id: aids

    // The TunerScreen: its tuner view objects, metrics and colours.
    property Item screen
    readonly property QtObject tuner: screen ? screen.tuner : null
    readonly property QtObject estimator: typeof pitchEstimator !== "undefined" ? pitchEstimator : null
    readonly property real lineHeight: (height - screen.gap) / 2
    readonly property real unit: (screen.contentWidth - 4 * screen.gap) / 100

    Row {
        x: aids.screen.margin
        height: aids.lineHeight
        spacing: aids.screen.gap

        TunerButton {
            objectName: "concertPitchDown"
            width: aids.unit * 11
            height: aids.lineHeight
            title: "−"
            fontSize: aids.screen.buttonSize
            onTapped: aids.tuner.stepConcertPitch(-1)
        }
        Text {
            objectName: "concertPitchLabel"
            width: aids.unit * 30
            height: aids.lineHeight
            text: aids.tuner ? aids.tuner.concertPitchLabel.text : ""
            color: aids.screen.ink
            font.pixelSize: aids.screen.textSize
            font.bold: true
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            fontSizeMode: Text.Fit
            minimumPixelSize: 6
        }
        TunerButton {
            objectName: "concertPitchUp"
            width: aids.unit * 11
            height: aids.lineHeight
            title: "+"
            fontSize: aids.screen.buttonSize
            onTapped: aids.tuner.stepConcertPitch(1)
        }
        TunerButton {
            objectName: "listenForAButton"
            width: aids.unit * 22
            height: aids.lineHeight
            title: qsTrId("ListenForA")
            bold: false
            fontSize: aids.screen.smallSize
            onTapped: aids.tuner.listenForA()
        }
        TunerButton {
            objectName: "preciseSwitch"
            readonly property bool precise: aids.estimator !== null && aids.estimator.precise
            width: aids.unit * 26
            height: aids.lineHeight
            title: (precise ? "☑ " : "☐ ") + qsTrId("PreciseShort")
            bold: false
            fontSize: aids.screen.smallSize
            tint: precise ? "#24402c" : "#262b36"
            onTapped: aids.estimator.precise = !precise
        }
    }

    TunerButton {
        id: unisonButton
        objectName: "unisonButton"
        readonly property QtObject view: aids.tuner ? aids.tuner.unisonButton : null
        x: aids.screen.margin
        y: aids.lineHeight + aids.screen.gap
        width: aids.unit * 34
        height: aids.lineHeight
        visible: view ? !view.hidden : false
        title: view ? view.title : ""
        bold: false
        fontSize: aids.screen.smallSize
        tint: aids.tuner && aids.tuner.unisonGap.active && aids.tuner.unisonGap.inUnison ? "#24402c" : "#2a303c"
        onTapped: aids.tuner.toggleUnisonCheck()
    }

    Text {
        objectName: "aidMessage"
        readonly property string lock: aids.tuner ? aids.tuner.lockLabel.text : ""
        readonly property string message: aids.tuner ? aids.tuner.aidMessage.text : ""
        readonly property real startX: unisonButton.visible ? unisonButton.x + unisonButton.width + aids.screen.gap
                                                          : aids.screen.margin
        x: startX
        y: aids.lineHeight + aids.screen.gap
        width: aids.screen.margin + aids.screen.contentWidth - startX
        height: aids.lineHeight
        text: lock !== "" && message !== "" ? lock + " · " + message : lock + message
        color: aids.tuner && aids.tuner.unisonGap.active && aids.tuner.unisonGap.inUnison ? aids.screen.inTune
                                                                                           : aids.screen.amber
        font.pixelSize: aids.screen.smallSize
        horizontalAlignment: Text.AlignLeft
        verticalAlignment: Text.AlignVCenter
        wrapMode: Text.WordWrap
        fontSizeMode: Text.Fit
        minimumPixelSize: 6
    }
}
