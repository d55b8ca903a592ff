#pragma once
// The viewer's "Read Data" page: which records of the data-log file to add
// to the application cache (all, the first or last N, a range from an index),
// emptying the cache, and the sizes and time spans of the file and the cache.
// The rules live in ReadDataRules; the page holds the controls, shows the
// refusals and keeps the sheet disabled with the progress window up while
// records load.
#include "viewer/ReadDataRules.h"

#include <QWidget>

class CDataLogFile;
class CRecordSummaryBox;
class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

class CFileDataReadPage : public QWidget
{
    Q_OBJECT
public:
    explicit CFileDataReadPage(CDataLogFile* pDataLog, QWidget* pParent = nullptr);

    // As the sheet opens: the last 10 records into the cache, the summaries,
    // and the filter's From and To set to the cache's span. Runs once.
    void OnInitDialog();

    // Enables the edits that belong to the chosen range.
    void UpdateControls();
    // "Add Records" (false) and "Clear Cache and Add Records" (true).
    void OnAddRecords(bool bClearFirst);
    void OnClearCache();

    SReadDataValues GetValues() const;
    // The control of a template identifier (the edits), or null.
    QWidget* ControlById(int nId) const;
    CRecordSummaryBox* Summary() const { return m_pSummary; }

protected:
    // Enter anywhere on the page runs "Clear Cache and Add Records".
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void CreateControls();
    void ReadAndRefresh(const SAddRecordsRequest& request);
    void ShowCacheSummary();

    CDataLogFile* m_pDataLog;
    bool m_bInitialised = false;

    QButtonGroup* m_pRangeChoice;
    QRadioButton* m_pToRadio;
    QRadioButton* m_pNumberRadio;
    QLineEdit* m_pFirstEdit;
    QLineEdit* m_pLastEdit;
    QLineEdit* m_pFromEdit;
    QLineEdit* m_pToEdit;
    QLineEdit* m_pNumberEdit;
    QPushButton* m_pClearAndAddButton;
    QPushButton* m_pAddButton;
    QPushButton* m_pClearButton;
    CRecordSummaryBox* m_pSummary;
};
