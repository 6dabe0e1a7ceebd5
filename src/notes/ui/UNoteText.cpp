#include "notes/ui/UNoteText.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {
void appendLine(std::vector<std::string>& lines, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  lines.emplace_back(bytes.constData(), static_cast<size_t>(bytes.size()));
}
}  // namespace

std::vector<std::string> DocumentLines(const QTextDocument& document) {
  // Block by block rather than through toPlainText, which turns non-breaking spaces into plain
  // ones.
  std::vector<std::string> lines;
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
    const QString text = b.text();
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text.at(i);
      if (c != QChar::LineSeparator && c != QChar::ParagraphSeparator) continue;
      appendLine(lines, text.mid(start, i - start));
      start = i + 1;
    }
    appendLine(lines, text.mid(start));
  }
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::string TextAreaText(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\n';
    text += lines[i];
  }
  if (!lines.empty() && lines.back().empty()) text += '\n';
  return text;
}
