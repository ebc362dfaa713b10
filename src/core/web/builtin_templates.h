#pragma once
// The template files compiled into the program (builtin_templates.cpp is
// written by the build from templates/).

#include <string_view>

namespace quorvath::web {

// The text of the built-in template `file` (a name of kTemplateFiles).
std::string_view builtInTemplate(std::string_view file);

} // namespace quorvath::web
