file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}
    "// Generated from ${INPUT}; do not edit.\n"
    "extern const unsigned char ${SYMBOL}[];\n"
    "extern const unsigned long ${SYMBOL}_size;\n"
    "const unsigned char ${SYMBOL}[] = {\n${bytes}0x00};\n"
    "const unsigned long ${SYMBOL}_size = ${size};\n")
