#include "view/ShiftJis.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

namespace td {

namespace {

// Windows' code page 932: Shift-JIS with the NEC and IBM extensions ("①", "～", ...).
constexpr char CodePageName[] = "windows-31j";

QByteArrayView FieldBytes(const char* bytes, std::size_t maxBytes)
{
    const void* nul = std::memchr(bytes, 0, maxBytes);
    const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : maxBytes;
    return QByteArrayView(bytes, static_cast<qsizetype>(length));
}

}  // namespace

QString FromShiftJis(const char* bytes, std::size_t maxBytes)
{
    const QByteArrayView field = FieldBytes(bytes, maxBytes);
    // Most labels are plain ASCII, which code page 932 leaves as it is; setting up the
    // converter costs more than drawing them.
    if (std::all_of(field.begin(), field.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(field);
    QStringDecoder decoder(CodePageName);
    return decoder.decode(field);
}

bool DecodeShiftJis(const char* bytes, std::size_t maxBytes, QString& text)
{
    // Stateless, so that a lead byte cut off at the end is an error rather than kept for later.
    QStringDecoder decoder(CodePageName, QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return false;
    const QByteArrayView field = FieldBytes(bytes, maxBytes);
    text = decoder.decode(field);
    if (decoder.hasError() || text.contains(QChar::ReplacementCharacter))
        return false;
    // Bytes that ICU maps without complaint but cannot give back would not survive a round trip.
    std::string encoded;
    return ToShiftJis(text, encoded) && QByteArrayView(encoded.data(), static_cast<qsizetype>(encoded.size())) == field;
}

bool ToShiftJis(const QString& text, std::string& bytes)
{
    QStringEncoder encoder(CodePageName);
    if (!encoder.isValid())
        return false;
    const QByteArray encoded = encoder.encode(text);
    if (encoder.hasError())
        return false;
    // ICU substitutes unmappable characters without always flagging them; only text that decodes
    // back to itself was really encoded.
    QStringDecoder decoder(CodePageName);
    const QString decoded = decoder.decode(encoded);
    if (decoder.hasError() || decoded != text)
        return false;
    bytes.assign(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    return true;
}

}  // namespace td
