import QtQuick

// Phones 568 points high (320 x 568).
TunerScreen {
    designWidth: 320
    designHeight: 568
    highlightOutlet: "tunedString5"

    safeTop: 20
    safeBottom: 0
    margin: 8
    gap: 5
    headerHeight: 40
    readingHeight: 100
    meterHeight: 44
    stringsHeight: 20
    referenceHeight: 40
    toneHeight: 20
    aboutHeight: 44
    footerHeight: 30
    titleSize: 18
    noteSize: 52
    freqSize: 24
    buttonSize: 17
    textSize: 12
    smallSize: 10
}
