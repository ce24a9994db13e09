#include "QtServices.h"

#include "PathCodec.h"
#include "TitleWidth.h"
#include "UserSettings.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QSpacerItem>
#include <QMessageBox>
#include <QUrl>

namespace {

// A short text makes a narrow box, whose frame would cut its title down to its first letter or
// two: the box is made at least as wide as its title with the frame's buttons beside it. The box
// sizes itself from its layout when it shows and rebuilds that layout when it gets an icon, so
// the width goes into the layout last, once the icon and buttons are set.
void keepTitleReadable(QMessageBox &box)
{
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout()))
        grid->addItem(new QSpacerItem(titlewidth::readableTitleWidth(box.windowTitle()), 0,
                                      QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

bool platformShowsWindows(const QString &platformName)
{
    // The name as the toolkit reports it, or as QT_QPA_PLATFORM gives it ("offscreen:opts").
    const QStringView name = QStringView(platformName).left(platformName.indexOf(u':'));
    return name != u"offscreen" && name != u"minimal";
}

bool QtMessageService::writesToStandardError() const
{
    return m_unseen || !qobject_cast<QApplication *>(QCoreApplication::instance())
        || qEnvironmentVariable("VEXLO_MESSAGES") == QLatin1String("stderr");
}

int QtMessageService::MsgBox(const QString &prompt, int buttons, const QString &title)
{
    if (writesToStandardError()) {
        // The box's text goes to standard error; the box's own line breaks stay, every other
        // control character is escaped.
        QStringList lines = prompt.split(u'\n');
        for (QString &line : lines)
            line = pathcodec::printable(line);
        printToStandardError((title.isEmpty() ? m_defaultTitle : title) + QStringLiteral(": ")
                             + lines.join(u'\n'));
        return msg::unseenAnswer(buttons);
    }
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? m_defaultTitle : title);
    box.setText(prompt);
    switch (buttons & 0x70) {
    case msg::Critical: box.setIcon(QMessageBox::Critical); break;
    case msg::Question: box.setIcon(QMessageBox::Question); break;
    case msg::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case msg::Information: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<Choice> choices;
    switch (buttons & 7) {
    case msg::OKCancel: choices = {{QMessageBox::Ok, msg::OK}, {QMessageBox::Cancel, msg::Cancel}}; break;
    case msg::AbortRetryIgnore:
        choices = {{QMessageBox::Abort, msg::Abort}, {QMessageBox::Retry, msg::Retry}, {QMessageBox::Ignore, msg::Ignore}};
        break;
    case msg::YesNoCancel:
        choices = {{QMessageBox::Yes, msg::Yes}, {QMessageBox::No, msg::No}, {QMessageBox::Cancel, msg::Cancel}};
        break;
    case msg::YesNo: choices = {{QMessageBox::Yes, msg::Yes}, {QMessageBox::No, msg::No}}; break;
    case msg::RetryCancel: choices = {{QMessageBox::Retry, msg::Retry}, {QMessageBox::Cancel, msg::Cancel}}; break;
    default: choices = {{QMessageBox::Ok, msg::OK}}; break;
    }
    QMessageBox::StandardButtons set;
    for (const Choice &c : choices)
        set |= c.button;
    box.setStandardButtons(set);
    keepTitleReadable(box);
    const int pressed = box.exec();
    for (const Choice &c : choices)
        if (pressed == c.button)
            return c.answer;
    return choices.size() > 1 ? msg::Cancel : msg::OK;
}

// The file dialogs keep their state (folders visited, their view) in the toolkit's store, which is
// kept as the program's own stores are.
QString QtDialogs::getOpenFileName(const QString &title, const QString &folder, const QString &filter)
{
    QString chosen;
    WithToolkitStore(QStringLiteral("QtProject"), [&] {
        chosen = QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
    });
    return chosen;
}

QString QtDialogs::getSaveFileName(const QString &title, const QString &folder, const QString &filter)
{
    QString chosen;
    WithToolkitStore(QStringLiteral("QtProject"), [&] {
        chosen = QFileDialog::getSaveFileName(QApplication::activeWindow(), title, folder, filter);
    });
    return chosen;
}

QString QtDialogs::getExistingDirectory(const QString &title, const QString &folder)
{
    QString chosen;
    WithToolkitStore(QStringLiteral("QtProject"), [&] {
        chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, folder);
    });
    return chosen;
}

bool QtShell::open(const QString &target)
{
    QUrl url = QUrl::fromUserInput(target, QString(), QUrl::AssumeLocalFile);
    return QDesktopServices::openUrl(url);
}
