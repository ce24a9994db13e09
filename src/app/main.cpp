// Vexlo: starts the program with its command line.
#include "AppState.h"
#include "Clock.h"
#include "QtServices.h"
#include "RandomSource.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>

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

    mainwin::frmSplash splash;
    splash.show();
    app.processEvents();

    mainwin::frmMain main(state);
    splash.setMainWindow(&main);
    QObject::connect(&main, &mainwin::frmMain::unloaded, &app, &QApplication::quit);
    main.Load();
    common::CenterForm(&main);
    splash.close();
    return app.exec();
}
