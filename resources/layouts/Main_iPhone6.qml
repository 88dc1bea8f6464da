import QtQuick

// Phones 667 points high (375 x 667).
TunerScreen {
    designWidth: 375
    designHeight: 667
    highlightOutlet: "tunedString5"

    safeTop: 20
    safeBottom: 0
    margin: 12
    gap: 6
    headerHeight: 44
    readingHeight: 112
    meterHeight: 48
    stringsHeight: 22
    referenceHeight: 44
    toneHeight: 22
    aboutHeight: 48
    footerHeight: 32
    titleSize: 20
    noteSize: 60
    freqSize: 26
    buttonSize: 19
    textSize: 13
    smallSize: 11
}
