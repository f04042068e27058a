#include "platform/files/ProfileEncoding.h"

#include <QString>
#include <QStringDecoder>

namespace platform {

DecodedProfile decodeProfile(const QByteArray& raw)
{
    if (raw.startsWith("\xEF\xBB\xBF")) {
        return {raw.mid(3), ProfileEncoding::Utf8Bom};
    }
    const bool le = raw.startsWith("\xFF\xFE");
    if (!le && !raw.startsWith("\xFE\xFF")) {
        return {raw, ProfileEncoding::Plain};
    }
    QString text;
    text.reserve((raw.size() - 2) / 2);
    for (qsizetype i = 2; i + 1 < raw.size(); i += 2) {
        const auto a = static_cast<quint8>(raw[i]);
        const auto b = static_cast<quint8>(raw[i + 1]);
        text += QChar(static_cast<char16_t>(le ? (b << 8 | a) : (a << 8 | b)));
    }
    return {text.toUtf8(), le ? ProfileEncoding::Utf16LE : ProfileEncoding::Utf16BE};
}

QByteArray encodeProfile(const QByteArray& text, ProfileEncoding encoding)
{
    switch (encoding) {
    case ProfileEncoding::Plain:
        return text;
    case ProfileEncoding::Utf8Bom:
        return "\xEF\xBB\xBF" + text;
    case ProfileEncoding::Utf16LE:
    case ProfileEncoding::Utf16BE:
        break;
    }
    const bool le = encoding == ProfileEncoding::Utf16LE;
    // A U+FEFF at the start of the text is a character of the file, not a
    // mark to drop; an incomplete sequence at the end is replaced, not held
    // back for more.
    QStringDecoder toWide(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                      QStringConverter::Flag::Stateless);
    const QString wide = toWide(text);
    QByteArray out(le ? "\xFF\xFE" : "\xFE\xFF");
    out.reserve(2 + wide.size() * 2);
    for (const QChar c : wide) {
        const auto lo = static_cast<char>(c.unicode() & 0xFF);
        const auto hi = static_cast<char>(c.unicode() >> 8);
        out += le ? lo : hi;
        out += le ? hi : lo;
    }
    return out;
}

} // namespace platform
