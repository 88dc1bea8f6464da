import QtQuick

// Phones 736 points high (414 x 736).
TunerScreen {
    designWidth: 414
    designHeight: 736
    highlightOutlet: "tunedString5"

    safeTop: 20
    safeBottom: 0
    margin: 14
    gap: 6
    headerHeight: 48
    readingHeight: 124
    meterHeight: 54
    stringsHeight: 24
    referenceHeight: 50
    toneHeight: 24
    aboutHeight: 52
    footerHeight: 34
    titleSize: 22
    noteSize: 66
    freqSize: 28
    buttonSize: 20
    textSize: 14
    smallSize: 12
}
