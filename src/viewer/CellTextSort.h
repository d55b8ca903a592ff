#pragma once
// The Data View's sort order without the table: cell texts compared as
// numbers when both are all digits, otherwise as texts ignoring case, in
// opposite directions. Orders are stable, as a merge sort applying the
// comparison pair by pair gives them; a million rows are ordered by radix
// passes over keys made once per cell instead of by comparing texts.
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// <0, 0 or >0 as for a sort callback: both all digits (and not empty) by
// value, ascending when bAscending; otherwise as texts ignoring case,
// ascending when bAscending is false.
int CompareCellTexts(std::string_view a, std::string_view b, bool bAscending);

// The items' positions in the order of their record indices.
std::vector<uint32_t> OrderIndices(const std::vector<uint32_t>& arrIndices, bool bAscending);

// The items' positions in the order of their texts (fnText(i) of item i)
// under CompareCellTexts.
std::vector<uint32_t> OrderCellTexts(size_t nItems,
                                     const std::function<std::string_view(size_t)>& fnText,
                                     bool bAscending);
