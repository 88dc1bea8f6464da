import QtQuick

// The two fixed texts, and under them the links: the maker's site, a review of this
// application, and the full list. Spans the screen's width; the texts take the layout's about
// row, the links its footer row.
Item {
    id: footer

    // The TunerScreen: its tuner view objects, metrics and colours.
    property Item screen
    readonly property QtObject tuner: screen ? screen.tuner : null
    readonly property real aboutHeight: screen.aboutHeight
    readonly property real linkWidth: (screen.contentWidth - 2 * screen.gap) / 3
    // The list of every link is the screen's to show.
    signal moreAppsTapped()

    Text {
        objectName: "aboutCongratsMessage"
        x: footer.screen.margin
        width: footer.screen.contentWidth
        height: footer.aboutHeight * 0.4
        text: footer.tuner ? footer.tuner.aboutCongratsMessage.text : ""
        visible: footer.tuner ? !footer.tuner.aboutCongratsMessage.hidden : true
        color: footer.screen.ink
        font.pixelSize: footer.screen.textSize
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        wrapMode: Text.WordWrap
        fontSizeMode: Text.Fit
        minimumPixelSize: 6
    }

    Text {
        objectName: "aboutMsg2"
        x: footer.screen.margin
        y: footer.aboutHeight * 0.42
        width: footer.screen.contentWidth
        height: footer.aboutHeight * 0.58
        text: footer.tuner ? footer.tuner.aboutMsg2.text : ""
        visible: footer.tuner ? !footer.tuner.aboutMsg2.hidden : true
        color: footer.screen.muted
        font.pixelSize: footer.screen.smallSize
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        wrapMode: Text.WordWrap
        fontSizeMode: Text.Fit
        minimumPixelSize: 6
    }

    Row {
        x: footer.screen.margin
        y: footer.height - footer.screen.footerHeight
        height: footer.screen.footerHeight
        spacing: footer.screen.gap

        TunerButton {
            objectName: "makerSiteLink"
            width: footer.linkWidth
            height: footer.screen.footerHeight
            title: qsTrId("LinkWebsite")
            bold: false
            fontSize: footer.screen.smallSize
            onTapped: footer.tuner.openLink("redirectToMakerSite")
        }
        TunerButton {
            objectName: "reviewThisAppLink"
            width: footer.linkWidth
            height: footer.screen.footerHeight
            title: "★ " + qsTrId("LinkRateThisApp")
            bold: false
            fontSize: footer.screen.smallSize
            onTapped: footer.tuner.openLink("reviewThisApp")
        }
        TunerButton {
            objectName: "moreAppsButton"
            width: footer.linkWidth
            height: footer.screen.footerHeight
            title: qsTrId("LinkMoreApps")
            bold: false
            fontSize: footer.screen.smallSize
            onTapped: footer.moreAppsTapped()
        }
    }
}
