#pragma once
// The About box: the application icon, "Ilvane Remote File Manager Version",
// the brand's version text and OK.
#include <QDialog>

class CProgramLoader;
class QLabel;

class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(const CProgramLoader& loader, QWidget* pParent = nullptr);

    QLabel* VersionLabel() const { return m_pVersion; }

private:
    QLabel* m_pVersion;
};

// Runs the About box modally over pParent.
void ShowAboutBox(QWidget* pParent, const CProgramLoader& loader);
