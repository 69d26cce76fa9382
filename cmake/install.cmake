# cmake --install: the headers, the static libraries, the entry-point objects
# and a CMake package, so that find_package(corvix CONFIG) gives corvix::corvix,
# corvix::main (the program entry), corvix::skin (the 2007 button skin) and the
# application manifests corvix::manifest and corvix::manifest_comctl6.
include(GNUInstallDirs)
set(CORVIX_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/corvix)

install(TARGETS corvix corvixmain corvixmanifest corvixmanifest6 skin EXPORT corvixTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        OBJECTS DESTINATION ${CMAKE_INSTALL_LIBDIR}/corvix)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/corvix DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")
install(EXPORT corvixTargets NAMESPACE corvix:: DESTINATION ${CORVIX_PACKAGE_DIR})
file(WRITE ${CMAKE_BINARY_DIR}/corvixConfig.cmake "include(\"\${CMAKE_CURRENT_LIST_DIR}/corvixTargets.cmake\")\n")
install(FILES ${CMAKE_BINARY_DIR}/corvixConfig.cmake DESTINATION ${CORVIX_PACKAGE_DIR})
