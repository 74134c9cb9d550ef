# Turns a text file into a C++ source that defines db::SchemaSql().
file(READ ${INPUT} CONTENT HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," BYTES "${CONTENT}")
file(WRITE ${OUTPUT}
"#include <string_view>\nnamespace db {\nnamespace {\nconst char kText[] = {${BYTES} 0};\n}\n"
"std::string_view SchemaSql() { return {kText, sizeof kText - 1}; }\n}\n")
