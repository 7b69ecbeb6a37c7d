// Opening documents with the shell, and the system's file open and save dialogs.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/error.h"

namespace tavoli {

// ShellExecuteExA with the verb ("Open" when empty); does not wait for the program.
ErrorValue ShellOpen(const std::string& path, const std::string& verb);

struct FileDialog {
    std::string title;
    HWND owner = nullptr;                                      // none: the top-level ancestor of the active window
    std::vector<std::pair<std::string, std::string>> filters;  // description, pattern
    std::vector<std::string> fileNames;                        // the initial name before, the chosen path after
    bool save = false;
};

// The filter text: description NUL pattern NUL for each pair, "All Files(*.*)" when no
// pattern is exactly "*.*", and a final NUL.
std::string FileDialogFilterText(const FileDialog& dialog);

// Runs the open or save dialog; true when the user chose a file. A failure of the
// dialog itself shows the "filedialog" message; a cancel shows nothing.
bool RunFileDialog(FileDialog& dialog, bool save);

}  // namespace tavoli
