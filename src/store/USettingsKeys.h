// The names of the program's settings in the settings file (quib.ini), as CreateQuibSettings
// declares them. The first letter names the list: b a boolean, i an integer, s a string.
#pragma once

namespace setting {
// [Booleans]
inline constexpr const char* bRandomColor = "bRandomColor";  // new notes and records: a random colour
inline constexpr const char* bSnapGrid = "bSnapGrid";
inline constexpr const char* bSnapEdges = "bSnapEdges";
inline constexpr const char* bSnapNotes = "bSnapNotes";
inline constexpr const char* bStartup = "bStartup";
inline constexpr const char* bBringToFront = "bBringToFront";
inline constexpr const char* bRemoveStayOnTop = "bRemoveStayOnTop";
// Declared as "bPLayWAV1": names match without regard to case, so both spellings are one entry,
// and the file takes this one once the control panel has saved it.
inline constexpr const char* bPlayWAV1 = "bPlayWAV1";
inline constexpr const char* bPlayWAV2 = "bPlayWAV2";
inline constexpr const char* bWinXPShadow = "bWinXPShadow";

// [Integers]
inline constexpr const char* iLastX = "iLastX";  // the control panel's remembered corner
inline constexpr const char* iLastY = "iLastY";
inline constexpr const char* iGridX = "iGridX";
inline constexpr const char* iGridY = "iGridY";
inline constexpr const char* iDefaultFontSize = "iDefaultFontSize";
inline constexpr const char* iDefaultFontColor = "iDefaultFontColor";
// Loaded and saved back only: snapping's tolerances are fixed (TScreenSnapper::Tolerance,
// TBoxController::Tolerance) and nothing reads this.
inline constexpr const char* iSnapDistance = "iSnapDistance";

// [Strings]
inline constexpr const char* sDefaultFontName = "sDefaultFontName";
inline constexpr const char* sIdentity = "sIdentity";
inline constexpr const char* sWAVFilename1 = "sWAVFilename1";
inline constexpr const char* sWAVFilename2 = "sWAVFilename2";
inline constexpr const char* sLastSend = "sLastSend";
inline constexpr const char* sLastImportDir = "sLastImportDir";  // a note's import and export folders
inline constexpr const char* sLastExportDir = "sLastExportDir";
inline constexpr const char* sICODir = "sICODir";
inline constexpr const char* sTrayIcon = "sTrayIcon";
inline constexpr const char* sNotesTitle = "sNotesTitle";  // the title template of the notes
}  // namespace setting
