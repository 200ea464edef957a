#pragma once
// Every option of plenamar-render in one table: its names, what it takes,
// whether a list's rows may give it, what it sets, and its lines of the usage
// text. The parser, the list's columns and the usage read this table alone.
#include "render/options/RenderOptions.h"

#include <span>
#include <string>
#include <string_view>

enum class TValue {
    None,  // a switch: it turns something on
    Text,
    Path,  // a file or folder: in a list, a relative one is taken from the list's folder
};

// Where an option's lines stand in the usage text.
enum class TUsageSection { Run, Box };

struct TOptionRule {
    std::string_view Name;
    std::string_view Alias;  // empty when there is none
    TValue Value;
    bool PerRow;  // a list's rows may give it, in the column of its long name without the dashes
    void (*Apply)(TRenderOptions& options, const std::string& value);
    TUsageSection Section;
    std::string_view Usage;  // how the usage shows it: "-j, --jobs N"
    std::string_view Help;   // what it does, lines apart by '\n'
};

std::span<const TOptionRule> OptionRules();

// The rule of an option by either name. Raises TUsageError for an unknown one.
const TOptionRule& FindOption(const std::string& name);

// The rule whose column a list's header names, or null.
const TOptionRule* FindColumn(std::string_view column);
