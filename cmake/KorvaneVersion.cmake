# korvane_version_resource(<target> <file name> <description>)
# Gives a shipped file its version resource: product, maker, description and
# the project's version (project() in the top CMakeLists.txt, the one place it
# is set).
function(korvane_version_resource target fileName description)
    set(KORVANE_FILE_NAME ${fileName})
    set(KORVANE_FILE_DESCRIPTION ${description})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "SHARED_LIBRARY")
        set(KORVANE_FILE_TYPE VFT_DLL)
    else()
        set(KORVANE_FILE_TYPE VFT_APP)
    endif()
    set(script ${PROJECT_BINARY_DIR}/generated/${target}_version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/resources/version.rc.in ${script} @ONLY)
    target_sources(${target} PRIVATE ${script})
endfunction()
