import QtQuick

// Pads 1194 and 1210 points high (834 x 1194, 834 x 1210).
TunerScreen {
    designWidth: 834
    designHeight: 1194
    highlightOutlet: "tunedStringiPad"

    safeTop: 24
    safeBottom: 20
    margin: 34
    gap: 13
    headerHeight: 68
    readingHeight: 166
    meterHeight: 78
    stringsHeight: 36
    referenceHeight: 78
    toneHeight: 38
    aboutHeight: 82
    footerHeight: 52
        titleSize: 34
    noteSize: 94
    freqSize: 42
    buttonSize: 32
    textSize: 21
    smallSize: 17
}
