# Fills the version and the day into the manual pages and the change log and
# compresses them the reproducible way (gzip -9n: no name, no time stamp).
#   cmake -DSOURCE=<source dir> -DBINARY=<output dir> -DVERSION=x.y.z
#         -DDATE=YYYY-MM-DD -P OrvanDocs.cmake

find_program(GZIP gzip REQUIRED)

# The change log's day in the form of RFC 2822: the day of the week is
# computed from the date (Zeller's congruence), the hour is noon.
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" unused "${DATE}")
set(year ${CMAKE_MATCH_1})
math(EXPR month "${CMAKE_MATCH_2}")
math(EXPR day "${CMAKE_MATCH_3}")
set(m ${month})
set(y ${year})
if(m LESS 3)
    math(EXPR m "${m} + 12")
    math(EXPR y "${y} - 1")
endif()
math(EXPR h "(${day} + (13 * (${m} + 1)) / 5 + ${y} % 100 + (${y} % 100) / 4 + (${y} / 100) / 4 + 5 * (${y} / 100)) % 7")
set(weekdays Sat Sun Mon Tue Wed Thu Fri)
list(GET weekdays ${h} weekday)
math(EXPR index "${month} - 1")
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET months ${index} month_name)
if(day LESS 10)
    set(day "0${day}")
endif()
set(rfc2822 "${weekday}, ${day} ${month_name} ${year} 12:00:00 +0000")

function(fill_and_compress input output)
    file(READ ${input} text)
    string(REPLACE "ORVAN_VERSION_PLACEHOLDER" "${VERSION}" text "${text}")
    string(REPLACE "ORVAN_RELEASE_DATE_RFC2822" "${rfc2822}" text "${text}")
    string(REPLACE "ORVAN_RELEASE_DATE_PLACEHOLDER" "${DATE}" text "${text}")
    get_filename_component(folder ${output} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    string(REGEX REPLACE "\\.gz$" "" plain ${output})
    file(WRITE ${plain} "${text}")
    execute_process(COMMAND ${GZIP} -9nf ${plain} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "gzip ${plain} failed")
    endif()
endfunction()

foreach(page orvan orvan32)
    fill_and_compress(${SOURCE}/data/man/${page}.1 ${BINARY}/man/en/${page}.1.gz)
    fill_and_compress(${SOURCE}/data/man/ru/${page}.1 ${BINARY}/man/ru/${page}.1.gz)
endforeach()
fill_and_compress(${SOURCE}/data/changelog ${BINARY}/changelog.gz)
