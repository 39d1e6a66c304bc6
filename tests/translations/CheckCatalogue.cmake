# Fails when a text of the sources has no finished entry in one of the catalogues, or when the
# Japanese catalogue leaves an English sentence as it is or changes a Japanese-source text.
if(NOT LUPDATE)
    message(FATAL_ERROR "lupdate not found (Debian: qt6-l10n-tools)")
endif()
file(GLOB catalogues ${CATALOGUE_DIR}/*.ts)
foreach(ts ${catalogues})
    get_filename_component(name ${ts} NAME_WE)
    set(copy ${WORK}/${name}.check.ts)
    file(COPY_FILE ${ts} ${copy})
    execute_process(COMMAND ${LUPDATE} ${SOURCES} -ts ${copy} -no-obsolete -locations none
                    RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(failed)
        message(FATAL_ERROR "lupdate failed:\n${out}")
    endif()
    file(READ ${copy} text)
    # A list item ends at ';': keep the texts' own ones (in "&#x3000;" too) out of the way.
    string(REPLACE ";" "@SEMICOLON@" text "${text}")
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n\r\t]*<translation type=\"unfinished\""
           bad "${text}")
    if(name MATCHES "_ja$")
        # three English words in a row, kept from the source
        string(REGEX MATCHALL "<source>([^<]*)</source>[ \n\r\t]*<translation>[^<]*[a-z]+ [a-z]+ [a-z]+[^<]*</translation>"
               english "${text}")
        list(APPEND bad ${english})
        # A Japanese-source text stays exactly as it is (the main window's texts above all).
        string(REGEX MATCHALL "<name>[^<]*</name>|<source>[^<]*</source>[ \n\r\t]*<translation>[^<]*</translation>"
               items "${text}")
        foreach(item ${items})
            if(item MATCHES "^<name>([^<]*)</name>$")
                set(context ${CMAKE_MATCH_1})
            elseif(NOT context MATCHES "^(WorksheetMessages|FitMessages|QcMessages|LogMessages|DriverMessages)$"
                   AND item MATCHES "^<source>([^<]*)</source>[ \n\r\t]*<translation>([^<]*)<"
                   AND NOT CMAKE_MATCH_1 STREQUAL CMAKE_MATCH_2)
                list(APPEND bad "${item}")
            endif()
        endforeach()
    endif()
    list(LENGTH bad count)
    if(count GREATER 0)
        string(REGEX REPLACE "<source>([^<]*)</source>[^;]*" "\\1" bad "${bad}")
        string(REPLACE ";" "\n" bad "${bad}")
        string(REPLACE "@SEMICOLON@" ";" bad "${bad}")
        message(SEND_ERROR "${name}: ${count} texts missing, unfinished or not as they must read:\n${bad}")
    endif()
endforeach()
