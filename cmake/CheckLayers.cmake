# Checks the layering of the sources below SOURCE_DIR (cmake -P):
#   - a folder includes only folders of lower layers (or itself):
#     platform <- db, ui <- session <- persons <- journals <- returns <- files, print <- app <- qt;
#     db and ui do not know each other, nor do files and print;
#   - Qt headers are included only in qt/;
#   - SQL text stands only in db/ and in *Store files.
# Every breach is listed; the script fails when there is one.

cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake")
endif()

set(layer_platform 0)
set(layer_db 1)
set(layer_ui 1)
set(layer_session 2)
set(layer_persons 3)
set(layer_journals 4)
set(layer_returns 5)
set(layer_files 6)
set(layer_print 6)
set(layer_app 7)
set(layer_qt 8)

# Statements as they begin, in upper or lower case, inside a string literal.
set(sql_words "SELECT |INSERT INTO |DELETE FROM |UPDATE [A-Za-z_]+ SET |WHERE |select |insert into |delete from |update [a-z_]+ set |where ")
set(sql_pattern "\"[^\"]*(${sql_words})")

set(breaches "")
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
list(SORT sources)
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[^/]+" folder "${source}")
    if(NOT DEFINED layer_${folder})
        list(APPEND breaches "${source}: folder ${folder} has no layer (add it to CheckLayers.cmake)")
        continue()
    endif()
    file(STRINGS "${SOURCE_DIR}/${source}" lines)
    foreach(line IN LISTS lines)
        string(STRIP "${line}" shown)
        string(REPLACE ";" "" shown "${shown}")  # a list separator in CMake
        if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/")
            set(included "${CMAKE_MATCH_1}")
            if(DEFINED layer_${included} AND NOT included STREQUAL folder AND
               NOT layer_${included} LESS layer_${folder})
                list(APPEND breaches "${source}: ${folder} includes ${included}, a layer not below it: ${shown}")
            endif()
        elseif(line MATCHES "^[ \t]*#[ \t]*include[ \t]*<Q" AND NOT folder STREQUAL "qt")
            list(APPEND breaches "${source}: a Qt header outside qt/: ${shown}")
        elseif(line MATCHES "${sql_pattern}" AND NOT line MATCHES "^[ \t]*//" AND
               NOT folder STREQUAL "db" AND NOT source MATCHES "Store\\.(h|cpp)$")
            list(APPEND breaches "${source}: SQL text outside db/ and the *Store files: ${shown}")
        endif()
    endforeach()
endforeach()

if(breaches)
    list(LENGTH breaches count)
    list(JOIN breaches "\n  " listed)
    message(FATAL_ERROR "${count} layering breach(es):\n  ${listed}")
endif()
message(STATUS "layers hold in ${SOURCE_DIR}")
