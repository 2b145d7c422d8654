# The Debian package (scripts/package): the files of `cmake --install` under
# /usr, and the dependencies the binaries link (dpkg-shlibdeps) plus the Qt
# plugins that are loaded by name and so appear in no binary: the SQLite
# driver. The xcb and offscreen platforms are in libqt6gui6, which the
# binaries link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quillar developers <quillar@quillar.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
# The windows are laid out for these fonts, and Qt's own buttons are
# translated by qt6-translations-l10n; without them the program still runs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-arphic-uming, fonts-arphic-ukai, fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue manager for geochemical diagram templates")
set(CPACK_PACKAGE_DESCRIPTION
  "Lists, edits and saves the figures, groups, points and labels of the templates.\n管理地球化学投图的图版目录：图版、分组、数据点和标签。")
# Debug information stays in the build; the package gets stripped binaries.
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
# CPack would build everything first, tests included: scripts/package builds
# what the package holds, and the package test runs after the build, beside
# other tests, where a make in the build folder has no business.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
