#pragma once
// The file and cache summaries that the Read Data and Filters pages both show:
// "Records in File:" (static 1063), "Records in Application Cache:" (static
// 1084) side by side, and the RecordSet text (edit 1088) under them.
#include <QWidget>

#include <string>

class QLabel;
class QPlainTextEdit;

class CRecordSummaryBox : public QWidget
{
    Q_OBJECT
public:
    explicit CRecordSummaryBox(QWidget* pParent = nullptr);

    void SetFileSummary(const std::string& strText);
    void SetCacheSummary(const std::string& strText);
    void SetRecordSet(const std::string& strText);

    QLabel* FileSummary() const { return m_pFileSummary; }
    QLabel* CacheSummary() const { return m_pCacheSummary; }
    QPlainTextEdit* RecordSet() const { return m_pRecordSet; }

private:
    QLabel* m_pFileSummary;
    QLabel* m_pCacheSummary;
    QPlainTextEdit* m_pRecordSet;
};
