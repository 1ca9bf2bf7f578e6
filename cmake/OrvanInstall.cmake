# `cmake --install` and the packages: the programs in a folder of their own,
# PREFIX/lib/orvanta/, with Models/, PlugIns/, help/ and Readme.htm beside
# them (the program finds everything beside itself), links to orvan32 and
# orvan in PREFIX/bin/; the public headers for module and plug-in writers;
# the examples, the copyright and the change log under share/doc/orvanta/;
# the desktop's entry, icons, file type and metainfo; the manual pages in
# English and Russian.

set(ORVAN_PROGRAM_DIR lib/orvanta)

install(TARGETS orvan32 orvan orvan-plot RUNTIME DESTINATION ${ORVAN_PROGRAM_DIR})
install(TARGETS orvan_standard_module LIBRARY DESTINATION ${ORVAN_PROGRAM_DIR}/Models)
get_property(orvan_installed_plugins GLOBAL PROPERTY orvan_plugin_modules)
install(TARGETS ${orvan_installed_plugins} LIBRARY DESTINATION ${ORVAN_PROGRAM_DIR}/PlugIns)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${ORVAN_PROGRAM_DIR}/help)
install(FILES ${PROJECT_SOURCE_DIR}/help/Readme.htm DESTINATION ${ORVAN_PROGRAM_DIR})

# Relative links, so that the tree can move (DESTDIR, a copied prefix).
foreach(program orvan32 orvan)
    install(CODE "
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
        file(CREATE_LINK ../${ORVAN_PROGRAM_DIR}/${program}
             \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\" SYMBOLIC)
    ")
endforeach()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/orvanta DESTINATION include)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION share/doc/orvanta/examples
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

# The texts of the package, with this version and day filled in; the
# manual pages and the change log compressed as the distributions keep them.
set(ORVAN_METAINFO org.orvanta.Orvanta.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/data/orvanta.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/install/${ORVAN_METAINFO} @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/install/${ORVAN_METAINFO} DESTINATION share/metainfo)

set(orvan_docs "")
foreach(page orvan orvan32)
    foreach(lang en ru)
        set(source ${PROJECT_SOURCE_DIR}/data/man/${page}.1)
        set(folder share/man/man1)
        if(lang STREQUAL "ru")
            set(source ${PROJECT_SOURCE_DIR}/data/man/ru/${page}.1)
            set(folder share/man/ru/man1)
        endif()
        set(made ${CMAKE_BINARY_DIR}/install/man/${lang}/${page}.1.gz)
        list(APPEND orvan_docs ${made})
        list(APPEND orvan_doc_sources ${source})
        install(FILES ${made} DESTINATION ${folder})
    endforeach()
endforeach()
list(APPEND orvan_docs ${CMAKE_BINARY_DIR}/install/changelog.gz)
add_custom_command(
    OUTPUT ${orvan_docs}
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DBINARY=${CMAKE_BINARY_DIR}/install
            -DVERSION=${PROJECT_VERSION} -DDATE=${ORVAN_RELEASE_DATE}
            -P ${PROJECT_SOURCE_DIR}/cmake/OrvanDocs.cmake
    DEPENDS ${orvan_doc_sources} ${PROJECT_SOURCE_DIR}/data/changelog
            ${PROJECT_SOURCE_DIR}/cmake/OrvanDocs.cmake
    COMMENT "Filling in and compressing the manual pages and the change log")
add_custom_target(orvan_docs ALL DEPENDS ${orvan_docs})
install(FILES ${CMAKE_BINARY_DIR}/install/changelog.gz ${PROJECT_SOURCE_DIR}/data/copyright
        DESTINATION share/doc/orvanta)
install(FILES ${PROJECT_SOURCE_DIR}/data/lintian-overrides DESTINATION share/lintian/overrides
        RENAME orvanta)
