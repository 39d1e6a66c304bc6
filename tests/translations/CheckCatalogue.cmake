# Fails when a text of the sources has no finished entry in one of the catalogues, or when the
# Japanese catalogue leaves an English sentence as it is.
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
    string(REGEX MATCHALL "<source>[^<]*</source>[ \n\r\t]*<translation type=\"unfinished\""
           bad "${text}")
    if(name MATCHES "_ja$")
        # three English words in a row, kept from the source
        string(REGEX MATCHALL "<source>([^<]*)</source>[ \n\r\t]*<translation>[^<]*[a-z]+ [a-z]+ [a-z]+[^<]*</translation>"
               english "${text}")
        list(APPEND bad ${english})
    endif()
    list(LENGTH bad count)
    if(count GREATER 0)
        string(REGEX REPLACE "<source>([^<]*)</source>[^;]*" "\\1" bad "${bad}")
        string(REPLACE ";" "\n" bad "${bad}")
        message(SEND_ERROR "${name}: ${count} texts without their translation:\n${bad}")
    endif()
endforeach()
