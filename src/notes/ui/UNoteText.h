// Reading the lines of a text area the way a note's text file stores them.
#pragma once

#include <string>
#include <vector>

class QTextDocument;

// One string of 8-bit text per line. A line separator or paragraph separator inside a block
// (Shift+Enter, pasted text) ends a line like Enter does; non-breaking spaces stay as they are.
// An empty last line of the text area is no line.
std::vector<std::string> DocumentLines(const QTextDocument& document);
