#pragma once
// The driver link's texts as the string table holds them, for hosts that have
// no string table of their own.

namespace gd {

// String `id` (1, 50, 57, 58 or 59); nullptr for any other number.
const char* DefaultDriverLinkText(unsigned id);

}  // namespace gd
