// The start-up sweep of the temporary files a crash left wherever the program writes: the data
// and notes folders, beside the targets of symbolically linked data files, the autostart folder
// and the last export folder.
#pragma once

#include <string>
#include <vector>

struct TTempSweepFolders {
  std::string DataFolder;
  std::string NotesFolder;
  std::string AutostartFolder;  // "" when unknown
  std::string ExportFolder;     // the last export folder; "" when none
};

// Folders other programs (or another Quib on another data folder) may be writing into lose only
// temporary files nobody touched for this long.
inline constexpr int kSharedFolderTempAgeSeconds = 60;

// Removes what a crash of this program can have left: in the data and notes folders the
// temporary files of its data files; beside a data file's link target those of that target; in
// the autostart folder those of Quib.desktop; in the export folder those of ".txt" files (the
// export's own extension, so no other program's file of that pattern goes). Returns the paths
// removed.
std::vector<std::string> SweepStaleTempFiles(const TTempSweepFolders& folders);
