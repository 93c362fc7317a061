# Installation into the standard places, man pages made from the tools' own
# --help text, and the Debian package.
include(GNUInstallDirs)

install(TARGETS brenvik pellard brenvik-data pellard-report
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The help lookup finds the pages in ../share/merivale beside the program.
install(FILES docs/merivale-help.html docs/corvane-help.html docs/corvane-getting-started.html
  DESTINATION ${CMAKE_INSTALL_DATADIR}/merivale)

set(package_dir ${CMAKE_SOURCE_DIR}/tools/package)
foreach(app com.varnholt.Merivale com.varnholt.Corvane)
  install(FILES ${package_dir}/${app}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${package_dir}/${app}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${package_dir}/icons/${app}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${package_dir}/icons/${size}x${size}/${app}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endforeach()

# Man pages are written from --help by help2man, so the two never disagree.
find_program(HELP2MAN help2man REQUIRED)
set(man_pages "")
foreach(tool_and_title
    "brenvik-data|store data files, reports, labels and barcodes from the command line"
    "pellard-report|statistics and summary reports of transaction files")
  string(REPLACE "|" ";" parts "${tool_and_title}")
  list(GET parts 0 tool)
  list(GET parts 1 title)
  set(page ${CMAKE_BINARY_DIR}/man/${tool}.1)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN} --no-info --no-discard-stderr --version-string=${PROJECT_VERSION}
            --name=${title} --output=${page} $<TARGET_FILE:${tool}>
    DEPENDS ${tool}
    COMMENT "Man page of ${tool}"
    VERBATIM)
  list(APPEND man_pages ${page})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME merivale)
set(CPACK_PACKAGE_VENDOR "Varnholt")
set(CPACK_PACKAGE_CONTACT "Merivale maintainers <maintainers@merivale.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "store program (inventory, point of sale, customers) and transaction analyzer")
set(CPACK_PACKAGE_DESCRIPTION
  "Merivale keeps a small store's inventory, customers and invoices, sells and refunds,
prints invoices, reports and labels. Corvane summarises comma-separated transaction files.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "printer-driver-cups-pdf")
set(CPACK_GENERATOR DEB)
include(CPack)

if(BRENVIK_TESTS)
  add_test(NAME package.install
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/package/check_install.sh ${CMAKE_BINARY_DIR})
endif()
