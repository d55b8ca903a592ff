#include "support/CQtTestApp.h"
#include "support/CScriptedPrompt.h"
#include "widgets/CHelpWindow.h"
#include "widgets/HelpTopics.h"

#include <QTest>
#include <QtWidgets>

namespace
{
// Help opens from modal dialogs: it must take clicks and keys at every depth.
TEST(Help, UnknownIdOpensTheContentsAndTheWindowWorksWhateverModalWindowIsOpen)
{
    EnsureQtApp();
    CScriptedPrompt prompt;
    CScopedPrompt scoped(prompt);
    QDialog main;
    main.setWindowModality(Qt::ApplicationModal);
    main.show();
    CHelpWindow* pWindow = ShowHelp(12345, &main);
    ASSERT_NE(pWindow, nullptr);
    EXPECT_TRUE(pWindow->isVisible());
    EXPECT_EQ(pWindow->CurrentTopic(), "index.html");
    EXPECT_FALSE(pWindow->Browser()->toPlainText().isEmpty());
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Help Id 12345 (0x3039) not found."});
    EXPECT_EQ(prompt.Shown()[0].eIcon, EPromptIcon::None);

    const auto fnClickContents = [pWindow]
    {
        auto* pContents = pWindow->findChild<QPushButton*>("buttonContents");
        const QPoint pt = pContents->mapTo(pWindow, pContents->rect().center());
        QTest::mouseClick(pWindow->windowHandle(), Qt::LeftButton, Qt::NoModifier, pt);
        return pWindow->CurrentTopic().toStdString();
    };
    ShowHelp(HELP_MAIN_WINDOW, &main);
    EXPECT_EQ(fnClickContents(), HelpDefaultTopic());

    // A second modal window opens over the main window (the rename dialog).
    auto* pInner = new QDialog(&main);
    pInner->setWindowModality(Qt::ApplicationModal);
    pInner->show();
    QCoreApplication::processEvents();
    ShowHelp(HELP_RENAME_FILE, pInner);
    EXPECT_EQ(pWindow->CurrentTopic().toStdString(), "rename.html");
    EXPECT_EQ(fnClickContents(), HelpDefaultTopic());

    // The inner dialog closes and goes away: the window still works.
    pInner->hide();
    delete pInner;
    QCoreApplication::processEvents();
    ShowHelp(HELP_PANEL_LIST, &main);
    EXPECT_EQ(fnClickContents(), HelpDefaultTopic());

    // Esc closes it like any window.
    QPointer<CHelpWindow> pAlive(pWindow);
    QTest::keyClick(pWindow->windowHandle(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_TRUE(pAlive.isNull() || !pAlive->isVisible());
    EXPECT_EQ(prompt.Shown().size(), 1u);
    CloseHelpWindow();
}
} // namespace
