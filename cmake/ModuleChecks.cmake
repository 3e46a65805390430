# strumvale_module_checks(): for every library made by strumvale_module,
#  - a program that links all of the library's objects and nothing but its
#    declared links: a call into a folder it does not link fails to build;
#  - one test that every #include "folder/..." in src/ names the library's own
#    folder or one it reaches through its links (header-only code links nothing).
function(strumvale_module_checks)
    get_property(modules GLOBAL PROPERTY STRUMVALE_MODULES)
    set(graph "")
    foreach(module IN LISTS modules)
        # The folders a module may include: itself and all it reaches.
        set(reach ${module})
        set(pending ${module})
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
        string(REPLACE ";" "," reach_text "${reach}")
        string(APPEND graph "${module}=${reach_text}\n")

        add_executable(module_links_${module} ${PROJECT_SOURCE_DIR}/tests/modules/links_main.cpp)
        target_link_libraries(module_links_${module}
                              PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,strumvale_${module}>")
    endforeach()
    set(graph_file ${CMAKE_BINARY_DIR}/module_graph.txt)
    file(WRITE ${graph_file} "${graph}")
    add_test(NAME module_includes
             COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/src -DGRAPH=${graph_file}
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckModuleIncludes.cmake)
    set_tests_properties(module_includes PROPERTIES LABELS "core")
endfunction()
