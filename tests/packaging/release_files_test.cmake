# cmake -D BIN=... -D SOURCE=... -D VERSION=... -D MAKER=... -D UPGRADE_CODE=...
#       -D TEMP=<scratch folder> -P release_files_test.cmake
# `make dist` as a maintainer runs it: twice, in two folders, unsigned (the
# same bytes both times), and once with a throw-away self-signed certificate
# (every file that ships signed, the checksums those of the signed files).
file(REMOVE_RECURSE ${TEMP})
file(MAKE_DIRECTORY ${TEMP})
function(make_dist name)
    execute_process(COMMAND ${CMAKE_COMMAND} -D DIST=${TEMP}/${name} -D WORK=${TEMP}/${name}.work
                            -D BIN=${BIN} -D SOURCE=${SOURCE} -D VERSION=${VERSION} -D MAKER=${MAKER}
                            -D UPGRADE_CODE=${UPGRADE_CODE} -D URL=https://example.invalid ${ARGN}
                            -P ${SOURCE}/packaging/dist.cmake
                    COMMAND_ERROR_IS_FATAL ANY)
endfunction()
function(check condition)
    cmake_language(EVAL CODE "if(NOT (${condition}))
        message(SEND_ERROR \"Failed: ${ARGN}\")
    endif()")
endfunction()

make_dist(first)
make_dist(second)
execute_process(COMMAND diff -r ${TEMP}/first ${TEMP}/second RESULT_VARIABLE differ)
check("differ EQUAL 0" "two builds of one commit differ")

# The zip unpacks into one folder.
file(ARCHIVE_EXTRACT INPUT ${TEMP}/first/korvane-${VERSION}-win32.zip DESTINATION ${TEMP}/unzipped)
file(GLOB top RELATIVE ${TEMP}/unzipped ${TEMP}/unzipped/*)
check("top STREQUAL Korvane-${VERSION}" "the zip's top level holds ${top}")

execute_process(COMMAND openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=Throwaway
                        -addext extendedKeyUsage=codeSigning -keyout ${TEMP}/key.pem
                        -out ${TEMP}/cert.pem
                ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(WRITE ${TEMP}/password.txt "throwaway\n")
execute_process(COMMAND openssl pkcs12 -export -inkey ${TEMP}/key.pem -in ${TEMP}/cert.pem
                        -passout file:${TEMP}/password.txt -out ${TEMP}/cert.pfx
                COMMAND_ERROR_IS_FATAL ANY)
make_dist(signed -D SIGN_PFX=${TEMP}/cert.pfx -D SIGN_PASSWORD_FILE=${TEMP}/password.txt)
execute_process(COMMAND sha256sum --quiet -c SHA256SUMS WORKING_DIRECTORY ${TEMP}/signed
                RESULT_VARIABLE sums)
check("sums EQUAL 0" "SHA256SUMS does not match the signed files")
file(ARCHIVE_EXTRACT INPUT ${TEMP}/signed/korvane-${VERSION}-win32.zip DESTINATION ${TEMP}/signed.zip)
foreach(package korvane-${VERSION}.msi korvane-${VERSION}-user.msi)
    execute_process(COMMAND msiextract -C ${TEMP}/${package} ${TEMP}/signed/${package} OUTPUT_QUIET
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND msiinfo extract ${TEMP}/signed/${package} Binary.SetupActions
                    OUTPUT_FILE ${TEMP}/${package}/korvane_setup.dll COMMAND_ERROR_IS_FATAL ANY)
endforeach()
file(GLOB_RECURSE shipped ${TEMP}/signed/*.msi ${TEMP}/signed.zip/*.exe ${TEMP}/signed.zip/*.dll
     ${TEMP}/korvane-*.msi/*.exe ${TEMP}/korvane-*.msi/*.dll)
list(LENGTH shipped count)
check("count EQUAL 10" "found ${count} files to check, not 10: ${shipped}")
foreach(file ${shipped})
    execute_process(COMMAND osslsigncode verify -CAfile ${TEMP}/cert.pem -in ${file}
                    RESULT_VARIABLE unsigned OUTPUT_QUIET ERROR_QUIET)
    check("unsigned EQUAL 0" "${file} is not signed")
endforeach()
