// Vexlo: sets up the program's services and hands the arguments to the start procedure.
#include "AppFolder.h"
#include "AppState.h"
#include "Clock.h"
#include "PathCodec.h"
#include "QtServices.h"
#include "RandomSource.h"
#include "StartupDisplay.h"
#include "UserSettings.h"
#include "modMain.h"

#include <QApplication>
#include <QSettings>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

int main(int argc, char **argv)
{
    // A file that may not grow (a full disk, a size limit) is a failed write we report, not the
    // end of the process.
    std::signal(SIGXFSZ, SIG_IGN);
#if defined(__GLIBC__)
    // Large blocks (the rows of a long listing) always get pages of their own, handed back when
    // they are freed. Left to itself the allocator would keep such blocks in its heap once one
    // has been freed, and a listing made again would hold the old one's pages as well.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif

    // Every argument is the user's: the toolkit reads none of them as its own options (the
    // display and the style come from QT_QPA_PLATFORM and QT_STYLE_OVERRIDE). Names are kept
    // byte for byte, UTF-8 or not.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << pathcodec::decode(argv[i]);
    QCoreApplication::setApplicationName(QStringLiteral("Vexlo"));
    QCoreApplication::setOrganizationName(QStringLiteral("Morvane"));

    // With a program folder of its own, everything the program keeps (window places, the
    // dialogs' state) stays inside it: the folder its bytes name, UTF-8 or not.
    if (const QString named = EnvironmentPath("VEXLO_HOME"); !named.isEmpty()) {
        const QString home = QtOpenablePath(named + u'/');
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home);
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, home);
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, home);
    }

    // A run that opens no window gets an application without a display; one that needs a
    // display and has none has said so.
    int toolkitArgc = 1;
    char *toolkitArgv[] = {argv[0], nullptr};
    const std::unique_ptr<QCoreApplication> application = app::CreateApplication(toolkitArgc, toolkitArgv, arguments);
    if (!application)
        return app::modMain::NothingRan;

    QtMessageService messages(QStringLiteral("Morvane"));
    // A box drawn where nobody sees it would wait for good: its text goes to standard error.
    messages.setBoxesUnseen(!qobject_cast<QApplication *>(application.get())
                            || !platformShowsWindows(QGuiApplication::platformName()));
    QtDialogs dialogs;
    QtShell shell;
    Clock clock;
    VbRandom random;
    random.randomize();
    AppState state;
    state.services = {&messages, &dialogs, &shell, &clock, &random};

    app::modMain start(state);
    QObject::connect(&start, &app::modMain::finished, application.get(), &QCoreApplication::quit, Qt::QueuedConnection);
    const int code = start.Main(arguments);
    if (code != app::modMain::RunOn && !start.windowsBuilt()) {
        // A run that built no window has written and said all it had to: the process ends here
        // without taking the toolkit, its fonts and the argument list apart piece by piece.
        std::fflush(nullptr);
        std::_Exit(code);
    }
    if (code != app::modMain::RunOn)
        return code;
    return QCoreApplication::exec();
}
