# cmake -D DIST=<folder> -D WORK=<folder> -D BIN=<folder of the built files>
#       -D SOURCE=<source tree> -D VERSION=... -D MAKER=... -D UPGRADE_CODE=...
#       -D URL=... [-D SIGN_PFX=<.pfx> -D SIGN_PASSWORD_FILE=<file>
#       [-D SIGN_TIMESTAMP_URL=<address>]] -P dist.cmake
# The release files into DIST (WORK holds what is packed on the way): both
# installers, the zip, SHA256SUMS and the winget manifest. The same build of
# the same commit gives the same bytes in any folder.
#
# With a certificate, korvane.exe, korvane.dll and the installer's action
# library are signed before they are packed (so the copies in both installers
# and in the zip are signed), then both installers; SHA256SUMS and the
# manifest are written from the signed files. The signing time is the
# commit's, as every other time; a time stamp server, when given, adds its
# own countersigned time.
include(${CMAKE_CURRENT_LIST_DIR}/installer.cmake)

korvane_source_epoch(epoch ${SOURCE})

if(SIGN_PFX)
    find_program(KORVANE_OSSLSIGNCODE osslsigncode REQUIRED)
    if(NOT EXISTS "${SIGN_PASSWORD_FILE}")
        message(FATAL_ERROR "Signing needs SIGN_PASSWORD_FILE, the file holding the password of ${SIGN_PFX}")
    endif()
    set(timestamp "")
    if(SIGN_TIMESTAMP_URL)
        set(timestamp -ts ${SIGN_TIMESTAMP_URL})
    endif()
endif()

# Signs each file in place.
function(korvane_sign)
    if(NOT SIGN_PFX)
        return()
    endif()
    foreach(file ${ARGN})
        file(REMOVE ${file}.signed)
        execute_process(COMMAND ${KORVANE_OSSLSIGNCODE} sign -pkcs12 ${SIGN_PFX}
                                -readpass ${SIGN_PASSWORD_FILE} -h sha256 -time ${epoch}
                                -n Korvane ${timestamp} -in ${file} -out ${file}.signed
                        OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
        file(RENAME ${file}.signed ${file})
    endforeach()
endfunction()

set(files ${WORK}/files)
korvane_stage_files(${files} ${BIN} ${SOURCE})
korvane_sign(${files}/korvane.exe ${files}/korvane.dll ${files}/korvane_setup.dll)
korvane_set_file_times(${files} ${epoch})

file(REMOVE_RECURSE ${DIST})
set(machine_msi ${DIST}/korvane-${VERSION}.msi)
set(user_msi ${DIST}/korvane-${VERSION}-user.msi)
korvane_build_installer(${machine_msi} ${VERSION} machine ${files} ${SOURCE} ${MAKER}
                        ${UPGRADE_CODE} ${epoch})
korvane_build_installer(${user_msi} ${VERSION} user ${files} ${SOURCE} ${MAKER}
                        ${UPGRADE_CODE} ${epoch})
korvane_sign(${machine_msi} ${user_msi})

# The zip: one folder with the program, its library and a short text in
# Windows line ends.
set(PROJECT_VERSION ${VERSION})
set(KORVANE_MAKER ${MAKER})
configure_file(${SOURCE}/packaging/README.txt ${WORK}/README.txt @ONLY NEWLINE_STYLE CRLF)
find_program(KORVANE_PYTHON python3 REQUIRED)
execute_process(COMMAND ${KORVANE_PYTHON} ${SOURCE}/packaging/make_zip.py
                        ${DIST}/korvane-${VERSION}-win32.zip ${epoch} Korvane-${VERSION}
                        ${files}/korvane.exe ${files}/korvane.dll ${WORK}/README.txt
                COMMAND_ERROR_IS_FATAL ANY)

korvane_product_code(MACHINE_PRODUCT_CODE ${VERSION} machine ${UPGRADE_CODE})
korvane_product_code(USER_PRODUCT_CODE ${VERSION} user ${UPGRADE_CODE})
set(TEMPLATES ${SOURCE}/packaging/winget)
include(${SOURCE}/packaging/release_manifest.cmake)
