#include "gui/window_table.h"

#include <charconv>

namespace orbex {

WindowTable::WindowTable(std::initializer_list<std::span<const WindowRow>> parts) {
    for (std::span<const WindowRow> part : parts) {
        rows_.insert(rows_.end(), part.begin(), part.end());
    }
}

const WindowRow* WindowTable::RowOfCommand(int command) const {
    for (const WindowRow& row : rows_) {
        if (row.command == command) {
            return &row;
        }
    }
    return nullptr;
}

const WindowRow* WindowTable::RowOfKind(int kind) const {
    for (const WindowRow& row : rows_) {
        if (row.kind == kind) {
            return &row;
        }
    }
    return nullptr;
}

const WindowRow* WindowTable::RowNamed(std::string_view nameOrNumber) const {
    int kind = -1;
    const char* end = nameOrNumber.data() + nameOrNumber.size();
    const auto [rest, status] = std::from_chars(nameOrNumber.data(), end, kind);
    if (status == std::errc() && rest == end) {
        return RowOfKind(kind);
    }
    for (const WindowRow& row : rows_) {
        if (row.name == nameOrNumber) {
            return &row;
        }
    }
    return nullptr;
}

QWidget* WindowTable::Make(const WindowRow& row, const QString& title, LineDecoder& decoder) const {
    if (maker_) {
        return maker_(row, title, decoder);
    }
    return row.make == nullptr ? nullptr : row.make(title, row.transferMode, decoder);
}

WindowTable WindowTable::WithMaker(AnyMaker make) const {
    WindowTable table = *this;
    table.maker_ = std::move(make);
    return table;
}

namespace {

WindowTable& Installed() {
    // Process-wide: set once by the program's main (or a test) before any window opens, read on
    // the user-interface thread only.
    static WindowTable table;
    return table;
}

}  // namespace

void InstallWindowTable(WindowTable table) {
    Installed() = std::move(table);
}

const WindowTable& InstalledWindowTable() {
    return Installed();
}

}  // namespace orbex
