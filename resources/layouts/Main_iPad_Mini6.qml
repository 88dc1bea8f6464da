import QtQuick

// Pads 1133 points high (744 x 1133).
TunerScreen {
    designWidth: 744
    designHeight: 1133
    highlightOutlet: "tunedStringiPad"

    safeTop: 24
    safeBottom: 20
    margin: 30
    gap: 12
    headerHeight: 64
    readingHeight: 160
    meterHeight: 76
    stringsHeight: 34
    referenceHeight: 72
    toneHeight: 36
    aboutHeight: 78
    footerHeight: 48
        titleSize: 32
    noteSize: 90
    freqSize: 40
    buttonSize: 30
    textSize: 20
    smallSize: 16
}
