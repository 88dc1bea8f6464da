import QtQuick

// The tuner screen shared by every layout. It shows what the C++ view objects of "tuner" hold
// (texts, pictures, titles, hidden flags) and forwards taps to the controller's actions.
// A layout sets only its design size, the highlight overlay it carries and the metrics below
// (points); the chart takes the height the other rows leave.
Item {
    id: root

    // The QtTunerScreen: one view object per outlet, and the actions.
    property QtObject tuner

    // The highlight overlay outlet this layout carries: "tunedString", "tunedString5" or "tunedStringiPad".
    property string highlightOutlet: "tunedString5"
    // The outlets this layout has; only these are connected to the controller.
    readonly property var outlets: [
        "freq_label", "noteDisplay", "LEDDisplay", "LEDDisplay128", highlightOutlet,
        "currentTuningName", "chartDisplay", "firstString", "secondString", "thirdString",
        "firstFreqButton", "secondFreqButton", "thirdFreqButton",
        "showPreviousTuningButton", "showNextTuningButton",
        "aboutCongratsMessage", "aboutMsg2", "tfnoteDisplay", "tfFreqLabel",
        "centsMeter", "centsLabel", "tuneCue"
    ]

    // Design size; the screen fills the window it is shown in.
    property real designWidth: 390
    property real designHeight: 844
    width: parent ? parent.width : designWidth
    height: parent ? parent.height : designHeight

    // Areas kept clear of the status bar / camera housing and of the home indicator.
    property real safeTop: 20
    property real safeBottom: 0
    property real margin: 12
    property real gap: 6
    // Row heights, top to bottom.
    property real headerHeight: 46
    property real readingHeight: 116
    property real meterHeight: 52
    property real stringsHeight: 24
    property real referenceHeight: 48
    property real toneHeight: 24
    property real aboutHeight: 52
    property real footerHeight: 34
    // Widest chart; narrower screens use their whole width.
    property real chartMaxWidth: 10000
    // Font sizes in points.
    property real titleSize: 22
    property real noteSize: 64
    property real freqSize: 28
    property real buttonSize: 20
    property real textSize: 14
    property real smallSize: 12

    readonly property color ink: "#f4f1ea"
    readonly property color muted: "#9aa3b2"
    readonly property color amber: "#e8a33d"
    readonly property color panelColor: "#1b1f27"
    readonly property color panelBorder: "#2c323e"
    readonly property color inTune: "#6fd66f"

    readonly property real contentWidth: width - 2 * margin
    readonly property real readingY: safeTop + headerHeight + gap
    readonly property real meterY: readingY + readingHeight + gap
    readonly property real chartY: meterY + meterHeight + gap
    readonly property real belowChart: stringsHeight + referenceHeight + toneHeight + aboutHeight + footerHeight + 5 * gap
    readonly property real chartHeight: Math.max(0, height - safeBottom - belowChart - chartY - gap)
    readonly property real chartWidth: Math.min(contentWidth, chartMaxWidth)
    readonly property real stringsY: chartY + chartHeight + gap
    readonly property real referenceY: stringsY + stringsHeight + gap
    readonly property real toneY: referenceY + referenceHeight + gap
    readonly property real aboutY: toneY + toneHeight + gap
    readonly property real footerY: aboutY + aboutHeight + gap

    function has(name) { return tuner !== null && tuner[name] !== undefined }

    Rectangle {
        anchors.fill: parent
        gradient: Gradient {
            GradientStop { position: 0.0; color: "#12151b" }
            GradientStop { position: 1.0; color: "#0a0b0e" }
        }
    }

    // Header: previous, small lamp and tuning title, next.
    TunerButton {
        objectName: "showPreviousTuningButton"
        x: root.margin
        y: root.safeTop
        width: root.headerHeight * 1.1
        height: root.headerHeight
        title: "‹"
        fontSize: root.headerHeight * 0.7
        visible: root.tuner ? !root.tuner.showPreviousTuningButton.hidden : true
        onTapped: root.tuner.showPreviousTuning()
    }

    // The small lamp and the tuning title, centred together between the two buttons.
    Row {
        id: titleRow
        readonly property real room: root.width - 2 * (root.margin + root.headerHeight * 1.1 + root.gap)
        anchors.horizontalCenter: parent.horizontalCenter
        y: root.safeTop
        height: root.headerHeight
        spacing: root.gap * 2

        Image {
            objectName: "LEDDisplay"
            y: root.headerHeight * 0.25
            width: root.headerHeight * 0.5
            height: width
            source: root.tuner ? root.tuner.LEDDisplay.source : ""
            visible: root.tuner ? !root.tuner.LEDDisplay.hidden : true
            fillMode: Image.PreserveAspectFit
            smooth: true
            mipmap: true
        }

        Text {
            objectName: "currentTuningName"
            width: Math.min(implicitWidth, titleRow.room - root.headerHeight * 0.5 - titleRow.spacing)
            height: root.headerHeight
            text: root.tuner ? root.tuner.currentTuningName.text : ""
            visible: root.tuner ? !root.tuner.currentTuningName.hidden : true
            color: root.ink
            font.pixelSize: root.titleSize
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
        x: root.width - root.margin - width
        y: root.safeTop
        width: root.headerHeight * 1.1
        height: root.headerHeight
        title: "›"
        fontSize: root.headerHeight * 0.7
        visible: root.tuner ? !root.tuner.showNextTuningButton.hidden : true
        onTapped: root.tuner.showNextTuning()
    }

    // Reading: the big lamp, the note name and the measured frequency.
    Rectangle {
        objectName: "readingPanel"
        x: root.margin
        y: root.readingY
        width: root.contentWidth
        height: root.readingHeight
        radius: root.margin
        color: root.panelColor
        border.color: root.panelBorder
    }

    Image {
        objectName: "LEDDisplay128"
        x: root.margin * 2
        y: root.readingY + root.readingHeight * 0.1
        width: root.readingHeight * 0.8
        height: width
        source: root.tuner ? root.tuner.LEDDisplay128.source : ""
        visible: root.tuner ? !root.tuner.LEDDisplay128.hidden : true
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
    }

    Text {
        objectName: "noteDisplay"
        x: root.margin * 3 + root.readingHeight * 0.8
        y: root.readingY + root.readingHeight * 0.04
        width: root.width - x - root.margin * 2
        height: root.readingHeight * 0.58
        text: root.tuner ? root.tuner.noteDisplay.text : ""
        visible: root.tuner ? !root.tuner.noteDisplay.hidden : true
        color: root.ink
        font.pixelSize: root.noteSize
        font.bold: true
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 10
    }

    Text {
        objectName: "freq_label"
        x: root.margin * 3 + root.readingHeight * 0.8
        y: root.readingY + root.readingHeight * 0.62
        width: root.width - x - root.margin * 2
        height: root.readingHeight * 0.32
        text: root.tuner ? root.tuner.freq_label.text : ""
        visible: root.tuner ? !root.tuner.freq_label.hidden : true
        color: root.amber
        font.pixelSize: root.freqSize
        font.family: "DejaVu Sans Mono"
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 8
    }

    // Cents meter: a needle over a ±50 cent scale with a centre mark; below it the flat/sharp
    // cue (an arrow and words) on the left and the distance on the right.
    Rectangle {
        objectName: "meterPanel"
        x: root.margin
        y: root.meterY
        width: root.contentWidth
        height: root.meterHeight
        radius: root.margin * 0.75
        color: root.panelColor
        border.color: root.panelBorder
    }

    Item {
        id: meter
        objectName: "centsMeter"
        readonly property QtObject view: root.tuner ? root.tuner.centsMeter : null
        readonly property bool active: view ? view.active : false
        readonly property real cents: view ? view.cents : 0
        readonly property int cue: view ? view.cue : 0
        readonly property real half: (width - height * 0.5) / 2
        x: root.margin * 2
        y: root.meterY + root.meterHeight * 0.08
        width: root.contentWidth - 2 * root.margin
        height: root.meterHeight * 0.44
        visible: view ? !view.hidden : true

        // Scale: the track, a mark every 10 cents, longer at ±50, and the centre mark.
        Rectangle {
            x: meter.height * 0.25
            y: meter.height * 0.62
            width: meter.width - meter.height * 0.5
            height: Math.max(1, meter.height * 0.06)
            color: root.panelBorder
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
                color: centre ? root.inTune : root.muted
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
            color: !meter.active ? root.muted : meter.cue === 0 && meter.view.far === 0 ? root.inTune : root.amber
            opacity: meter.active ? 1.0 : 0.35
            Behavior on x { NumberAnimation { duration: 80; easing.type: Easing.OutQuad } }
        }
    }

    Text {
        objectName: "tuneCue"
        readonly property int cue: root.tuner ? root.tuner.centsMeter.cue : 0
        x: root.margin * 2
        y: root.meterY + root.meterHeight * 0.54
        width: (root.contentWidth - 2 * root.margin) * 0.6
        height: root.meterHeight * 0.4
        // The arrow says the way without relying on colour: up to tighten, down to slacken.
        text: root.tuner && root.tuner.tuneCue.text !== ""
              ? (cue > 0 ? "\u25B2 " : cue < 0 ? "\u25BC " : "") + root.tuner.tuneCue.text : ""
        visible: root.tuner ? !root.tuner.tuneCue.hidden : true
        color: root.amber
        font.pixelSize: root.textSize
        font.bold: true
        horizontalAlignment: Text.AlignLeft
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 6
    }

    Text {
        objectName: "centsLabel"
        x: root.margin * 2 + (root.contentWidth - 2 * root.margin) * 0.6
        y: root.meterY + root.meterHeight * 0.54
        width: (root.contentWidth - 2 * root.margin) * 0.4
        height: root.meterHeight * 0.4
        text: root.tuner ? root.tuner.centsLabel.text : ""
        visible: root.tuner ? !root.tuner.centsLabel.hidden : true
        color: root.ink
        font.pixelSize: root.textSize
        font.family: "DejaVu Sans Mono"
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 6
    }

    // Chart of the current tuning, with the tuned-string highlight drawn exactly over it:
    // both pictures share one rectangle and one aspect ratio and are fitted the same way.
    Image {
        id: chart
        objectName: "chartDisplay"
        x: (root.width - root.chartWidth) / 2
        y: root.chartY
        width: root.chartWidth
        height: root.chartHeight
        source: root.tuner ? root.tuner.chartDisplay.source : ""
        visible: root.tuner ? !root.tuner.chartDisplay.hidden : true
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
    }

    Image {
        objectName: root.highlightOutlet
        readonly property QtObject view: root.tuner ? root.tuner[root.highlightOutlet] : null
        x: (root.width - root.chartWidth) / 2
        y: root.chartY
        width: root.chartWidth
        height: root.chartHeight
        source: view ? view.source : ""
        visible: view ? !view.hidden : false
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
    }

    // Note names of strings 3, 2 and 1, left to right as the chart draws the strings, each with
    // its reference tone button right under it; the columns spread under the chart's picture.
    readonly property real stringColumnsWidth: Math.min(contentWidth, Math.max(chart.paintedWidth, contentWidth / 2))
    readonly property real stringColumnsX: (width - stringColumnsWidth) / 2

    Repeater {
        model: ["thirdString", "secondString", "firstString"]
        delegate: Text {
            required property string modelData
            required property int index
            readonly property QtObject view: root.tuner ? root.tuner[modelData] : null
            objectName: modelData
            x: root.stringColumnsX + index * root.stringColumnsWidth / 3
            y: root.stringsY
            width: root.stringColumnsWidth / 3
            height: root.stringsHeight
            text: view ? view.text : ""
            visible: view ? !view.hidden : true
            color: root.muted
            font.pixelSize: root.textSize
            font.bold: true
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            fontSizeMode: Text.Fit
            minimumPixelSize: 7
        }
    }

    // Reference tones: the button of each string in its string's column.
    Repeater {
        model: [{ outlet: "thirdFreqButton", action: "playThirdFreq" },
                { outlet: "secondFreqButton", action: "playE329_6" },
                { outlet: "firstFreqButton", action: "playA440Hz" }]
        delegate: TunerButton {
            required property var modelData
            required property int index
            readonly property QtObject view: root.tuner ? root.tuner[modelData.outlet] : null
            readonly property real column: root.stringColumnsWidth / 3
            objectName: modelData.outlet
            width: Math.min(column - root.gap, root.referenceHeight * 2.4)
            x: root.stringColumnsX + index * column + (column - width) / 2
            y: root.referenceY
            height: root.referenceHeight
            title: view ? view.title : ""
            visible: view ? !view.hidden : true
            tint: "#3a3222"
            textColor: root.amber
            fontSize: root.buttonSize
            onTapped: root.tuner[modelData.action]()
        }
    }

    // The reference tone playing, note name and frequency, and the button that stops it.
    readonly property real stopWidth: Math.min(contentWidth / 4, toneHeight * 3.2)

    Text {
        objectName: "tfnoteDisplay"
        x: root.margin
        y: root.toneY
        width: (root.contentWidth - root.stopWidth) / 2 - root.gap
        height: root.toneHeight
        text: root.tuner ? root.tuner.tfnoteDisplay.text : ""
        visible: root.tuner ? !root.tuner.tfnoteDisplay.hidden : true
        color: root.amber
        font.pixelSize: root.textSize
        font.bold: true
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 7
    }

    Text {
        objectName: "tfFreqLabel"
        x: root.margin + (root.contentWidth - root.stopWidth) / 2
        y: root.toneY
        width: (root.contentWidth - root.stopWidth) / 2 - root.gap
        height: root.toneHeight
        text: root.tuner ? root.tuner.tfFreqLabel.text : ""
        visible: root.tuner ? !root.tuner.tfFreqLabel.hidden : true
        color: root.amber
        font.pixelSize: root.textSize
        font.family: "DejaVu Sans Mono"
        horizontalAlignment: Text.AlignLeft
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.Fit
        minimumPixelSize: 7
    }

    TunerButton {
        objectName: "stopFreqPlay"
        x: root.width - root.margin - width
        y: root.toneY
        width: root.stopWidth
        height: root.toneHeight
        title: "■"
        tint: "#4a2326"
        textColor: "#ff8a80"
        fontSize: root.textSize
        onTapped: root.tuner.stopFreqPlay()
    }

    // The two fixed texts.
    Text {
        objectName: "aboutCongratsMessage"
        x: root.margin
        y: root.aboutY
        width: root.contentWidth
        height: root.aboutHeight * 0.4
        text: root.tuner ? root.tuner.aboutCongratsMessage.text : ""
        visible: root.tuner ? !root.tuner.aboutCongratsMessage.hidden : true
        color: root.ink
        font.pixelSize: root.textSize
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        wrapMode: Text.WordWrap
        fontSizeMode: Text.Fit
        minimumPixelSize: 6
    }

    Text {
        objectName: "aboutMsg2"
        x: root.margin
        y: root.aboutY + root.aboutHeight * 0.42
        width: root.contentWidth
        height: root.aboutHeight * 0.58
        text: root.tuner ? root.tuner.aboutMsg2.text : ""
        visible: root.tuner ? !root.tuner.aboutMsg2.hidden : true
        color: root.muted
        font.pixelSize: root.smallSize
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        wrapMode: Text.WordWrap
        fontSizeMode: Text.Fit
        minimumPixelSize: 6
    }

    // Links: the maker's site, a review of this application, and the full list.
    Row {
        id: footer
        readonly property real buttonWidth: (root.contentWidth - 2 * root.gap) / 3
        x: root.margin
        y: root.footerY
        height: root.footerHeight
        spacing: root.gap

        TunerButton {
            objectName: "makerSiteLink"
            width: footer.buttonWidth
            height: root.footerHeight
            title: qsTrId("LinkWebsite")
            bold: false
            fontSize: root.smallSize
            onTapped: root.tuner.openLink("redirectToMakerSite")
        }
        TunerButton {
            objectName: "reviewThisAppLink"
            width: footer.buttonWidth
            height: root.footerHeight
            title: "★ " + qsTrId("LinkRateThisApp")
            bold: false
            fontSize: root.smallSize
            onTapped: root.tuner.openLink("reviewThisApp")
        }
        TunerButton {
            objectName: "moreAppsButton"
            width: footer.buttonWidth
            height: root.footerHeight
            title: qsTrId("LinkMoreApps")
            bold: false
            fontSize: root.smallSize
            onTapped: linksPanel.visible = true
        }
    }

    LinksPanel {
        id: linksPanel
        objectName: "linksPanel"
        anchors.fill: parent
        anchors.topMargin: root.safeTop
        anchors.bottomMargin: root.safeBottom
        tuner: root.tuner
        fontSize: root.textSize
        rowHeight: root.footerHeight
        margin: root.margin
    }

    RatingAlert {
        objectName: "ratingAlert"
        anchors.fill: parent
        alerts: typeof ratingAlerts !== "undefined" ? ratingAlerts : null
        fontSize: root.textSize
        rowHeight: root.footerHeight * 1.3
        margin: root.margin
    }
}
