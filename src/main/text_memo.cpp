#include "text_memo.h"

#include <QScrollBar>
#include <QTextCursor>

TextMemo::TextMemo(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (!rendering_) TakeUserEdit();
  });
}

void TextMemo::SetText(const std::string& text) {
  text_.clear();
  lastWasCr_ = false;
  rendering_ = true;
  QPlainTextEdit::clear();
  rendering_ = false;
  text_ = text;
  Render(text);
  emit Changed();
}

void TextMemo::Append(const std::string& bytes) {
  if (bytes.empty()) return;
  text_ += bytes;
  Render(bytes);
  emit Changed();
}

void TextMemo::AddLine(const std::string& line) {
  std::string bytes;
  if (!text_.empty() && text_.back() != '\n' && text_.back() != '\r') bytes = "\r\n";
  Append(bytes + line + "\r\n");
}

void TextMemo::Clear() { SetText(std::string()); }

int TextMemo::LineCount() const {
  int lines = 0;
  for (size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n') ++i;
    if (text_[i] == '\r' || text_[i] == '\n') ++lines;
  }
  if (!text_.empty() && text_.back() != '\r' && text_.back() != '\n') ++lines;
  return lines;
}

void TextMemo::MoveCaretToEnd() {
  moveCursor(QTextCursor::End);
  ensureCursorVisible();
}

void TextMemo::Render(const std::string& bytes) {
  QString shown;
  shown.reserve(static_cast<int>(bytes.size()));
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    const bool pairedLf = byte == '\n' && lastWasCr_;
    lastWasCr_ = byte == '\r';
    if (pairedLf) continue;  // CR LF is one line break
    if (byte == '\r' || byte == '\n') {
      shown += QChar(u'\n');
    } else if (byte == '\t') {
      shown += QChar(u'\t');
    } else if (byte < 0x20) {
      shown += QChar(0x2400 + byte);  // the control picture, e.g. "␀"
    } else if (byte == 0x7F) {
      shown += QChar(0x2421);
    } else {
      shown += QChar(byte);  // Latin-1, the module's 8-bit text
    }
  }
  rendering_ = true;
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(shown);
  rendering_ = false;
}

void TextMemo::TakeUserEdit() {
  // Only a box the user can type in gets here; its lines end in CR LF.
  std::string text = toPlainText().toLatin1().toStdString();
  std::string withCrLf;
  for (char c : text) {
    if (c == '\n') withCrLf += '\r';
    withCrLf += c;
  }
  text_ = withCrLf;
  lastWasCr_ = false;
  emit Changed();
}

void TextMemo::mouseDoubleClickEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseDoubleClickEvent(event);
  emit DoubleClicked();
}
