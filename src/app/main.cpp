// Vexlo: sets up the program's services and hands the arguments to the start procedure.
#include "AppState.h"
#include "Clock.h"
#include "QtServices.h"
#include "RandomSource.h"
#include "modMain.h"

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
    random.randomize();
    AppState state;
    state.services = {&messages, &dialogs, &shell, &clock, &random};

    app::modMain start(state);
    QObject::connect(&start, &app::modMain::finished, &app, &QApplication::quit, Qt::QueuedConnection);
    const int code = start.Main(QApplication::arguments().mid(1));
    if (code != app::modMain::RunOn)
        return code;
    return app.exec();
}
