#include "text_table.h"

#include <algorithm>
#include <iomanip>

void printTable(const TextTable& table, std::ostream& out, int indent) {
    std::vector<std::size_t> widths;
    for (const std::string& heading : table.columns) {
        widths.push_back(heading.size());
    }
    for (const auto& row : table.rows) {
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c) {
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    const auto printRow = [&](const std::vector<std::string>& cells) {
        out << std::string(static_cast<std::size_t>(indent), ' ');
        for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
            const int width = c + 1 < widths.size() ? static_cast<int>(widths[c]) : 0;
            out << (c == 0 ? "" : "  ") << (c == 0 ? std::right : std::left) << std::setw(width) << cells[c];
        }
        out << "\n";
    };
    printRow(table.columns);
    for (const auto& row : table.rows) {
        printRow(row);
    }
}
