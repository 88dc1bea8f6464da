import QtQuick

// Phones 896 points high (414 x 896).
TunerScreen {
    designWidth: 414
    designHeight: 896
    highlightOutlet: "tunedString5"

    safeTop: 48
    safeBottom: 34
    margin: 14
    gap: 7
    headerHeight: 50
    readingHeight: 136
    meterHeight: 60
    stringsHeight: 26
    referenceHeight: 54
    toneHeight: 26
    aboutHeight: 56
    footerHeight: 38
    titleSize: 24
    noteSize: 72
    freqSize: 30
    buttonSize: 22
    textSize: 15
    smallSize: 12
}
