# korvane_test(<name> SOURCES ... LIBS ... [TIMEOUT s])
# One GoogleTest executable is one ctest test: under Wine every program start
# costs a second, so tests are grouped per subsystem rather than discovered
# one by one. Windows tests share the X display and the registry of the test
# prefix and therefore never run in parallel with each other.
function(korvane_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
    if(WIN32)
        set(test_name ${name})
    else()
        set(test_name native.${name})
    endif()
    add_test(NAME ${test_name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${test_name} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(WIN32)
        set_tests_properties(${test_name} PROPERTIES RESOURCE_LOCK wine-desktop)
    endif()
endfunction()
