# embed_file(TARGET SYMBOL FILE): compiles FILE's bytes, unchanged, into TARGET as
#   extern const unsigned char SYMBOL[]; extern const unsigned long SYMBOL_size;
function(embed_file target symbol file)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp)
    add_custom_command(
        OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DSYMBOL=${symbol}
                -P ${PROJECT_SOURCE_DIR}/cmake/EmbedFileScript.cmake
        DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/EmbedFileScript.cmake
        COMMENT "Embedding ${file}")
    target_sources(${target} PRIVATE ${out})
endfunction()
