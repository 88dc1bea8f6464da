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
        "centsMeter", "centsLabel", "tuneCue",
        "concertPitchLabel", "lockLabel", "aidMessage", "unisonButton", "unisonGap"
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
    // The tuning aids: two lines of buttons as tall as the footer's links.
    property real aidsHeight: 2 * footerHeight + gap
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
    readonly property real aidsY: meterY + meterHeight + gap
    readonly property real chartY: aidsY + aidsHeight + gap
    readonly property real belowChart: stringsHeight + referenceHeight + toneHeight + aboutHeight + footerHeight + 5 * gap
    readonly property real chartHeight: Math.max(0, height - safeBottom - belowChart - chartY - gap)
    readonly property real chartWidth: Math.min(contentWidth, chartMaxWidth)
    readonly property real stringsY: chartY + chartHeight + gap
    readonly property real referenceY: stringsY + stringsHeight + gap
    readonly property real toneY: referenceY + referenceHeight + gap
    readonly property real aboutY: toneY + toneHeight + gap
    readonly property real footerY: aboutY + aboutHeight + gap

    Rectangle {
        anchors.fill: parent
        gradient: Gradient {
            GradientStop { position: 0.0; color: "#12151b" }
            GradientStop { position: 1.0; color: "#0a0b0e" }
        }
    }

    // The rows, top to bottom; each spans the width and takes its rows' heights.
    TuningHeader {
        screen: root
        y: root.safeTop
        width: root.width
        height: root.headerHeight
    }

    ReadingPanel {
        screen: root
        y: root.readingY
        width: root.width
        height: root.readingHeight
    }

    CentsMeterPanel {
        screen: root
        y: root.meterY
        width: root.width
        height: root.meterHeight
    }

    TuningAids {
        screen: root
        y: root.aidsY
        width: root.width
        height: root.aidsHeight
    }

    TuningChart {
        id: chart
        screen: root
        y: root.chartY
        width: root.width
        height: root.chartHeight + root.gap + root.stringsHeight
    }

    ToneButtons {
        screen: root
        y: root.referenceY
        width: root.width
        height: root.referenceHeight + root.gap + root.toneHeight
        columnsX: chart.columnsX
        columnsWidth: chart.columnsWidth
    }

    ScreenFooter {
        screen: root
        y: root.aboutY
        width: root.width
        height: root.aboutHeight + root.gap + root.footerHeight
        onMoreAppsTapped: linksPanel.visible = true
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
