#pragma once
// The program's string table for code that has no resources to load from:
// portable modules, native tests and tools. The texts are those that
// gripdeck.rc compiles into the program, taken from the same strings.inc.
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "resource.h"

namespace gd {

struct StringEntry {
    unsigned id;            // an IDS_ number
    std::string_view text;  // the exact text, escapes already resolved
};

// Every string of the table, in ascending id order, each id once.
std::span<const StringEntry> StringTable();

// The text of string `id`, zero-terminated; nullptr when the table has no
// string with that number.
const char* FindString(unsigned id);

// String `id` with `argument` in place of its first "%s"; empty when the
// table has no such string.
std::string FormatString(unsigned id, std::string_view argument);
// String `id` with each "%s" in turn replaced by the next argument; an
// argument holding "%s" itself is left as it is. Empty when the table has no
// such string.
std::string FillString(unsigned id, std::initializer_list<std::string_view> arguments);

}  // namespace gd
