# The .deb, built by scripts/package.sh. The program names its installed files
# by their full path, so the build's install prefix must be the package's.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VENDOR "The Orvanta developers")
set(CPACK_PACKAGE_CONTACT "The Orvanta developers <orvanta@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn lists of e-mail addresses into images")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvanta draws e-mail addresses as JPEG or PNG images, one per address or one\n"
    "for the whole list, so an address can sit on a web page or in a document\n"
    "as a picture instead of as text that address harvesters read. Addresses\n"
    "are typed, loaded from list files or dropped on the window; orvanta\n"
    "--convert does the same without a window.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://orvanta.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: the converter's
# shaping library, the display plugins (X11 and Wayland) and the window's font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libharfbuzz0b, qt6-qpa-plugins, qt6-wayland, fonts-liberation2")
include(CPack)
