// The title painted on a note's strip, built from the control panel's title template.
#pragma once

#include <cstdint>
#include <string>

// Every "$id$" of the template replaced by the id in plain decimal (inserted text is never
// searched again); "System " in front for a system note, " *" at the end when read-only.
std::string NoteTitle(const std::string& titleTemplate, int32_t id, bool systemNote, bool readOnly);
