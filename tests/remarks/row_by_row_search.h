// The remark search as the store first made it: every row in turn made current and its value read, one
// query per row, until the first that reads as the value. The search test holds SqliteDataset::findRow to
// it row for row; the benchmark times the two.
#pragma once

#include <optional>

#include "remarks/sqlite_dataset.h"

inline int findRowOneByOne(SqliteDataset& dataset, const Text& column, const Text& value) {
    for (int row = 1; row <= dataset.rowCount(); ++row) {
        dataset.goTo(row);
        const std::optional<Text> stored = dataset.readValue(column);
        if (stored && *stored == value) return row;
    }
    return 0;
}
