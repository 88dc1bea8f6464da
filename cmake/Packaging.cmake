# Installation where a Linux desktop expects the program (GNUInstallDirs), and the Debian
# package: `cpack -G DEB` in the build folder.
#   bin/balalaika-tuner                                   headless, analysis; starts the window program
#   libexec/balalaika-tuner/balalaika-tuner-window        the window (Qt Quick)
#   share/balalaika-tuner/audio/demo.flac                 read beside the binary (qt::DataFiles)
#   share/balalaika-tuner/translations/balalaika-tuner_<lang>.qm
#   share/applications, share/metainfo, share/icons/hicolor (resources/desktop)

install(TARGETS balalaika-tuner RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS balalaika-tuner-window RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/balalaika-tuner)
install(FILES ${PROJECT_SOURCE_DIR}/resources/audio/demo.flac
        DESTINATION ${CMAKE_INSTALL_DATADIR}/balalaika-tuner/audio)
foreach(language en es ru)
  install(FILES ${PROJECT_BINARY_DIR}/resources/balalaika-tuner_${language}.qm
          DESTINATION ${CMAKE_INSTALL_DATADIR}/balalaika-tuner/translations)
endforeach()

set(CPACK_PACKAGE_NAME balalaika-tuner)
set(CPACK_PACKAGE_VENDOR "Balalaika Tuner")
set(BT_PACKAGE_MAINTAINER "Balalaika Tuner developers" CACHE STRING "The Debian package's Maintainer field")
set(CPACK_PACKAGE_CONTACT "${BT_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tuner for the balalaika family")
set(CPACK_PACKAGE_DESCRIPTION "Listens to the microphone, estimates the pitch ten times a second and shows \
which string of the chosen tuning (prima, secunda, alto, bass, contrabass) is in tune. Plays a \
reference tone for each string.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${BT_HOMEPAGE}")
# Library packages come from the binary's shared libraries (dpkg-shlibdeps); the QML modules are
# loaded at run time, so no library names them: they are listed here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qml6-module-qtquick, qml6-module-qtquick-window, qml6-module-qtqml-workerscript, \
qml6-module-qtquick-templates")
include(CPack)
