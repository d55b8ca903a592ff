#pragma once
// The viewer's "Filters" page: the global switch, the date-range criterion
// with its pickers, and a grid with one row per tag (tick, Show/Hide, data
// type, condition, limits). The page's values become the data-log's filter
// set when the user leaves the page; invalid values keep the user on it.
// The rules live in FilterPageRules; the page holds the controls.
#include "viewer/FilterPageRules.h"

#include <QWidget>

class CDataLogFile;
class CGridCtrl;
class CRecordSummaryBox;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QRadioButton;
class QTimeEdit;

class CFileDataFiltersPage : public QWidget
{
    Q_OBJECT
public:
    explicit CFileDataFiltersPage(CDataLogFile* pDataLog, QWidget* pParent = nullptr);

    // Builds the pickers and the grid from the data-log on the first call,
    // then fills the summaries (every call).
    void OnSetActive();
    // Takes the page's values into the filter set; false (after the message,
    // with the focus on the offending control) when they are not valid.
    bool OnKillActive();

    void UpdateFilterControls();
    void OnGridClick(int nRow, int nColumn);
    void UpdateTagRow(int nRow);

    SFilterPageValues GetValues() const;
    QWidget* ControlById(int nId) const;
    CGridCtrl* Grid() const { return m_pGrid; }
    CRecordSummaryBox* Summary() const { return m_pSummary; }

private:
    void CreateControls();
    void OnInitDialog();
    void FillGrid(const SFilterPageValues& values);
    void SetCellDisabled(int nRow, int nColumn, bool bDisabled);

    CDataLogFile* m_pDataLog;
    bool m_bInitialised = false;

    QCheckBox* m_pFilterCheck;    // 1085
    QCheckBox* m_pDateRangeCheck; // 1092
    QRadioButton* m_pShowRadio;   // 1086
    QRadioButton* m_pHideRadio;   // 1087
    QComboBox* m_pConditionCombo; // 1093
    QDateEdit* m_pFromDate;       // 1064
    QTimeEdit* m_pFromTime;       // 1089
    QDateEdit* m_pToDate;         // 1065
    QTimeEdit* m_pToTime;         // 1090
    CGridCtrl* m_pGrid;           // 1091
    CRecordSummaryBox* m_pSummary;
};
