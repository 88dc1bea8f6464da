import QtQuick

// Phones 844, 852 and 874 points high (390 x 844, 393 x 852, 402 x 874).
TunerScreen {
    designWidth: 390
    designHeight: 844
    highlightOutlet: "tunedString5"

    safeTop: 47
    safeBottom: 34
    margin: 14
    gap: 6
    headerHeight: 48
    readingHeight: 128
    meterHeight: 56
    stringsHeight: 24
    referenceHeight: 50
    toneHeight: 24
    aboutHeight: 54
    footerHeight: 36
    titleSize: 22
    noteSize: 68
    freqSize: 28
    buttonSize: 20
    textSize: 14
    smallSize: 12
}
