# What the Debian package installs besides the libraries and their headers
# (zqvr_add_library installs those): the demo host, its shared folder
# (<datadir>/brevanto: the report layouts and the floor-plan pictures, which
# the installed host takes as its RutaAplicacion), its menu entry and manual
# page, and the package's own documents. scripts/package.sh runs CPack on
# the build tree; nothing here runs in an ordinary build.
set(ZQVR_PACKAGE_NAME brevanto-tpvs)
# Installing (and packaging) needs what is installed, built by
# scripts/package.sh, not the tests and benchmarks of "all".
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(ZQVR_SHARED_DIR ${CMAKE_INSTALL_DATADIR}/brevanto)
set(ZQVR_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${ZQVR_PACKAGE_NAME})

install(TARGETS brevanto-host RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Rpt/ DESTINATION ${ZQVR_SHARED_DIR}/Rpt FILES_MATCHING PATTERN "*.rpt")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/app/Imagen/ DESTINATION ${ZQVR_SHARED_DIR}/Imagen FILES_MATCHING PATTERN "*.png")
install(FILES ${PROJECT_SOURCE_DIR}/packaging/brevanto-host.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${ZQVR_DOC_DIR})
# The integrator notes (writing a host, the headers' include paths).
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${ZQVR_DOC_DIR})

# Debian wants the manual page and the changelog compressed, without a time
# stamp in the gzip header so that two builds give the same bytes.
set(ZQVR_PACKAGE_GZ ${CMAKE_BINARY_DIR}/packaging)
install(CODE "
  file(MAKE_DIRECTORY \"${ZQVR_PACKAGE_GZ}\")
  foreach(pair \"brevanto-host.1;brevanto-host.1.gz\" \"changelog;changelog.Debian.gz\")
    list(GET pair 0 src)
    list(GET pair 1 dst)
    execute_process(COMMAND gzip -9nc \"${PROJECT_SOURCE_DIR}/packaging/\${src}\"
                    OUTPUT_FILE \"${ZQVR_PACKAGE_GZ}/\${dst}\" RESULT_VARIABLE rc)
    if(rc)
      message(FATAL_ERROR \"gzip \${src} failed\")
    endif()
  endforeach()")
install(FILES ${ZQVR_PACKAGE_GZ}/brevanto-host.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ZQVR_PACKAGE_GZ}/changelog.Debian.gz DESTINATION ${ZQVR_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ZQVR_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION}.0)
set(CPACK_PACKAGE_VENDOR "Brevanto")
set(CPACK_PACKAGE_CONTACT "ZQVRTpvs developers <dev@brevanto.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "point-of-sale back office of the Brevanto suite")
set(CPACK_PACKAGE_DESCRIPTION "The register of sales terminals, their tickets, parameters, touch
screens, salons, messages and parking bands of the Brevanto retail and
hospitality suite, as a library of screens that a host application loads
(libZQVRTpvs and its per-folder libraries, with their headers), and
brevanto-host, the demo host, which plays the suite's main application on
an embedded SQLite database filled with demo data on first start.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The Qt libraries and libc from the binaries themselves; the database
# drivers Qt loads as plugins are named: SQLite for the demo host, ODBC (and
# the ODBC drivers of the suite's servers) for a site's own database.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-odbc, unixodbc, odbc-postgresql, tdsodbc, qt6-translations-l10n")
# The libraries are public (a host links them): shlibs and the ldconfig trigger.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/triggers)
set(CPACK_SET_DESTDIR OFF)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
