#pragma once
/**
 * Ties the rename window to the main window: "&Rename" shows it and has it refill its grid from
 * the checked rows of the main list, "&File Selection" brings the main window back, the two
 * on-top boxes exclude each other, and after a rename the main list can show the renamed files.
 */
#include <memory>

namespace mainwin {
class frmMain;
}

namespace renamewin {

class frmRenamer;
class MainFileList;

/**
 * Connects `renamer` to `main` and gives it the main list to read; returns that reader, which
 * the caller keeps as long as the two windows live.
 */
std::unique_ptr<MainFileList> connectRenamer(mainwin::frmMain &main, frmRenamer &renamer);

} // namespace renamewin
