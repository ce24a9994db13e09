#pragma once
// The main window, loaded and shown, over the recording services and the temporary folders of
// WindowFixture; for the tests of the windows it opens.
#include "WindowFixture.h"
#include "frmMain.h"

#include <QListWidget>
#include <memory>

class MainWindowFixture : public WindowFixture {
public:
    std::unique_ptr<mainwin::frmMain> open()
    {
        auto w = std::make_unique<mainwin::frmMain>(state);
        w->Load();
        w->show();
        return w;
    }
    /** The texts of a list box, top to bottom. */
    static QStringList entries(const QListWidget *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    /** The text of the last message box, or empty when none was shown. */
    QString lastPrompt() const { return messages.shown.empty() ? QString() : messages.shown.back().prompt; }
};
