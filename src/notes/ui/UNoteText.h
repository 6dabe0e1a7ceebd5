// Moving a note's lines between its text file and its text area, so that what the program
// writes comes back byte for byte and the text area shows no line the text does not have.
#pragma once

#include <string>
#include <vector>

class QTextDocument;

// One string of UTF-8 text per line. A line separator or paragraph separator inside a block
// (Shift+Enter, pasted text) ends a line like Enter does; non-breaking spaces stay as they are.
// An empty last line of the text area is no line.
std::vector<std::string> DocumentLines(const QTextDocument& document);

// The text area's text for lines: the lines joined by line breaks. Only when the last line is
// empty does the text end in a break, since DocumentLines drops the text area's empty last line;
// so DocumentLines gives the lines back, and a text not ending in an empty line shows no extra
// empty line below it.
std::string TextAreaText(const std::vector<std::string>& lines);
