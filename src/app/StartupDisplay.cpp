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
#include <vector>

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

/** The platforms the toolkit tries for a run that opens no window, in turn: the ones the
 *  environment names (QT_QPA_PLATFORM, else the display variables that are set), then one that
 *  needs no display, so that a display that cannot be opened costs the run its message boxes
 *  only. */
QByteArray platformsForMessages()
{
    QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    if (platforms.isEmpty()) {
        QByteArrayList shown;
        if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            shown << "wayland";
        if (!qEnvironmentVariableIsEmpty("DISPLAY"))
            shown << "xcb";
        platforms = shown.join(';');
    }
    return platforms + ";offscreen";
}

/** What the toolkit is watched for while it starts: held here because its message handler is a
 *  plain function. */
struct ToolkitStart {
    QtMessageHandler previous = nullptr;
    /** The line that ends the run should the toolkit give up on every platform it tries. */
    QString unreachable;
    /** True to hold the toolkit's messages back until it is known where it started. */
    bool holdMessages = false;
    struct Held {
        QtMsgType type;
        QByteArray category;
        QString message;
    };
    std::vector<Held> held;
};
ToolkitStart toolkitStart;

void passOn(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (toolkitStart.previous)
        toolkitStart.previous(type, context, message);
}

/** Hands the messages held back to the handler that was there before, or drops them. */
void releaseHeldMessages(bool passThem)
{
    std::vector<ToolkitStart::Held> held;
    held.swap(toolkitStart.held);
    if (!passThem)
        return;
    for (const ToolkitStart::Held &h : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, h.category.constData());
        passOn(h.type, context, h.message);
    }
}

void onToolkitStartMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        if (toolkitStart.holdMessages)
            toolkitStart.held.push_back({type, QByteArray(context.category), message});
        else
            passOn(type, context, message);
        return;
    }
    // The toolkit's own last word suggests reinstalling it; the display is what failed. Its
    // warnings before this one (which display, why) say the rest.
    releaseHeldMessages(true);
    printToStandardError(toolkitStart.unreachable);
    std::fflush(nullptr);
    std::_Exit(modMain::NothingRan);
}

/** Starts the toolkit's QApplication with `unreachable` as the last word should it give up on
 *  the display; with `holdMessages` its messages are kept back until the caller releases them. */
std::unique_ptr<QApplication> startToolkit(int &argc, char **argv, QString unreachable, bool holdMessages)
{
    toolkitStart.unreachable = std::move(unreachable);
    toolkitStart.holdMessages = holdMessages;
    toolkitStart.previous = qInstallMessageHandler(onToolkitStartMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(toolkitStart.previous);
    toolkitStart.holdMessages = false;
    toolkitStart.unreachable.clear();
    return application;
}

// False once the application was started where no window can be seen.
bool windowsCanShow = true;

/** The application of a run that opens no window where a display is named: a QApplication on
 *  that display, so that its messages show as boxes, or, when the display cannot be opened, on
 *  a platform that needs none, with one line saying so; its boxes then go to standard error. */
std::unique_ptr<QCoreApplication> startForMessages(int &argc, char **argv)
{
    const QString settings = displaySettings();
    const bool platformGiven = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const QByteArray given = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platformsForMessages());
    auto application = startToolkit(
        argc, argv,
        QStringLiteral("Vexlo could not start, neither on the display (%1) nor without one.").arg(settings), true);
    // What this program starts in turn sees the environment it was given.
    if (platformGiven)
        qputenv("QT_QPA_PLATFORM", given);
    else
        qunsetenv("QT_QPA_PLATFORM");
    // On the display the toolkit's messages are its own; without it they tell of each platform
    // it tried, and one line says what matters.
    const bool shown = platformShowsWindows(QGuiApplication::platformName());
    releaseHeldMessages(shown);
    if (!shown) {
        windowsCanShow = false;
        printToStandardError(
            QStringLiteral("Vexlo could not open the display (%1); its messages go to standard error.").arg(settings));
    }
    return application;
}

} // namespace

bool RunOpensWindows(const QStringList &arguments)
{
    return mainwin::startModeOf(arguments) != mainwin::StartMode::RenameDrop
        || mainwin::RenameDropShowsDialog(mainwin::SettingsFilePath());
}

bool WindowsCanShow()
{
    return windowsCanShow && qobject_cast<QApplication *>(QCoreApplication::instance());
}

std::unique_ptr<QCoreApplication> CreateApplication(int &argc, char **argv, const QStringList &arguments)
{
    const bool windows = RunOpensWindows(arguments);
    const Display display = displayOfEnvironment();
    windowsCanShow = display == Display::Screen;
    if (!windows && display != Display::Screen)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (!windows)
        return startForMessages(argc, argv);
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

    auto application = startToolkit(
        argc, argv,
        noDisplayText(QStringLiteral("the display could not be opened (%1)").arg(displaySettings()), arguments),
        false);
    // A list of platforms may have fallen back to one that shows nothing.
    if (!platformShowsWindows(QGuiApplication::platformName())) {
        windowsCanShow = false;
        printToStandardError(noDisplayText(
            QStringLiteral("the platform \"%1\" it started on shows none").arg(QGuiApplication::platformName()),
            arguments));
        return nullptr;
    }
    return application;
}

} // namespace app
