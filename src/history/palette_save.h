// "&Save as..." of the History submenu: the history written as a palette file the user names.
#pragma once

// Opens the system's Save dialog (or brings the open one back) and writes the history in the chosen
// format. The file is replaced whole or not at all; a failure is reported with the path and the
// system's reason. The dialog's folder and type are kept for the next save of this run.
void saveHistoryAs();
