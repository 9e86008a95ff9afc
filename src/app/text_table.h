// Rows of cells as aligned columns for a terminal, two blanks apart.
#pragma once

#include <string>
#include <vector>

namespace orvale {

// The first leftColumns columns are aligned left, the others right (numbers). Widths count
// characters, not bytes: "²", "—" and a note's accents take one column each.
std::string TextTable(const std::vector<std::vector<std::string>>& rows, size_t leftColumns);

}  // namespace orvale
