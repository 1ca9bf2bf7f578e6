# Installs the build into a fresh prefix and checks that the installed
# program works from there: its folders beside it in lib/orvanta/, the links
# in bin/, the batch tool finding
# the standard module and its drawing program, the desktop program starting
# with its modules and plug-ins and keeping its settings, the desktop entry
# naming the program.
#   cmake -DBUILD=<build dir> -DPREFIX=<empty prefix> -P CheckInstall.cmake

function(fail message)
    message(FATAL_ERROR "install check: ${message}")
endfunction()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    fail("cmake --install failed: ${errors}")
endif()

set(dir lib/orvanta)
foreach(path
        bin/orvan32 bin/orvan ${dir}/orvan32 ${dir}/orvan ${dir}/orvan-plot ${dir}/Models/standard.so
        ${dir}/PlugIns/trilattice.so ${dir}/PlugIns/rheobend.so ${dir}/help/index.html
        ${dir}/help/3104.html ${dir}/Readme.htm
        include/orvanta/math_module.h include/orvanta/plugin.h include/orvanta/plan_service.h
        share/doc/orvanta/examples/ccr2-strength.mpl share/doc/orvanta/copyright
        share/doc/orvanta/changelog.gz share/applications/orvanta.desktop
        share/icons/hicolor/scalable/apps/orvanta.svg share/icons/hicolor/64x64/apps/orvanta.png
        share/mime/packages/orvanta.xml share/metainfo/org.orvanta.Orvanta.metainfo.xml
        share/man/man1/orvan.1.gz share/man/man1/orvan32.1.gz share/man/ru/man1/orvan.1.gz
        share/man/ru/man1/orvan32.1.gz)
    if(NOT EXISTS ${PREFIX}/${path})
        fail("${path} is missing")
    endif()
endforeach()
foreach(path bin/orvan32 bin/orvan ${dir}/orvan-plot)
    execute_process(COMMAND test -x ${PREFIX}/${path} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        fail("${path} is not executable")
    endif()
endforeach()

file(READ ${PREFIX}/share/applications/orvanta.desktop entry)
foreach(line "Exec=\"${PREFIX}/bin/orvan32\" %f" "Icon=orvanta" "MimeType=application/x-orvanta-plan;")
    string(FIND "${entry}" "${line}" at)
    if(at EQUAL -1)
        fail("the desktop entry lacks ${line}")
    endif()
endforeach()

# Both programs name the project's version, the desktop program without a
# display.
foreach(program orvan orvan32)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=QT_QPA_PLATFORM
                            ${PREFIX}/bin/${program} --version
                    RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE errors)
    if(NOT result EQUAL 0 OR NOT said STREQUAL "${program} ${VERSION}\n")
        fail("${program} --version: ${result} ${said} ${errors}")
    endif()
endforeach()

# The batch tool finds the module beside it and analyses an installed example.
execute_process(COMMAND ${PREFIX}/bin/orvan modules
                RESULT_VARIABLE result OUTPUT_VARIABLE modules ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT modules MATCHES "standard")
    fail("orvan modules: ${result} ${modules} ${errors}")
endif()
execute_process(COMMAND ${PREFIX}/bin/orvan analyze
                        ${PREFIX}/share/doc/orvanta/examples/ccr2-strength.mpl --json
                RESULT_VARIABLE result OUTPUT_VARIABLE analysis ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT analysis MATCHES "\"coefficients\"")
    fail("orvan analyze: ${result} ${analysis} ${errors}")
endif()

# The batch tool finds its drawing program beside it and draws without a
# display.
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=QT_QPA_PLATFORM
            ${PREFIX}/bin/orvan plot ${PREFIX}/share/doc/orvanta/examples/ccr2-strength.mpl contour
            -o ${PREFIX}/strength.svg
    RESULT_VARIABLE result ERROR_VARIABLE errors TIMEOUT 60)
if(NOT result EQUAL 0 OR NOT EXISTS ${PREFIX}/strength.svg)
    fail("orvan plot: ${result} ${errors}")
endif()
file(READ ${PREFIX}/strength.svg picture LIMIT 100)
if(NOT picture MATCHES "<svg")
    fail("orvan plot wrote no SVG drawing")
endif()

# The desktop program starts from the prefix with an example open, meets its
# modules and plug-ins without a word, and keeps its settings at exit.
set(home ${PREFIX}/home)
file(MAKE_DIRECTORY ${home}/runtime)
file(CHMOD ${home}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=ORVAN32_HOME QT_QPA_PLATFORM=offscreen
            ORVAN32_STARTUP_TIMING=quit HOME=${home} XDG_CONFIG_HOME=${home}/config
            XDG_RUNTIME_DIR=${home}/runtime
            ${PREFIX}/bin/orvan32 ${PREFIX}/share/doc/orvanta/examples/ccr2-strength.mpl
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 60)
if(NOT result EQUAL 0 OR NOT output MATCHES "usable-window-at")
    fail("orvan32 did not start: ${result} ${output} ${errors}")
endif()
foreach(word "внешнего модуля" "Внешние модули" "PlugIns")
    string(FIND "${errors}" "${word}" at)
    if(NOT at EQUAL -1)
        fail("orvan32 complained at start-up: ${errors}")
    endif()
endforeach()
if(NOT EXISTS ${PREFIX}/${dir}/orvan32.cfg AND NOT EXISTS ${home}/config/orvanta/orvan32.cfg)
    fail("orvan32 kept no settings")
endif()
message(STATUS "install check: ${PREFIX} works")
