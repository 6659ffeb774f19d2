# Turns a binary file into a C++ source that defines a byte array and its length.
# Usage: cmake -DIN=block.bin -DOUT=block.cpp -DNAME=kEmbeddedCatalog -P embed_block.cmake
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" body "${body}")
file(WRITE "${OUT}.tmp"
"// Generated at build time from the catalogue source; do not edit.\n"
"#include <cstddef>\n#include <cstdint>\n\n"
"extern const std::uint8_t ${NAME}[];\nextern const std::size_t ${NAME}Size;\n\n"
"const std::uint8_t ${NAME}[] = {\n${body}\n0};\n"
"const std::size_t ${NAME}Size = ${size};\n")
file(RENAME "${OUT}.tmp" "${OUT}")
