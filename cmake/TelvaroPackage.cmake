# The Debian package: ./build.sh package, or cpack in the build folder,
# makes telvaro_VERSION_ARCH.deb. Its dependencies are what dpkg-shlibdeps
# finds the programs linked with, plus the Qt plugins they load by name.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME telvaro)
set(CPACK_PACKAGE_VENDOR "The Telvaro developers")
set(CPACK_PACKAGE_CONTACT "${TELVARO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find free Internet domain names")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TELVARO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The SQLite driver of the database export is a plugin no library names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
# Web commands open the browser through xdg-open; the printed list asks for
# Arial, which Liberation Sans stands in for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation")
# CPack puts the summary first and indents these lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Telvaro finds Internet domain names that nobody has registered yet. You
build a list of candidate names, typed in, imported from a text file or
constructed from a keyword and word lists, and Telvaro asks each name's
registry whether the name is taken, over whois or RDAP.

Lists are documents (.qzn files) that can be saved, printed and exported
as HTML, text, CSV, JSON or SQLite. telvaro-cli does the same from
scripts.")

include(CPack)
