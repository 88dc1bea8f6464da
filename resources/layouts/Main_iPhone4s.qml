import QtQuick

// Phones 480 points high (320 x 480).
TunerScreen {
    designWidth: 320
    designHeight: 480
    highlightOutlet: "tunedString"

    safeTop: 20
    safeBottom: 0
    margin: 8
    gap: 4
    headerHeight: 38
    readingHeight: 80
    meterHeight: 40
    aidsHeight: 48
    stringsHeight: 18
    referenceHeight: 38
    toneHeight: 18
    aboutHeight: 34
    footerHeight: 28
    titleSize: 18
    noteSize: 46
    freqSize: 22
    buttonSize: 16
    textSize: 12
    smallSize: 10
}
