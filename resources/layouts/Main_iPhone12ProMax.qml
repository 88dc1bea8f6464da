import QtQuick

// Phones 926, 932 and 956 points high (428 x 926, 430 x 932, 440 x 956).
TunerScreen {
    designWidth: 428
    designHeight: 926
    highlightOutlet: "tunedString5"

    safeTop: 50
    safeBottom: 34
    margin: 16
    gap: 7
    headerHeight: 52
    readingHeight: 140
    meterHeight: 62
    stringsHeight: 26
    referenceHeight: 56
    toneHeight: 26
    aboutHeight: 58
    footerHeight: 40
    titleSize: 24
    noteSize: 76
    freqSize: 32
    buttonSize: 22
    textSize: 15
    smallSize: 13
}
