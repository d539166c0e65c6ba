#pragma once
// Small value types of the screen-description calls of Meta (PutUi*, Add*).
#include <array>
#include <cstddef>

/// One entry of a fixed selection list: the text id shown and the value stored or handed on.
struct nUiListEntry {
    int textId;
    int value;
};

/// What a table lets the user do; one byte flag per entry of nTableFlag.
enum nTableFlag : int {
    TableAddRows,
    TableDeleteRows,
    TableMoveRows,
    TableCopyRows,
    TableInsertRows,
    TableEditCells,
    TableSortColumns,
    TableResizeColumns,
    TableShowHeader,
    TableShowRowNumbers,
    TableExportRows,
    TableSelectRows,
    TableFlagCount
};

/// The setup of a table: frozen leading columns, the column sorted by (-1: none) and the
/// operation flags. By default every operation is allowed but row numbers are not shown; a
/// description clears what a table does not offer.
struct nTableSetup {
    int frozenColumns = 0;
    short sortColumn = -1;
    std::array<unsigned char, TableFlagCount> flags{1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1};

    nTableSetup& clear(nTableFlag flag) {
        flags[static_cast<std::size_t>(flag)] = 0;
        return *this;
    }
    bool allows(nTableFlag flag) const { return flags[static_cast<std::size_t>(flag)] != 0; }
};

/// The state of a visibility, editability or input condition of a screen item, evaluated from
/// the members the conditions are bound to: No and Yes are decided by the members, Host means
/// a condition that only the host can evaluate decides.
enum class UiState : int { No = 0, Yes = 1, Host = 2 };
