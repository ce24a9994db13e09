#include "RenamerWiring.h"

#include "AppState.h"
#include "ListViewEditable.h"
#include "ListViewFileList.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmRenamer.h"

#include <QCheckBox>
#include <vector>

namespace renamewin {

std::unique_ptr<MainFileList> connectRenamer(mainwin::frmMain &main, frmRenamer &renamer)
{
    auto list = std::make_unique<ListViewFileList>(main.lvw2->ListItems());
    renamer.setMainFileList(list.get());

    // The window a command opens comes up centred, in front and active.
    const auto showCentred = [](QWidget *window) {
        window->setWindowState(window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        common::CenterForm(window);
        common::BringToFront(window);
    };
    QObject::connect(&main, &mainwin::frmMain::renamerShowRequested, &renamer,
                     [&renamer, showCentred] { showCentred(&renamer); });
    QObject::connect(&main, &mainwin::frmMain::renameRequested, &renamer,
                     [&renamer, showCentred] { showCentred(&renamer); });
    QObject::connect(&main, &mainwin::frmMain::renamerRefreshRequested, &renamer,
                     [&renamer](bool withPictureDates) {
                         if (withPictureDates)
                             renamer.RefreshrnmPicTak();
                         else
                             renamer.Refreshrnm();
                     });
    QObject::connect(&renamer, &frmRenamer::fileSelectionRequested, &main,
                     [&main, showCentred] { showCentred(&main); });
    QObject::connect(&main, &mainwin::frmMain::onTopTaken, &renamer,
                     [&renamer] { renamer.chkOnTop->setChecked(false); });
    QObject::connect(&renamer, &frmRenamer::onTopChecked, &main, [&main] {
        main.chkOnTop->setChecked(false);
        main.ClearBookmarksOnTop();
    });
    QObject::connect(&main, &mainwin::frmMain::bookmarksOnTopTaken, &renamer,
                     [&renamer] { renamer.chkOnTop->setChecked(false); });
    QObject::connect(&renamer, &frmRenamer::mainListRefreshRequested, &main,
                     [&main](const std::vector<engine::MainListFile> &files) {
                         main.lvw2->ClearItems();
                         for (const engine::MainListFile &file : files)
                             main.lvw2->AddFile(file.Path, file.Name);
                         main.lvw2->setCheckedAll(true);
                         main.GetSelected();
                     });
    QObject::connect(&main, &mainwin::frmMain::unloading, &renamer, [&renamer] {
        renamer.UnloadLog();
        renamer.hide();
    });
    return list;
}

} // namespace renamewin
