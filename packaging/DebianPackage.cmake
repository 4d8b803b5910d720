# `cpack -G DEB` in a release build folder makes timeline-draft_VERSION_ARCH.deb. The library
# dependencies are read from the binaries; what the binaries cannot tell is named here: Qt loads
# its window-system plugin at run time, and the chart's font "ＭＳ Ｐゴシック" is drawn with IPA
# PGothic.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME timeline-draft)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "TimelineDraft developers <timeline-draft@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Gantt chart editor for project plans")
set(CPACK_PACKAGE_DESCRIPTION
"Opens several project plans side by side in one chart: rows of projects and
sub-projects, tasks, events, progress bars, connecting lines and text boxes on
a date timeline, and schedules of dated entries. Prints and previews the chart.
Includes tdtool, a command-line companion that inspects, converts, renders and
prints plans. The user interface is in Japanese.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
