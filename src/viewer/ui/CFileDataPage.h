#pragma once
// The Data View page: the cached records that pass the filter as a table,
// sorted by a clicked column, and the CSV export of what the table shows.
// The table is rebuilt on activation when the cache or the filter changed.
#include "viewer/CDataViewTable.h"

#include <QWidget>

#include <functional>
#include <string>

class CDataLogFile;
class CDataViewModel;
class QTableView;

class CFileDataPage : public QWidget
{
    Q_OBJECT
public:
    explicit CFileDataPage(CDataLogFile* pDataLog, QWidget* pParent = nullptr);
    ~CFileDataPage() override;

    // The page became current: rebuilds the table once the page is shown,
    // when the view flag says the cache or the filter changed.
    void OnSetActive();
    // The rebuild itself, run by OnSetActive from the event loop.
    void RefreshList();
    // The sheet's Export button: asks for the file, then writes the export.
    void ExportCsv();

    // Asks where to save, starting from the given file name; empty when the
    // user cancels. Tests replace it; by default the Save As dialog.
    std::function<std::string(const std::string& strInitialName)> m_fnAskSavePath;

    QTableView* GetList() const { return m_pList; }
    const CDataViewTable& GetTable() const { return m_table; }

private:
    void LoadList();
    void OnHeaderClicked(int nColumn);
    void FitColumns();
    std::string AskSavePathDialog(const std::string& strInitialName);

    CDataLogFile* m_pDataLog;
    CDataViewTable m_table;
    CDataViewModel* m_pModel;
    QTableView* m_pList;
};
