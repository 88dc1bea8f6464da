import QtQuick

// Pads 1024 points high (768 x 1024).
TunerScreen {
    designWidth: 768
    designHeight: 1024
    highlightOutlet: "tunedStringiPad"

    safeTop: 24
    safeBottom: 20
    margin: 32
    gap: 12
    headerHeight: 64
    readingHeight: 150
    meterHeight: 72
    stringsHeight: 34
    referenceHeight: 72
    toneHeight: 36
    aboutHeight: 76
    footerHeight: 48
        titleSize: 32
    noteSize: 84
    freqSize: 38
    buttonSize: 30
    textSize: 20
    smallSize: 16
}
