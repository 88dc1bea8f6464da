import QtQuick

// Cents meter: a needle over a ±50 cent scale with a centre mark; below it the flat/sharp cue
// (an arrow and words) on the left and the distance on the right. Spans the screen's width; its
// height is the layout's meter row.
Item {
    id: panel

    // The TunerScreen: its tuner view objects, metrics and colours.
    property Item screen
    readonly property QtObject tuner: screen ? screen.tuner : null
    readonly property real margin: screen.margin
    // Width inside the panel's own margins.
    readonly property real innerWidth: width - 4 * margin

    Rectangle {
        objectName: "meterPanel"
        x: panel.margin
        width: panel.width - 2 * panel.margin
        height: panel.height
        radius: panel.margin * 0.75
        color: panel.screen.panelColor
        border.color: panel.screen.panelBorder
    }

    Item {
        id: meter
        objectName: "centsMeter"
        readonly property QtObject view: panel.tuner ? panel.tuner.centsMeter : null
        readonly property bool active: view ? view.active : false
        readonly property real cents: view ? view.cents : 0
        readonly property int cue: view ? view.cue : 0
        readonly property real half: (width - height * 0.5) / 2
        x: panel.margin * 2
        y: panel.height * 0.08
        width: panel.innerWidth
        height: panel.height * 0.44
        visible: view ? !view.hidden : true

        // Scale: the track, a mark every 10 cents, longer at ±50, and the centre mark.
        Rectangle {
            x: meter.height * 0.25
            y: meter.height * 0.62
            width: meter.width - meter.height * 0.5
            height: Math.max(1, meter.height * 0.06)
            color: panel.screen.panelBorder
        }
        Repeater {
            model: 11
            delegate: Rectangle {
                required property int index
                readonly property bool centre: index === 5
                readonly property bool end: index === 0 || index === 10
                width: centre ? Math.max(2, meter.height * 0.1) : Math.max(1, meter.height * 0.05)
                height: meter.height * (centre ? 0.9 : end ? 0.5 : 0.28)
                x: meter.height * 0.25 + index * meter.half / 5 - width / 2
                y: meter.height * 0.62 - height / 2
                color: centre ? panel.screen.inTune : panel.screen.muted
                opacity: centre ? 0.9 : 0.6
            }
        }
        // The needle: follows each tick within the tick's own interval, so it moves smoothly
        // yet never trails a reading.
        Rectangle {
            objectName: "centsNeedle"
            width: Math.max(3, meter.height * 0.14)
            height: meter.height
            radius: width / 2
            x: meter.height * 0.25 + meter.half * (1 + Math.max(-50, Math.min(50, meter.cents)) / 50) - width / 2
            y: 0
            color: !meter.active ? panel.screen.muted
                                 : meter.cue === 0 && meter.view.far === 0 ? panel.screen.inTune : panel.screen.amber
            opacity: meter.active ? 1.0 : 0.35
            Behavior on x { NumberAnimation { duration: 80; easing.type: Easing.OutQuad } }
        }
    }

    Text {
        objectName: "tuneCue"
        readonly property int cue: panel.tuner ? panel.tuner.centsMeter.cue : 0
        x: panel.margin * 2
        y: panel.height * 0.54
        width: panel.innerWidth * 0.6
        height: panel.height * 0.4
        // The arrow says the way without relying on colour: up to tighten, down to slacken.
        text: panel.tuner && panel.tuner.tuneCue.text !== ""
              ? (cue > 0 ? "\u25B2 " : cue < 0 ? "\u25BC " : "") + panel.tuner.tuneCue.text : ""
        visible: panel.tuner ? !panel.tuner.tuneCue.hidden : true
        color: panel.screen.amber
        font.pixelSize: panel.screen.textSize
        font.bold: true
        horizontalAlignment: Text.AlignLeft
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 6
    }

    Text {
        objectName: "centsLabel"
        x: panel.margin * 2 + panel.innerWidth * 0.6
        y: panel.height * 0.54
        width: panel.innerWidth * 0.4
        height: panel.height * 0.4
        text: panel.tuner ? panel.tuner.centsLabel.text : ""
        visible: panel.tuner ? !panel.tuner.centsLabel.hidden : true
        color: panel.screen.ink
        font.pixelSize: panel.screen.textSize
        font.family: "DejaVu Sans Mono"
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 6
    }
}
