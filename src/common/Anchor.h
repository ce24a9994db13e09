#pragma once
/**
 * Anchored layout for one window: each control is tied to some of the window's four edges by
 * four letters at the start of its tag (Left, Top, Right, Bottom; "T" anchored, "F" not),
 * then a star and a slash, then its own tag text. Every resize pass moves or stretches the
 * controls by the change in the window's size. The component also keeps the window at or above a minimum size and remembers
 * its position between runs in the per-user settings store ("left|top" in twips).
 */
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class MessageService;
class QSettings;

namespace common {

class Anchor : public QObject {
    Q_OBJECT
public:
    /** Opens the per-user store of one application name. */
    using StoreFactory = std::function<std::unique_ptr<QSettings>(const QString &application)>;

    /** The component on `host`, its container. It becomes the program's anchor host. */
    explicit Anchor(QWidget *host);
    /** Saves the position (when the window is in its normal state) and releases the host. */
    ~Anchor() override;

    /** Application, section, key and default value separated by ","; the position is kept
     *  under the key followed by "Pos". */
    QString PositionSetting;
    /** When true, a pass does not switch the window's painting off. */
    bool NoFreeze = false;
    /** Smallest window size kept by DoResize, in twips; 0 = no minimum. */
    int32_t MinHeight = 0;
    int32_t MinWidth = 0;

    /** Where the position is kept; the default is the program's per-user store. */
    void setStoreFactory(StoreFactory factory) { m_store = std::move(factory); }

    /** The initial pass: restores the position, reads the controls' anchor letters from their
     *  tags (leaving the tags with their own text) and takes the window's size. */
    void DoInit(std::optional<int32_t> minHeight = {}, std::optional<int32_t> minWidth = {});
    /** One resize pass, from the host's resize handler. */
    void DoResize();
    /** Saves the position now when the window is in its normal state (also done on
     *  destruction). */
    void Terminate();

    /** Switches a window's painting off and on again; `redraw` repaints it and its children. */
    static void Freeze(QWidget *window);
    static void UnFreeze(QWidget *window, bool redraw);
    /** Shows the "About Anchor" box. */
    static void About(MessageService &messages);

    /** The window of the anchor component created last (null when it is gone). */
    static QWidget *AnchorHost();

    /** The four letters read from each control at DoInit, by the control's place in the
     *  window's control collection (empty: not anchored). */
    const QStringList &SideFlags() const { return m_sideFlags; }

signals:
    void BeforeResize();
    void AfterResize(int32_t heightChange, int32_t widthChange);

private:
    std::unique_ptr<QSettings> openStore(const QString &application) const;
    QStringList positionParts() const;

    QPointer<QWidget> m_frm;
    StoreFactory m_store;
    QStringList m_sideFlags;
    int32_t m_lastHeight = 0;
    int32_t m_lastWidth = 0;
    bool m_terminated = false;
};

} // namespace common
