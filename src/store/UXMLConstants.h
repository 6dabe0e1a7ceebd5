// Element and attribute names of the notes file, and its fixed header line.
#pragma once

namespace xmlc {
inline constexpr const char* Header = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\" ?>";

inline constexpr const char* RootElement = "quib";
inline constexpr const char* NoteElement = "note";

// The attributes of a note element, in the order they are written.
inline constexpr const char* Id = "id";
inline constexpr const char* Left = "left";
inline constexpr const char* Top = "top";
inline constexpr const char* Width = "width";
inline constexpr const char* Height = "height";
inline constexpr const char* Minimized = "minimized";
inline constexpr const char* SystemNote = "systemnote";
inline constexpr const char* Chat = "chat";
inline constexpr const char* ReadOnly = "readonly";
inline constexpr const char* OnTop = "ontop";
inline constexpr const char* Color = "color";
inline constexpr const char* FontSize = "fontsize";
inline constexpr const char* FontColor = "fontcolor";
inline constexpr const char* FontName = "fontname";
}  // namespace xmlc
