# SPDX-License-Identifier: GPL-3.0-or-later

# `make package` (CPack): one Debian package with the app and its desktop files,
# installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillmere)
set(CPACK_PACKAGE_VENDOR "The Quillmere developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Quillmere developers <dev@quillmere.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# What Debian asks of every package in usr/share/doc/quillmere: the copyright
# in its machine-readable form and, this being a native package, changelog.gz,
# written from the releases the metainfo lists.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(package_changelog ${CMAKE_BINARY_DIR}/package/changelog.gz)
add_custom_command(
  OUTPUT ${package_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/data/make-changelog.py
    ${PROJECT_SOURCE_DIR}/data/org.quillmere.Quillmere.metainfo.xml
    ${CPACK_PACKAGE_NAME} ${PROJECT_VERSION} ${CPACK_DEBIAN_PACKAGE_MAINTAINER} ${package_changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/data/make-changelog.py ${PROJECT_SOURCE_DIR}/data/org.quillmere.Quillmere.metainfo.xml
  VERBATIM)
add_custom_target(quillmere_changelog ALL DEPENDS ${package_changelog})
install(FILES data/copyright ${package_changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})

# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Copy a picture, usually a screenshot, and paste it into Quillmere's window:
it finds the lines of text on the device with Tesseract, translates every
line into the language you choose, and shows a new picture in which each
line is covered by a small rounded plate with the translation written on it.
The interface speaks Hebrew.")

# The shared libraries (Qt 6, Tesseract, Leptonica, the C++ runtime) are found
# by dpkg-shlibdeps from the binary; what it cannot see is listed here: the
# recognition models the app loads, the letter-sequence profiles a page's
# language is told by, the Noto faces the translations are drawn
# in (Noto Sans, Noto Sans Hebrew, Noto Sans Arabic UI), Qt's Wayland
# platform plugin and wl-paste, which reads the Wayland clipboard. Their Medium weights, which the overlay prefers, come in
# the much larger -extra packages, so those are only recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "tesseract-ocr-eng, tesseract-ocr-fra, tesseract-ocr-spa, tesseract-ocr-deu, tesseract-ocr-ita, tesseract-ocr-por, \
tesseract-ocr-pol, tesseract-ocr-tur, tesseract-ocr-vie, tesseract-ocr-rus, tesseract-ocr-ukr, tesseract-ocr-ell, \
tesseract-ocr-heb, tesseract-ocr-yid, tesseract-ocr-ara, tesseract-ocr-chi-sim, tesseract-ocr-chi-tra, tesseract-ocr-jpn, \
tesseract-ocr-kor, tesseract-ocr-tha, libexttextcat-data, fonts-noto-core, fonts-noto-ui-core, qt6-wayland, wl-clipboard")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-extra, fonts-noto-ui-extra")

include(CPack)
