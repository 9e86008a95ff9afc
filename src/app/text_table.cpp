#include "app/text_table.h"

#include <algorithm>

namespace orvale {

namespace {

size_t Columns(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

std::string TextTable(const std::vector<std::vector<std::string>>& rows, size_t leftColumns) {
    std::vector<size_t> width;
    for (const auto& cells : rows) {
        width.resize(std::max(width.size(), cells.size()), 0);
        for (size_t i = 0; i < cells.size(); ++i)
            width[i] = std::max(width[i], Columns(cells[i]));
    }
    std::string text;
    for (const auto& cells : rows) {
        for (size_t i = 0; i < cells.size(); ++i) {
            const std::string pad(width[i] - Columns(cells[i]), ' ');
            if (i > 0)
                text += "  ";
            if (i >= leftColumns)
                text += pad + cells[i];
            else
                text += i + 1 < cells.size() ? cells[i] + pad : cells[i];
        }
        text += "\n";
    }
    return text;
}

}  // namespace orvale
