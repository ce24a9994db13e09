// Vexlo: starts the program with its command line.
#include "AppState.h"
#include "Clock.h"
#include "QtServices.h"
#include "RandomSource.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexlo"));
    QApplication::setOrganizationName(QStringLiteral("Morvane"));

    QtMessageService messages(QStringLiteral("Morvane"));
    QtDialogs dialogs;
    QtShell shell;
    Clock clock;
    VbRandom random;
    AppState state;
    state.services = {&messages, &dialogs, &shell, &clock, &random};
    for (int i = 1; i < argc; ++i)
        state.CmdArgs << QString::fromLocal8Bit(argv[i]);
    state.CmdArgCount = int(state.CmdArgs.size());
    state.CommandLine = state.CmdArgs.join(u' ');

    QLabel window(QStringLiteral("Morvane is starting up: the main window is not built yet."));
    window.setWindowTitle(QStringLiteral("Morvane"));
    window.setMargin(24);
    window.show();
    return app.exec();
}
