# `cpack -G DEB` in the build folder builds kalkuno_<version>_<arch>.deb from the install rules.
set(KALKUNO_PACKAGE_MAINTAINER "Reihenheld <reihenheld@example.org>"
    CACHE STRING "Maintainer field of the Debian package: name <mail address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalkuno)
set(CPACK_PACKAGE_VENDOR Reihenheld)
# Releases are named by three numbers, as in the changelog and the AppStream file; the fourth is
# only the build number of the Windows file version.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "multiplication table drill for schoolchildren (German)")
# Line breaks kept as they are: the control file wants short lines.
set(CPACK_PACKAGE_DESCRIPTION "Reihenheld shows one multiplication problem at a time on a chalkboard,
takes the typed answer, keeps tallies of right and wrong answers and rewards
a perfect round with a star. The rows 1 to 20, the number of problems and an
optional time bar are chosen in a settings dialog; schools can preset them for
every pupil in /etc/xdg/Kalkuno.ini. The user interface is in German.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${KALKUNO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# dpkg-shlibdeps finds the libraries the program links (Qt Core, Gui, Widgets, Svg, the C++
# runtime); Qt loads its platform plugins at run time, and the fonts and Qt's German texts are
# only files, so those three are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, qt6-translations-l10n")

include(CPack)
