// The token pickers of the rename window on a display with a window manager, driven with real
// clicks and keys: where a picker's frame lies from the moment it is mapped, and which window has
// the keyboard when a picker is asked for again while it is open.
#include "DesktopFixture.h"

#include <QProcess>
#include <QRegularExpression>

using namespace startuptest;

namespace {

const QString renamerTitle = QStringLiteral("Morvane - Renamer");
const QString timePickerTitle = QStringLiteral("Select Time Format");

/** Every place the window manager gives the frames of the screen's windows while it runs, as
 *  xev reports the root window's substructure: where a frame is at the moment it is mapped and
 *  each move after. */
class FrameWatch {
public:
    bool start(const DesktopSession &session)
    {
        m_xev.setProcessEnvironment(session.environment());
        m_xev.start(QStringLiteral("xev"), {QStringLiteral("-root"), QStringLiteral("-event"), QStringLiteral("substructure")});
        return m_xev.waitForStarted();
    }

    /** True once xev has reported a frame's move: it watches from then on. */
    bool reported()
    {
        m_text += QString::fromLocal8Bit(m_xev.readAllStandardOutput());
        return m_text.contains(QStringLiteral("ConfigureNotify"));
    }

    ~FrameWatch()
    {
        m_xev.kill();
        m_xev.waitForFinished(5000);
    }

    /** The rectangles the frame `frame` had while mapped, in order; "mapped" counts from its
     *  mapping (with the place it had then). */
    QList<QRect> mappedPlaces(qulonglong frame)
    {
        // What xev has written so far (it writes each event at once) is all in the pipe.
        do
            m_text += QString::fromLocal8Bit(m_xev.readAllStandardOutput());
        while (m_xev.waitForReadyRead(300));
        static const QRegularExpression event(QStringLiteral(
            "(ConfigureNotify|MapNotify|UnmapNotify) event[^\\n]*\\n\\s*event 0x[0-9a-fA-F]+, window 0x([0-9a-fA-F]+)"
            "(?:, \\((-?\\d+),(-?\\d+)\\), width (\\d+), height (\\d+))?"));
        QList<QRect> places;
        QRect now;
        bool mapped = false;
        for (const QRegularExpressionMatch &m : event.globalMatch(m_text)) {
            if (m.captured(2).toULongLong(nullptr, 16) != frame)
                continue;
            const QString kind = m.captured(1);
            if (kind == QLatin1String("ConfigureNotify"))
                now = QRect(m.captured(3).toInt(), m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
            mapped = kind == QLatin1String("UnmapNotify") ? false : mapped || kind == QLatin1String("MapNotify");
            if (mapped && kind != QLatin1String("UnmapNotify"))
                places << now;
        }
        return places;
    }

private:
    QProcess m_xev;
    QString m_text;
};

QString text(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

class DesktopPickers : public DesktopTest {
protected:
    static constexpr int limit = DesktopSession::StartLimitMs;

    void key(const QStringList &keys)
    {
        session.tool(QStringList{QStringLiteral("key"), QStringLiteral("--clearmodifiers")} + keys);
    }

    /** The visible windows titled exactly `title` now, without waiting for one. */
    int count(const QString &title) const
    {
        const QString found = session.tool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                            u'^' + QRegularExpression::escape(title) + u'$'});
        return found.isEmpty() ? 0 : int(found.split(u'\n').size());
    }

    /** The program started, its rename window opened with "&Rename" and in front. */
    void openRenamer()
    {
        startVexlo({});
        ASSERT_TRUE(activate(QStringLiteral("Morvane"))) << session.activeTitle().toStdString();
        key({QStringLiteral("alt+r")});
        ASSERT_TRUE(waitUntil([&] { return session.activeTitle() == renamerTitle; }, limit))
            << session.activeTitle().toStdString();
    }

    /** A click on the first action, down to "Suffix", Tab past "Move Up" and "Move Down" to its
     *  field, whose list opens with Alt+Down; `downs` rows down the list is chosen with Return. */
    void chooseInSuffixField(const QString &renamer, const RenamerPlaces &places, int downs)
    {
        click(renamer, {places.actions.center().x(), places.actions.top() + 6});
        QStringList keys;
        for (int row = 0; row < 6; ++row)
            keys << QStringLiteral("Down");
        keys << QStringLiteral("Tab") << QStringLiteral("Tab") << QStringLiteral("Tab") << QStringLiteral("alt+Down");
        for (int row = 0; row < downs; ++row)
            keys << QStringLiteral("Down");
        keys << QStringLiteral("Return");
        key(keys);
    }

    void quit()
    {
        QFile::remove(home() + QStringLiteral("/Trevalle.ini"));
        ASSERT_TRUE(activate(QStringLiteral("Morvane"))) << session.activeTitle().toStdString();
        key({QStringLiteral("alt+q")});
        EXPECT_TRUE(vexlo.waitForFinished(DesktopSession::WindowLimitMs)) << "vexlo did not end";
        EXPECT_EQ(vexlo.exitCode(), 0) << vexlo.readAllStandardError().toStdString();
    }
};

} // namespace

// The picker's frame, title bar included, never lies over the field it writes into: not when it
// is mapped, not while the window manager frames it, not after. Below the field when there is room,
// above it when the rename window stands low on the screen.
TEST_F(DesktopPickers, APickersFrameLeavesItsFieldUncoveredFromItsFirstShow)
{
    struct Case {
        const char *name;
        bool renamerLow;  // the rename window moved down until its field nears the screen's bottom
    };
    const Case cases[] = {{"room below the field", false}, {"no room below the field", true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        openRenamer();
        const QString renamer = session.window(renamerTitle);
        ASSERT_FALSE(renamer.isEmpty());
        const QRect client = session.clientRect(renamer);
        ASSERT_FALSE(client.isEmpty());
        const RenamerPlaces places = layOutRenamer(client.size(), home());

        // The rename window is moved until the watch sees it move: xev watches from then on. Each
        // try moves it by a row, for a move to the place it has already is no move.
        FrameWatch watch;
        ASSERT_TRUE(watch.start(session));
        const int y = c.renamerLow ? 1024 - 60 - places.suffixField.bottom() - 1 : client.y() + 20;
        int tries = 0;
        ASSERT_TRUE(waitUntil([&] {
            const QString to = QString::number(y - (++tries % 2));
            session.tool({QStringLiteral("windowmove"), renamer, QString::number(client.x()), to});
            return waitUntil([&] { return watch.reported() && session.clientRect(renamer).y() > client.y(); }, 1000);
        }, limit));
        ASSERT_TRUE(activate(renamerTitle));
        const QRect field = places.suffixField.translated(session.clientRect(renamer).topLeft());

        chooseInSuffixField(renamer, places, 3);  // "$current_time$"
        const QString picker = session.window(timePickerTitle);
        ASSERT_FALSE(picker.isEmpty());
        const qulonglong frame = session.frameWindow(picker);
        ASSERT_NE(frame, 0u);
        // Where it settles: against the field, on the side there is room.
        const auto settled = [&] {
            const QRect r = session.frameRect(picker);
            return c.renamerLow ? r.bottom() + 1 == field.top() : r.top() == field.bottom() + 1;
        };
        EXPECT_TRUE(waitUntil(settled, limit)) << "field " << text(field).toStdString() << ", picker "
                                               << text(session.frameRect(picker)).toStdString();
        const QList<QRect> shown = watch.mappedPlaces(frame);
        ASSERT_FALSE(shown.isEmpty());
        for (const QRect &place : shown)
            EXPECT_FALSE(place.intersects(field)) << "field " << text(field).toStdString() << ", frame " << text(place).toStdString();
        quit();
    }
}

// A picker asked for again while it is open (the same item chosen again in its field after a click
// into the rename window) comes forward with the keyboard, whichever window is kept on top: the
// next key goes to the picker, not into the field, whose list would turn "$current_time$" into
// "$modified_date$" and open a second picker over the first.
TEST_F(DesktopPickers, APickerAskedForAgainWhileOpenTakesTheKeyboard)
{
    struct Case {
        const char *name;
        const char *topMostWindow;  // kept on top from the settings file: 0 none, 1 the main window
        bool renamerOnTop;          // the rename window's "On Top" box clicked
    };
    const Case cases[] = {
        {"nothing on top", "0", false},
        {"main window on top", "1", false},
        {"rename window on top", "0", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeSettingsFile(false, c.topMostWindow);
        openRenamer();
        QString renamer = session.window(renamerTitle);
        ASSERT_FALSE(renamer.isEmpty());
        const QRect client = session.clientRect(renamer);
        ASSERT_FALSE(client.isEmpty());
        const RenamerPlaces places = layOutRenamer(client.size(), home());
        if (c.renamerOnTop) {
            click(renamer, places.onTop.topLeft() + QPoint(6, places.onTop.height() / 2));
            // The window system's window of the rename window is made anew with its new state.
            ASSERT_TRUE(waitUntil([&] { return session.keptAbove(session.window(renamerTitle)); }, limit));
            renamer = session.window(renamerTitle);
            ASSERT_TRUE(activate(renamerTitle));
        }

        chooseInSuffixField(renamer, places, 3);  // "$current_time$"
        ASSERT_TRUE(waitUntil([&] { return session.activeTitle() == timePickerTitle; }, limit))
            << session.activeTitle().toStdString();

        // A click into the field: the rename window has the keyboard; "$current_time$" is chosen
        // again from the field's list, which opens on it.
        click(renamer, places.suffixField.center());
        ASSERT_TRUE(waitUntil([&] { return session.activeTitle() == renamerTitle; }, limit))
            << session.activeTitle().toStdString();
        key({QStringLiteral("alt+Down")});
        key({QStringLiteral("Return")});
        EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == timePickerTitle; }, limit))
            << "active: " << session.activeTitle().toStdString();
        EXPECT_EQ(count(timePickerTitle), 1);

        // Down picks a format in the picker; Escape closes it. Had the keys gone to the field, the
        // date picker would be open and the time picker still there.
        key({QStringLiteral("Down"), QStringLiteral("Escape")});
        EXPECT_TRUE(waitUntil([&] { return count(timePickerTitle) == 0; }, limit)) << "the time picker did not close";
        EXPECT_TRUE(waitUntil([&] { return session.activeTitle() == renamerTitle; }, limit))
            << session.activeTitle().toStdString();
        EXPECT_EQ(count(QStringLiteral("Select Date Format")), 0);
        quit();
    }
}
