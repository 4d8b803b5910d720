#pragma once

#include <QString>

#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace td {

// Shows a record field's bytes in an edit that then counts code page 932 bytes, as the field
// does. Whatever arrives at once (a key, a paste, an input method's commit) keeps the whole
// characters that fit and loses those that code page 932 cannot hold.
void ShowLimitedText(QLineEdit* edit, const std::string& bytes, int maxBytes);
void ShowLimitedText(QPlainTextEdit* edit, const std::string& bytes, int maxBytes);

// The edit's text as bytes once the user has changed it; until then the field's own bytes stay,
// even those the edit cannot show.
void TakeEditedText(const QLineEdit* edit, std::string& bytes);
void TakeEditedText(const QPlainTextEdit* edit, std::string& bytes);

// Removes characters just before `cursor` until the text fits; returns the new cursor.
int FitBeforeCursor(QString& text, int cursor, int maxBytes);

// Stored texts break lines with CR LF; the edits with LF.
QString EditText(const std::string& bytes);
std::string StoredBytes(const QString& text);

}  // namespace td
