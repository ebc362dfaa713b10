# Writes OUTPUT: builtInTemplate(file) over each of FILES (in DIR) as a raw
# string, so the program carries its templates. Run by the build (cmake -P).
# FILES comes comma-separated.
string(REPLACE "," ";" FILES "${FILES}")
set(cases "")
foreach(file ${FILES})
  file(READ "${DIR}/${file}" text)
  string(APPEND cases "    if (file == \"${file}\")\n        return R\"qtpl(${text})qtpl\";\n")
endforeach()
file(WRITE "${OUTPUT}.new" "// Written by the build from src/core/web/templates; do not edit.
#include \"core/web/builtin_templates.h\"

namespace quorvath::web {

std::string_view builtInTemplate(std::string_view file) {
${cases}    return {};
}

} // namespace quorvath::web
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
