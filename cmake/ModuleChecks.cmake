# strumvale_module_checks(): for every library made by strumvale_module,
#  - a program that links all of the library's objects and nothing but its
#    declared links: a call into a folder it does not link fails to build;
#  - one test that every #include "folder/..." in src/FOLDER and tests/FOLDER
#    names the library's own folder or one it reaches through its links
#    (header-only code links nothing).
#
# strumvale_module_test_links(DIR module...): the tests of DIR link these
# libraries beside their own (and may include them).
function(strumvale_module_test_links dir)
    foreach(module IN LISTS ARGN)
        target_link_libraries(${dir}_tests PRIVATE strumvale_${module})
    endforeach()
    set_property(GLOBAL APPEND PROPERTY STRUMVALE_TEST_LINKS_${dir} ${ARGN})
endfunction()

# The folders that modules reach: each one itself and all its links reach.
function(strumvale_reach out)
    set(reach ${ARGN})
    set(pending ${ARGN})
    while(pending)
        list(POP_FRONT pending current)
        get_property(links GLOBAL PROPERTY STRUMVALE_MODULE_LINKS_${current})
        foreach(link IN LISTS links)
            if(NOT link IN_LIST reach)
                list(APPEND reach ${link})
                list(APPEND pending ${link})
            endif()
        endforeach()
    endwhile()
    set(${out} ${reach} PARENT_SCOPE)
endfunction()

function(strumvale_module_checks)
    get_property(modules GLOBAL PROPERTY STRUMVALE_MODULES)
    set(graph "")
    foreach(module IN LISTS modules)
        strumvale_reach(reach ${module})
        get_property(test_links GLOBAL PROPERTY STRUMVALE_TEST_LINKS_${module})
        strumvale_reach(test_reach ${module} ${test_links})
        string(REPLACE ";" "," reach_text "${reach}")
        string(REPLACE ";" "," test_reach_text "${test_reach}")
        string(APPEND graph "${module}=${reach_text}=${test_reach_text}\n")

        add_executable(module_links_${module} ${PROJECT_SOURCE_DIR}/tests/modules/links_main.cpp)
        target_link_libraries(module_links_${module}
                              PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,strumvale_${module}>")
    endforeach()
    set(graph_file ${CMAKE_BINARY_DIR}/module_graph.txt)
    file(WRITE ${graph_file} "${graph}")
    add_test(NAME module_includes
             COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/src
                     -DTESTS_DIR=${PROJECT_SOURCE_DIR}/tests -DGRAPH=${graph_file}
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckModuleIncludes.cmake)
    set_tests_properties(module_includes PROPERTIES LABELS "core")
endfunction()
