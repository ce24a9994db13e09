#pragma once
// A shown file list over a small temporary folder, for the tests that click and type into it.
#include "FileListFixtures.h"
#include "ListViewEditableWidget.h"

#include "Shell.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace listinput {

/** The rows' names, top to bottom. */
inline QStringList names(const filelist::ListViewEditable &c)
{
    QStringList out;
    for (int32_t i = 1; i <= c.FileItemCount(); ++i)
        out << c.ListItems().Item(i).Text;
    return out;
}

inline QRect sectionRect(QHeaderView *header, int section)
{
    return QRect(header->sectionViewportPosition(section), 0, header->sectionSize(section), header->viewport()->height());
}

inline void clickHeader(QHeaderView *header, int section)
{
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, sectionRect(header, section).center());
}

/** A shown list of a temporary folder: a.txt 1000 bytes, b.txt 3000, c.txt 200000 and the
 *  folder d. */
class ListInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + u'/';
        fixtures::makeFile(dir.path(), "a.txt", 1000);
        fixtures::makeFile(dir.path(), "b.txt", 3000);
        fixtures::makeFile(dir.path(), "c.txt", 200000);
        fixtures::makeFolder(dir.path(), "d");
        widget.resize(800, 300);
        list().setPath(folder);
        list().setYieldHandler([] {});
        list().setShell(&shell);
        widget.show();
        QApplication::setActiveWindow(&widget);
        list().Scan();
        QApplication::processEvents();
    }
    filelist::ListViewEditable &list() { return widget.control(); }
    QTreeView *view() { return widget.ListView(); }
    QHeaderView *header() { return view()->header(); }
    QWidget *viewport() { return view()->viewport(); }
    QPoint cellCenter(int row, int column)
    {
        return view()->visualRect(list().ListItems().index(row - 1, column)).center();
    }
    int rowOf(const QString &name)
    {
        return int(names(list()).indexOf(name)) + 1;
    }

    QTemporaryDir dir;
    QString folder;
    RecordingShell shell;
    filelist::ListViewEditableWidget widget;
};

} // namespace listinput
