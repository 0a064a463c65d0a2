# Writes schema.sql into a C++ source as the string kSchemaSql.
file(READ "${INPUT}" schema)
file(WRITE "${OUTPUT}"
     "// Made from schema.sql by embed_schema.cmake.\n#include <string_view>\n\n"
     "namespace mozaru {\nextern const std::string_view kSchemaSql;\n"
     "const std::string_view kSchemaSql = R\"mozaru_sql(${schema})mozaru_sql\";\n}\n")
