import QtQuick

// Pads 1366 and 1376 points high (1024 x 1366, 1032 x 1376).
TunerScreen {
    designWidth: 1024
    designHeight: 1366
    highlightOutlet: "tunedStringiPad"

    safeTop: 24
    safeBottom: 20
    margin: 40
    gap: 14
    headerHeight: 76
    readingHeight: 196
    meterHeight: 92
    stringsHeight: 40
    referenceHeight: 88
    toneHeight: 44
    aboutHeight: 90
    footerHeight: 56
        titleSize: 40
    noteSize: 112
    freqSize: 50
    buttonSize: 36
    textSize: 24
    smallSize: 19
}
