#pragma once
// The names of the pictures written into --out-dir DIR, made from a template
// (--name): text with fields in braces, "{name}-{pose}.png", "{{" and "}}"
// standing for one brace each. A name stays inside DIR: it may make folders
// there ("{series}/{name}.png"), but neither starts at the root nor climbs
// out with "..", and holds no control character.
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The fields the template names, in order. Raises TUsageError for a brace
// that is not closed or a field without a name.
std::vector<std::string> NameTemplateFields(std::string_view pattern);

// The template with each field replaced by its value in fields. Raises
// TUsageError for a field that is not there.
std::string FillNameTemplate(std::string_view pattern, const std::map<std::string, std::string>& fields);

// Why name may not be a picture's name inside the output folder, for the
// user; empty when it may.
std::string PictureNameProblem(const std::string& name);
