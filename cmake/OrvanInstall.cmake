# `cmake --install`: the program with its folders beside it, as it runs from
# the build (PREFIX/bin/orvan32, orvan, Models/, PlugIns/, help/,
# Readme.htm), the public headers for module and plug-in writers, the
# examples, and the desktop's entry, icon and file type.

install(TARGETS orvan32 orvan orvan-plot RUNTIME DESTINATION bin)
install(TARGETS orvan_standard_module LIBRARY DESTINATION bin/Models)
get_property(orvan_installed_plugins GLOBAL PROPERTY orvan_plugin_modules)
install(TARGETS ${orvan_installed_plugins} LIBRARY DESTINATION bin/PlugIns)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION bin/help)
install(FILES ${PROJECT_SOURCE_DIR}/help/Readme.htm DESTINATION bin)

install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/orvanta DESTINATION include)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION share/orvanta/examples
        PATTERN "make-examples.sh" EXCLUDE
        PATTERN "CMakeLists.txt" EXCLUDE)

# The entry names the program by its installed path, which is known only
# when installing (`--prefix` may differ from the configured prefix).
install(CODE "
    set(ORVAN_INSTALLED_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/bin/orvan32\")
    configure_file(\"${PROJECT_SOURCE_DIR}/data/orvanta.desktop.in\"
                   \"${CMAKE_BINARY_DIR}/install/orvanta.desktop\" @ONLY)
")
install(FILES ${CMAKE_BINARY_DIR}/install/orvanta.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/orvanta.svg
        DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${ORVAN_ICON_PNG} DESTINATION share/icons/hicolor/64x64/apps
        RENAME orvanta.png)
install(FILES ${PROJECT_SOURCE_DIR}/data/orvanta-mime.xml DESTINATION share/mime/packages
        RENAME orvanta.xml)
