#include "dialogs/TextLimit.h"

#include "view/ShiftJis.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>

#include <vector>

namespace td {

namespace {

constexpr int Unencodable = -1;

struct Character {
    int units;
    int bytes;
};

int StoredWidth(QStringView character)
{
    if (character == u"\n")
        return 2;
    std::string bytes;
    return ToShiftJis(character.toString(), bytes) ? static_cast<int>(bytes.size()) : Unencodable;
}

std::vector<Character> Characters(const QString& text)
{
    std::vector<Character> characters;
    for (int i = 0; i < text.size();) {
        const int units = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        characters.push_back({units, StoredWidth(QStringView(text).mid(i, units))});
        i += units;
    }
    return characters;
}

class ByteLimitValidator final : public QValidator {
public:
    ByteLimitValidator(int maxBytes, QObject* parent)
        : QValidator(parent), maxBytes(maxBytes)
    {
    }
    State validate(QString& input, int& pos) const override
    {
        pos = FitBeforeCursor(input, pos, maxBytes);
        return Acceptable;
    }

private:
    int maxBytes;
};

}  // namespace

int FitBeforeCursor(QString& text, int cursor, int maxBytes)
{
    const std::vector<Character> characters = Characters(text);
    const int count = static_cast<int>(characters.size());
    std::vector<bool> keep;
    int total = 0;
    int cursorIndex = 0;
    int position = 0;
    for (const Character& character : characters) {
        keep.push_back(character.bytes != Unencodable);
        total += keep.back() ? character.bytes : 0;
        cursorIndex += position < cursor ? 1 : 0;
        position += character.units;
    }
    // What was just inserted ends at the cursor, so it goes first; text after it only when the
    // text was already too long.
    const auto drop = [&](int i) {
        if (keep[i] && total > maxBytes) {
            keep[i] = false;
            total -= characters[i].bytes;
        }
    };
    for (int i = cursorIndex - 1; i >= 0; --i)
        drop(i);
    for (int i = count - 1; i >= 0; --i)
        drop(i);
    QString kept;
    int keptCursor = 0;
    position = 0;
    for (int i = 0; i < count; ++i) {
        if (keep[i])
            kept += QStringView(text).mid(position, characters[i].units);
        if (i < cursorIndex)
            keptCursor = static_cast<int>(kept.size());
        position += characters[i].units;
    }
    text = kept;
    return keptCursor;
}

void ShowLimitedText(QLineEdit* edit, const std::string& bytes, int maxBytes)
{
    edit->setText(EditText(bytes));
    edit->setValidator(new ByteLimitValidator(maxBytes, edit));
    // A validated line edit loses its own modified flag; the user's edits set it here.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit] { edit->setModified(true); });
}

void ShowLimitedText(QPlainTextEdit* edit, const std::string& bytes, int maxBytes)
{
    edit->setPlainText(EditText(bytes));
    QObject::connect(edit->document(), &QTextDocument::contentsChange, edit,
                     [edit, maxBytes](int position, int, int added) {
                         QString text = edit->toPlainText();
                         const int cursor = FitBeforeCursor(text, position + added, maxBytes);
                         if (text == edit->toPlainText())
                             return;
                         QTextCursor whole(edit->document());
                         whole.select(QTextCursor::Document);
                         whole.insertText(text);
                         whole.setPosition(cursor);
                         edit->setTextCursor(whole);
                     });
}

void TakeEditedText(const QLineEdit* edit, std::string& bytes)
{
    if (edit->isModified())
        bytes = StoredBytes(edit->text());
}

void TakeEditedText(const QPlainTextEdit* edit, std::string& bytes)
{
    if (edit->document()->isModified())
        bytes = StoredBytes(edit->toPlainText());
}

QString EditText(const std::string& bytes)
{
    QString text = FromShiftJis(bytes.data(), bytes.size());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string StoredBytes(const QString& text)
{
    QString stored = text;
    stored.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    std::string bytes;
    ToShiftJis(stored, bytes);
    return bytes;
}

}  // namespace td
