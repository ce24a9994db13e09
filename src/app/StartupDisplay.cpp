#include "StartupDisplay.h"

#include "MessageService.h"
#include "PathCodec.h"
#include "QtServices.h"
#include "SettingsFile.h"
#include "StartupCommandLine.h"
#include "modMain.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

/** Where a window of this process could be shown, as the environment says before the toolkit
 *  starts. */
enum class Display {
    None,    ///< no platform given, neither DISPLAY nor WAYLAND_DISPLAY set
    Unseen,  ///< only platforms that draw into memory ("offscreen", "minimal")
    Screen,  ///< a display or a platform that shows one
};

Display displayOfEnvironment()
{
    // QT_QPA_PLATFORM may list platforms tried in turn: nothing is seen only when none of them
    // shows a screen.
    const QStringList platforms = qEnvironmentVariable("QT_QPA_PLATFORM").split(u';', Qt::SkipEmptyParts);
    if (!platforms.isEmpty()) {
        for (const QString &platform : platforms)
            if (platformShowsWindows(platform))
                return Display::Screen;
        return Display::Unseen;
    }
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? Display::None
                                                                                                 : Display::Screen;
}

/** The environment variables that name the display, as "NAME=\"value\"", for the messages. */
QString displaySettings()
{
    QStringList set;
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!qEnvironmentVariableIsEmpty(name))
            set << QStringLiteral("%1=\"%2\"")
                       .arg(QLatin1String(name), pathcodec::printable(qEnvironmentVariable(name)));
    return set.join(QStringLiteral(", "));
}

/** The line that ends a run needing windows that no display can show, with why. */
QString noDisplayText(const QString &why, const QStringList &arguments)
{
    QString text = QStringLiteral("Vexlo needs a display to show its windows; %1.").arg(why);
    if (mainwin::startModeOf(arguments) == mainwin::StartMode::RenameDrop)
        text += QStringLiteral("\nA rename-drop run needs none when the preference \"Show Rename Drop dialog.\" "
                               "is off.");
    return text;
}

// What to say, and how to end, should the toolkit give up on the display while it starts.
QtMessageHandler toolkitHandler = nullptr;
QString *unreachableText = nullptr;

void onToolkitStartMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg || !unreachableText) {
        if (toolkitHandler)
            toolkitHandler(type, context, message);
        return;
    }
    // The toolkit's own last word suggests reinstalling it; the display is what failed. Its
    // warnings before this one (which display, why) have been printed already.
    printToStandardError(*unreachableText);
    std::fflush(nullptr);
    std::_Exit(modMain::NoDisplay);
}

} // namespace

bool RunOpensWindows(const QStringList &arguments)
{
    return mainwin::startModeOf(arguments) != mainwin::StartMode::RenameDrop
        || mainwin::RenameDropShowsDialog(mainwin::SettingsFilePath());
}

std::unique_ptr<QCoreApplication> CreateApplication(int &argc, char **argv, const QStringList &arguments)
{
    const bool windows = RunOpensWindows(arguments);
    const Display display = displayOfEnvironment();
    if (!windows && display != Display::Screen)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (display == Display::None) {
        printToStandardError(
            noDisplayText(QStringLiteral("none was found (neither DISPLAY nor WAYLAND_DISPLAY is set)"), arguments));
        return nullptr;
    }
    if (display == Display::Unseen) {
        printToStandardError(noDisplayText(
            QStringLiteral("the platform %1 shows none").arg(displaySettings()), arguments));
        return nullptr;
    }

    QString unreachable = windows
        ? noDisplayText(QStringLiteral("the display could not be opened (%1)").arg(displaySettings()), arguments)
        : QStringLiteral("Vexlo could not open the display (%1) to show its messages. Without DISPLAY and "
                         "WAYLAND_DISPLAY set it runs without one.")
              .arg(displaySettings());
    unreachableText = &unreachable;
    toolkitHandler = qInstallMessageHandler(onToolkitStartMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(toolkitHandler);
    unreachableText = nullptr;
    // A list of platforms may have fallen back to one that shows nothing.
    if (windows && !platformShowsWindows(QGuiApplication::platformName())) {
        printToStandardError(noDisplayText(
            QStringLiteral("the platform \"%1\" it started on shows none").arg(QGuiApplication::platformName()),
            arguments));
        return nullptr;
    }
    return application;
}

} // namespace app
