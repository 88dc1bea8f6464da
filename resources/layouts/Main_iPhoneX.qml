import QtQuick

// Phones 812 points high (375 x 812), with a camera housing and a home indicator.
TunerScreen {
    designWidth: 375
    designHeight: 812
    highlightOutlet: "tunedString5"

    safeTop: 47
    safeBottom: 34
    margin: 12
    gap: 6
    headerHeight: 46
    readingHeight: 124
    meterHeight: 54
    stringsHeight: 24
    referenceHeight: 48
    toneHeight: 24
    aboutHeight: 52
    footerHeight: 34
    titleSize: 21
    noteSize: 64
    freqSize: 27
    buttonSize: 20
    textSize: 14
    smallSize: 12
}
