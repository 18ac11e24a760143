# `make package`: a Debian package of what `make install` installs, for /usr.
find_program(QV_GZIP gzip REQUIRED)

# Man pages go in compressed, as Debian keeps them; cheap enough for every build.
set(QV_MAN_PAGES qv.1 qvtool.1)
set(QV_MAN_OUTPUTS)
foreach(page IN LISTS QV_MAN_PAGES)
    set(source ${PROJECT_SOURCE_DIR}/docs/man/${page})
    set(output ${PROJECT_BINARY_DIR}/man/${page}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
        COMMAND ${QV_GZIP} -9 -n -c ${source} > ${output}
        DEPENDS ${source}
        VERBATIM)
    list(APPEND QV_MAN_OUTPUTS ${output})
endforeach()
add_custom_target(qv_man_pages ALL DEPENDS ${QV_MAN_OUTPUTS})
include(GNUInstallDirs)
install(FILES ${QV_MAN_OUTPUTS} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Packing takes the binaries as built; it must not start a build of every target.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qv)
set(CPACK_PACKAGE_VENDOR "qv developers")
set(CPACK_PACKAGE_CONTACT "qv developers <qv@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Operator's program for a laboratory Moessbauer spectrometer")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Operator's program for a laboratory Moessbauer spectrometer
 qv sets every hardware block of the spectrometer behind its interface card
 (analogue pulse processing, detector high voltage, velocity drive and its
 reference waveform, counters and timers, auxiliary bytes), starts and stops
 counting, shows the five spectra as they build up, and saves measurements as
 .qv data files and as export files for the fitting program Pelmix.
 .
 qvtool works with the data files from the command line: inspection, export,
 velocity calibration on alpha-iron, conversion, pictures and simulated runs.")

# The laboratory edits qv.hdw (port base, calibrations): an upgrade must keep it.
if(TARGET qv)
    set(QV_CONFFILES ${PROJECT_BINARY_DIR}/package/conffiles)
    file(WRITE ${QV_CONFFILES} "${CPACK_PACKAGING_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/qv.hdw\n")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${QV_CONFFILES})
endif()

# Depends from the libraries the binaries really link; without dpkg-shlibdeps,
# the runtime packages of Debian 12 that they come from.
find_program(QV_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(QV_FILE_UTILITY file)
if(QV_DPKG_SHLIBDEPS AND QV_FILE_UTILITY)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libc6, libstdc++6, libgcc-s1, libwxgtk3.2-1, libwxbase3.2-1, libgtk-3-0, libpng16-16, libgsl27, libgslcblas0, libfreetype6, libfontconfig1")
endif()

# A face with Arial's metrics, which fontconfig puts in for "Arial": the
# count-rate window's boxes hold eight 72-point digits of that width.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2 | fonts-liberation | fonts-urw-base35")

include(CPack)
