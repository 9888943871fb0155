# SPDX-License-Identifier: GPL-3.0-or-later
# What a system installation of Curvalo holds, and the .deb and .tar.gz that cpack makes of it:
# the two programs, the desktop entry, the icons in the hicolor theme, the AppStream metadata,
# the man pages and the copyright. Package dependencies come from dpkg-shlibdeps.
include(GNUInstallDirs)

install(TARGETS curvalo curvalo-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/curvalo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128 256)
    install(FILES icons/hicolor/${size}x${size}/curvalo.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES icons/hicolor/scalable/curvalo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/io.github.curvalo.Curvalo.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The test files' type, so that a double click on a .curvalo file opens it in Curvalo.
install(FILES data/curvalo-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME curvalo.xml)

# Compressed as Debian wants them: best compression, no name or time stamp inside.
foreach(source curvalo.1 curvalo-batch.1 changelog)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/packaging/${source}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
        COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/data/${source} > ${compressed}
        DEPENDS ${PROJECT_SOURCE_DIR}/data/${source}
        VERBATIM)
    list(APPEND curvalo_compressed ${compressed})
endforeach()
add_custom_target(curvalo_packaging_files ALL DEPENDS ${curvalo_compressed})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/curvalo.1.gz
              ${CMAKE_CURRENT_BINARY_DIR}/packaging/curvalo-batch.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/curvalo RENAME changelog.Debian.gz)
install(FILES data/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/curvalo)

set(CPACK_GENERATOR "DEB;TGZ")
set(CPACK_PACKAGE_NAME curvalo)
set(CPACK_PACKAGE_VENDOR "Curvalo developers")
set(CPACK_PACKAGE_CONTACT "Curvalo developers <curvalo@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "simulate and test the deflection of coordinate measuring machines")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://curvalo.github.io/")
# The synopsis is the summary above; this is the extended description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Curvalo simulates the structural deflection of a coordinate measuring machine
in its Y-Z plane with three compensation models, draws the nominal and the
deflected measuring volume, and computes what the deflected machine reports
for gauge-length measurements. A metrologist plans a length test, enters what
the machine measured, judges every result against the MPE, fits the model
parameters and exports a report. The batch tool curvalo-batch does the same
from scripts.")
# The program's translations are built into it; Qt's own (the standard buttons and dialogs)
# come from the distribution's Qt, and without them those stay English.
if(CURVALO_QT_VERSION STREQUAL "6")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
else()
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qttranslations5-l10n)
endif()
# A Debian revision of its own, so that the package is not a native one.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
include(CPack)
