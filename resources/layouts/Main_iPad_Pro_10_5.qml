import QtQuick

// Pads 1080, 1112 and 1180 points high (810 x 1080, 834 x 1112, 820 x 1180).
TunerScreen {
    designWidth: 834
    designHeight: 1112
    highlightOutlet: "tunedStringiPad"

    safeTop: 24
    safeBottom: 20
    margin: 34
    gap: 12
    headerHeight: 66
    readingHeight: 160
    meterHeight: 76
    stringsHeight: 36
    referenceHeight: 76
    toneHeight: 38
    aboutHeight: 80
    footerHeight: 50
        titleSize: 34
    noteSize: 90
    freqSize: 40
    buttonSize: 32
    textSize: 21
    smallSize: 17
}
