# Writes a C++ source holding the text of db/schema.sql, so agency-seed needs
# no file at run time. Called with -DINPUT=... -DOUTPUT=...
file(READ "${INPUT}" content)
file(WRITE "${OUTPUT}"
  "// Generated from db/schema.sql by embed_schema.cmake; do not edit.\n"
  "#include \"db/seed/schema_text.h\"\n\n"
  "namespace agency_seed {\n\n"
  "std::string_view SchemaText() {\n"
  "  static const char kText[] = R\"agency_schema(${content})agency_schema\";\n"
  "  return std::string_view(kText, sizeof kText - 1);\n"
  "}\n\n"
  "}  // namespace agency_seed\n")
