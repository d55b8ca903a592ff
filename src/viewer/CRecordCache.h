#pragma once
// The record cache of a data-log file: the cached records in ascending index
// order, any set of indices. A million records must fit in little memory and
// be walked without waiting, so the field texts of all records live in one
// contiguous buffer, each field known by the offset where it ends, and each
// record is an index and the position of its first field. Columns derived
// from the texts (the record times, the numbers of a tag column) are worked
// out once, when a filter, a sort or the chart first needs them, and kept
// until the cache changes.
#include "common/SysTime.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CRecordCache
{
public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    size_t Size() const { return m_arrRecords.size(); }
    bool Empty() const { return m_arrRecords.empty(); }
    uint32_t IndexAt(size_t nPos) const { return m_arrRecords[nPos].nIndex; }
    size_t FieldCountAt(size_t nPos) const { return m_arrRecords[nPos].nFields; }
    // The field's text; empty when the record has no such field.
    std::string_view FieldAt(size_t nPos, size_t nField) const;
    std::vector<std::string> FieldsAt(size_t nPos) const;
    // Position of the record with that index, or npos.
    size_t Find(uint32_t nIndex) const;
    // Position of the first record whose index is nIndex or above.
    size_t LowerBound(uint32_t nIndex) const;
    bool Contains(uint32_t nIndex) const { return Find(nIndex) != npos; }

    // Records read in ascending index order, none of them cached yet: each is
    // staged by Stage and all join the cache at Commit.
    void Reserve(size_t nRecords, size_t nFields, size_t nTextBytes);
    void Stage(uint32_t nIndex, const std::string_view* pFields, size_t nCount);
    void Commit();
    // One record set by hand, replacing one with the same index.
    void Put(uint32_t nIndex, const std::vector<std::string>& arrFields);
    void Clear();
    // Changes with every change of the records' positions.
    uint64_t GetLayout() const { return m_nLayout; }
    // Changes with every emptying.
    uint64_t GetClearCount() const { return m_nClears; }

    // The record time as the record's fields give it, and whether its time
    // carried milliseconds.
    SYSTEMTIME TimeAt(size_t nPos, bool& bHasMilliseconds) const;
    // The field's leading decimal number as atof reads it (0 when the record
    // has no such field).
    double NumberAt(size_t nPos, size_t nField) const;

    // Bytes of all field texts together.
    size_t TextBytes() const { return m_strText.size(); }
    // Heap bytes held (the buffers' capacities).
    size_t HeapBytes() const;

private:
    struct SRecord
    {
        uint32_t nIndex;
        uint32_t nFirstField; // in m_arrFieldEnds
        uint32_t nFields;
    };
    void AppendFields(const std::string_view* pFields, size_t nCount, SRecord& record);
    void Changed();
    void BuildTimes() const;
    void BuildNumbers(size_t nField) const;

    std::string m_strText;                // every field text, one after the other
    std::vector<uint32_t> m_arrFieldEnds; // where each field's text ends
    std::vector<SRecord> m_arrRecords;    // ascending index
    std::vector<SRecord> m_arrStaged;
    uint64_t m_nLayout = 0;
    uint64_t m_nClears = 0;

    // Derived columns: empty until needed, the same records in other words,
    // so reading them changes nothing that can be seen. A time keeps its
    // milliseconds flag in the top bit of the day of week.
    mutable std::vector<SYSTEMTIME> m_arrTimes;
    mutable std::vector<std::vector<double>> m_arrNumbers; // by field
};
