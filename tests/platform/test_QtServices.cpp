// The program's message boxes: shown whole, with their title readable in the frame, and
// answering with the button the user clicks.
#include "FileStatus.h"
#include "QtServices.h"
#include "TitleWidth.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(QtMessageService, BoxesAreWideEnoughForTheirTitle)
{
    // A one-word text makes the narrowest box; the icon rebuilds the box's layout.
    struct Case {
        int buttons;
        const char *title;
        QMessageBox::StandardButton click;
        int answer;
    };
    const Case cases[] = {
        {msg::Information, "Morvane", QMessageBox::Ok, msg::OK},
        {msg::Exclamation | msg::OKCancel, "Renamer", QMessageBox::Cancel, msg::Cancel},
        {msg::Critical, "Strings Replacer", QMessageBox::Ok, msg::OK},
        {msg::Question | msg::YesNo, "Morvane", QMessageBox::No, msg::No},
        {msg::OKOnly, "Renamer", QMessageBox::Ok, msg::OK},
    };
    qunsetenv("VEXLO_MESSAGES");
    QtMessageService service(QStringLiteral("Morvane"));
    for (const Case &c : cases) {
        const QString title = QString::fromLatin1(c.title);
        SCOPED_TRACE(title.toStdString() + " buttons " + std::to_string(c.buttons));
        int shownWidth = 0;
        QString shownTitle;
        // Looked at once the box is on the screen, then answered with a click on its button.
        QTimer::singleShot(0, [&] {
            QPointer<QMessageBox> box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_FALSE(box.isNull()) << "the box is shown";
            shownWidth = box->width();
            shownTitle = box->windowTitle();
            QAbstractButton *button = box->button(c.click);
            ASSERT_NE(button, nullptr);
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        });
        EXPECT_EQ(service.MsgBox(QStringLiteral("Done."), c.buttons, title), c.answer);
        EXPECT_EQ(shownTitle, title);
        EXPECT_GE(shownWidth, titlewidth::readableTitleWidth(title));
    }
}

// A box nobody can see (the program on a platform that shows no screen, or boxes sent to
// standard error) is written there whole and answered at once, with the answer that changes
// nothing: a question to replace or overwrite is never approved.
TEST(QtMessageService, UnseenBoxesAnswerAtOnceWithTheAnswerThatChangesNothing)
{
    const struct {
        int buttons;
        int answer;
    } cases[] = {
        {msg::OKOnly | msg::Critical, msg::OK},   {msg::YesNo | msg::Exclamation, msg::No},
        {msg::YesNoCancel | msg::Question, msg::Cancel}, {msg::OKCancel, msg::Cancel},
        {msg::RetryCancel, msg::Cancel},          {msg::AbortRetryIgnore, msg::Abort},
    };
    for (const bool byEnvironment : {false, true}) {
        SCOPED_TRACE(byEnvironment ? "VEXLO_MESSAGES=stderr" : "boxes unseen");
        QtMessageService service(QStringLiteral("Morvane"));
        if (byEnvironment)
            qputenv("VEXLO_MESSAGES", "stderr");
        else
            service.setBoxesUnseen(true);
        EXPECT_TRUE(service.writesToStandardError());
        for (const auto &c : cases) {
            SCOPED_TRACE(c.buttons);
            // A box that opens all the same is closed again: the test fails rather than waits.
            bool opened = false;
            QTimer closer;
            QObject::connect(&closer, &QTimer::timeout, [&] {
                if (QWidget *box = QApplication::activeModalWidget()) {
                    opened = true;
                    box->close();
                }
            });
            closer.start(100);
            ::testing::internal::CaptureStderr();
            const int answer = service.MsgBox(QStringLiteral("a.lst already exists.\nReplace it?"), c.buttons,
                                              QStringLiteral("Save File List"));
            const std::string told = ::testing::internal::GetCapturedStderr();
            EXPECT_EQ(answer, c.answer);
            EXPECT_FALSE(opened);
            EXPECT_EQ(told, "Save File List: a.lst already exists.\nReplace it?\n");
        }
        qunsetenv("VEXLO_MESSAGES");
    }
}

// The file dialogs keep their state in the toolkit's store ("QtProject.conf", in the program
// folder when $VEXLO_HOME is set), which is rewritten as every program file is: a file another
// user owns keeps that owner, its group and its permissions when root closes a dialog, a link to
// it stays a link, and what else it holds stays. Giving a file to another user takes root (as in
// CI); anyone else checks links and permissions.
TEST(QtDialogs, TheDialogsStoreKeepsItsOwnerGroupAndPermissionsAndALinkStaysALink)
{
    const auto storeFolder = [] {
        const QString probe = QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("probe")).fileName();
        return probe.left(probe.lastIndexOf(u'/'));
    };
    const QString oldFolder = storeFolder();
    const bool root = ::geteuid() == 0;
    for (const bool link : {false, true}) {
        SCOPED_TRACE(link ? "a link to a file in another folder" : "the file itself");
        QTemporaryDir tmp;
        ASSERT_TRUE(QDir().mkpath(tmp.filePath("home")) && QDir().mkpath(tmp.filePath("elsewhere")));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, tmp.filePath("home"));
        const QByteArray named = QFile::encodeName(tmp.filePath("home/QtProject.conf"));
        const QByteArray real = link ? QFile::encodeName(tmp.filePath("elsewhere/dialogs.conf")) : named;
        {
            QFile file(QFile::decodeName(real));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("[Other]\nkept=1\n");
        }
        ASSERT_EQ(::chmod(real.constData(), 0640), 0);
        if (root) {
            ASSERT_EQ(::chown(real.constData(), testfiles::OtherUser, testfiles::OtherGroup), 0);
        }
        if (link) {
            ASSERT_EQ(::symlink("../elsewhere/dialogs.conf", named.constData()), 0);
        }

        bool opened = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                opened = true;
                dialog->reject();
            }
        });
        closer.start(50);
        QtDialogs dialogs;
        const QString chosen = dialogs.getOpenFileName(QStringLiteral("Load File List"), tmp.path(), QStringLiteral("*.txt"));
        EXPECT_EQ(chosen, QString());
        closer.stop();
        EXPECT_TRUE(opened);
        EXPECT_EQ(storeFolder(), tmp.filePath("home"));

        ASSERT_NO_FATAL_FAILURE(testfiles::expectRewrittenInPlace(named, real, link, 0640, root));
        const QSettings kept(QFile::decodeName(real), QSettings::IniFormat);
        EXPECT_EQ(kept.value(QStringLiteral("Other/kept")).toInt(), 1);
        EXPECT_FALSE(kept.value(QStringLiteral("FileDialog/lastVisited")).toString().isEmpty())
            << "the dialog's state was not kept";
        const QDir::Filters everything = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
        EXPECT_EQ(QDir(tmp.filePath("home")).entryList(everything),
                  QStringList{"QtProject.conf"});
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, oldFolder);
    if (!root)
        GTEST_SKIP() << "only root may give a file to another user: links and permissions were checked, owners not";
}

} // namespace
