#include "support/CQtTestApp.h"
#include "widgets/CComboBoxBold.h"
#include "widgets/CQtPrompt.h"
#include "widgets/CTextProgressCtrl.h"
#include "widgets/CWaitCursor.h"

#include <QtWidgets>

#include <functional>

namespace
{
using WidgetsTest = CQtTestBase;

TEST_F(WidgetsTest, BoldComboAndTextProgress)
{
    CComboBoxBold combo;
    int nPanel = 2;
    combo.addItems({"10.0.0.1", "10.0.0.2"});
    combo.SetItemDataPtr(1, &nPanel);
    combo.SetItemBold(1, true);
    combo.SetItemBold(7, true); // out of range: ignored
    EXPECT_FALSE(combo.IsItemBold(0) || combo.IsItemBold(7));
    // The pop-up list draws with the item's font; the caller's data stays.
    EXPECT_TRUE(combo.IsItemBold(1) && combo.itemData(1, Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(combo.GetItemDataPtr(1), &nPanel);
    combo.ClearBold();
    EXPECT_FALSE(combo.IsItemBold(1));

    // The percent text; past the end it shows full.
    CTextProgressCtrl bar;
    bar.SetRange(0, 200);
    bar.SetPos(50);
    EXPECT_EQ(bar.text(), "25%");
    EXPECT_EQ(bar.SetPos(300), 50);
    EXPECT_EQ(bar.text(), "100%");
}

Qt::CursorShape ShownCursor()
{
    const QCursor* pCursor = QGuiApplication::overrideCursor();
    return pCursor ? pCursor->shape() : Qt::ArrowCursor;
}

struct SShownBox
{
    QString strTitle;
    QString strText;
    QMessageBox::Icon eIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool operator==(const SShownBox&) const = default;
};

// Answers the next message box and records it (text without its wrap points).
void AnswerNextBox(
    SShownBox& shown, QMessageBox::StandardButton eAnswer,
    std::function<void()> fnWhileShown = [] {})
{
    QTimer::singleShot(0,
                       [&shown, eAnswer, fnWhileShown]
                       {
                           auto* pBox =
                               qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                           ASSERT_NE(pBox, nullptr);
                           shown = {pBox->windowTitle(), pBox->text().remove(QChar(0x200B)),
                                    pBox->icon(), pBox->standardButtons()};
                           fnWhileShown();
                           pBox->button(eAnswer)->click();
                       });
}

// Whenever the program asks something the arrow shows, the hourglass after.
TEST_F(WidgetsTest, WaitCursorNestsAndGivesWayToQuestions)
{
    {
        CWaitCursor outer;
        {
            CWaitCursor inner;
            EXPECT_EQ(CWaitCursor::Depth(), 2);
        }
        EXPECT_EQ(CWaitCursor::Depth(), 1);
        // Something replaces the cursor meanwhile; Restore puts the hourglass back.
        QGuiApplication::changeOverrideCursor(QCursor(Qt::ArrowCursor));
        outer.Restore();
        EXPECT_EQ(ShownCursor(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // An End without a Begin does not pop someone else's cursor.
    QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    CWaitCursor::End();
    EXPECT_EQ(ShownCursor(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();

    CWaitCursor::Begin();
    std::vector<Qt::CursorShape> arrSeen;
    const auto Seen = [&arrSeen] { arrSeen.push_back(ShownCursor()); };
    // A message box through the prompt (a failed connect, the folder question).
    SShownBox shown;
    AnswerNextBox(shown, QMessageBox::Yes, Seen);
    EXPECT_TRUE(CQtPrompt().AskYesNo("Copy remote file ( A ) to Root Folder ( /tmp )?"));
    EXPECT_EQ(shown.eIcon, QMessageBox::Question);
    Seen();
    // Any modal dialog, nested too; work started within it shows the hourglass there.
    QDialog outer;
    QTimer::singleShot(0,
                       [&]
                       {
                           Seen();
                           QDialog inner(&outer);
                           QTimer::singleShot(0,
                                              [&]
                                              {
                                                  Seen();
                                                  const CWaitCursor work;
                                                  Seen();
                                                  inner.reject();
                                              });
                           inner.exec();
                           outer.reject();
                       });
    outer.exec();
    Seen();
    // A dialog that goes away while shown counts as answered as well.
    auto* pGone = new QDialog;
    pGone->setModal(true);
    pGone->show();
    Seen();
    delete pGone;
    Seen();
    using Qt::ArrowCursor, Qt::WaitCursor;
    EXPECT_EQ(arrSeen,
              (std::vector<Qt::CursorShape>{ArrowCursor, WaitCursor, ArrowCursor, ArrowCursor,
                                            WaitCursor, WaitCursor, ArrowCursor, WaitCursor}));
    CWaitCursor::End();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(CWaitCursor::QuestionDepth(), 0);
}

// A long path may wrap after each separator, never inside a name.
TEST_F(WidgetsTest, QtPromptShowsIconsButtonsATitleAndWrapsOnlyAtSeparators)
{
    const QString strPath = "Unable to create directory '/home/op/Data logs\\Line A'.";
    EXPECT_EQ(CQtPrompt::BreakableAtSeparators(strPath),
              QString("Unable to create directory '/%1home/%1op/%1Data logs\\%1Line A'.")
                  .arg(QChar(0x200B)));
    const QString strTitle = "Ilvane Remote File Manager";
    CQtPrompt prompt;
    SShownBox shown;
    AnswerNextBox(shown, QMessageBox::Ok);
    prompt.Message(strPath.toStdString(), EPromptIcon::Stop);
    EXPECT_EQ(shown, (SShownBox{strTitle, strPath, QMessageBox::Critical, QMessageBox::Ok}));
    AnswerNextBox(shown, QMessageBox::No);
    EXPECT_EQ(prompt.Show("Overwrite?", EPromptIcon::Warning, EPromptButtons::YesNo),
              EPromptAnswer::No);
    EXPECT_EQ(shown, (SShownBox{strTitle, "Overwrite?", QMessageBox::Warning,
                                QMessageBox::Yes | QMessageBox::No}));

    // Without a title of its own it takes the active window's.
    QDialog owner;
    owner.setWindowTitle("Rename Remote Panel File Dialog");
    owner.show();
    QApplication::setActiveWindow(&owner);
    if (QApplication::activeWindow() != &owner)
        GTEST_SKIP() << "this platform plugin does not activate windows";
    AnswerNextBox(shown, QMessageBox::Ok);
    CQtPrompt("").Message("Enter a file name.");
    EXPECT_EQ(shown, (SShownBox{"Rename Remote Panel File Dialog", "Enter a file name.",
                                QMessageBox::NoIcon, QMessageBox::Ok}));
}
} // namespace
