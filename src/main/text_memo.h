// TextMemo: a multi-line text box whose model is its exact text: the bytes
// as received or written (CR LF, lone CR or LF, tabs and other control
// bytes), never the toolkit's rendering of them. It renders line breaks as
// lines and other control bytes as visible control pictures.
//
// Appending renders only the new bytes, so a long log stays cheap. Changed()
// is emitted synchronously after every change of the text; user typing (in a
// box that is not read-only) updates the model with CR LF line ends.
#pragma once

#include <QPlainTextEdit>
#include <string>

class TextMemo : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TextMemo(QWidget* parent = nullptr);

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  // Adds the bytes at the end, nothing else.
  void Append(const std::string& bytes);
  // Adds a line as a list of lines does: a line break first unless the text
  // is empty or already ends with one, then the line and CR LF.
  void AddLine(const std::string& line);
  void Clear();
  // Lines as a list of lines counts them: each line break (CR LF, a lone CR
  // or LF) ends one, and a last line without a break counts too.
  int LineCount() const;
  // Puts the caret at the end, so that the view shows the newest text.
  void MoveCaretToEnd();

 signals:
  void Changed();
  void DoubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void Render(const std::string& bytes);
  void TakeUserEdit();

  std::string text_;
  bool lastWasCr_ = false;  // a CR at the end may pair with an LF still to come
  bool rendering_ = false;
};
