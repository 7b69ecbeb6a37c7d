// Paths of the program's files, path parts, and the folder and copy operations. Every
// path is a text under 256 bytes: a longer input or a failing step gives an empty text.
#pragma once

#include <string>
#include <string_view>

#include "framework/error.h"

namespace tavoli {

constexpr size_t kMaxPathBytes = 256;

// The parts of a path chosen by letters, in the letters' order: "d" drive (with ":"),
// "p" folder (with its last separator), "f" file name without extension, "e" extension
// (from the last "." of the file name). Leading blanks, control characters, double quotes
// and a "\\?\" prefix are skipped; double-byte characters are stepped over whole.
std::string PathPart(std::string_view path, std::string_view letters);

// The path with its extension replaced ("memo.txt", ".bak" → "memo.bak"); the
// extension may be given with or without its dot.
std::string RenameExtension(std::string_view path, std::string_view extension);

// The folder of the running executable (or the current folder) joined with a name.
std::string ProgramFilePath(std::string_view name);
std::string CurrentDirFilePath(std::string_view name);
// The user's application-data folder, the subfolder (such as "Brenholt\Tavoli\") and the
// name; the file beside the executable when that folder cannot be found.
std::string PerUserFilePath(std::string_view subfolder, std::string_view name);

// The system's folder for temporary files, with its trailing separator; empty when none.
std::string TemporaryFolderPath();

bool FileExists(std::string_view path);
bool FolderExists(std::string_view path);

// Makes a folder and its missing parents: "InvalidArgument" for an empty path,
// "Workspace" for a path without a parent.
ErrorValue MakeFolders(std::string_view path);

// Copies a file. The last of the letters "F" (fail when the target exists, the
// default), "W" (overwrite) and "R" (copy to a free numbered name, "name (2).ext") in
// either case decides. Names of 256 bytes or more give "InvalidFileName".
ErrorValue CopyFileTo(std::string_view source, std::string_view target, std::string_view options);

// A string of the running executable's version resource ("FileVersion"); empty when it
// has none.
std::string VersionString(std::string_view name);

// The copy mode chosen by the option letters: 'F', 'W' or 'R'.
char CopyMode(std::string_view options);
// The numbered variant of a target name tried by the "R" mode (n = 2, 3, …).
std::string NumberedVariant(std::string_view path, int n);

}  // namespace tavoli
