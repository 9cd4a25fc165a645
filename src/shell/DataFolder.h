#pragma once

#include <string>

// The folder the data files are read from when the command line names none, ending in '/': the
// program's own folder when card.dat is there (the game as built, or unpacked in one folder), else
// the installed data folder beside the program's bin folder (share/pakaponta) when card.dat is
// there, else the program's own folder, where the missing card.dat is then reported.
std::string DataFolder(const std::string& programDir);
