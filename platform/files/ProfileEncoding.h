#pragma once

#include <QByteArray>

namespace platform {

// How a profile file is written. Windows' own profile functions read and
// write a file in UTF-16 when it starts with that byte-order mark; a UTF-8
// mark is only carried along. Everything in between works on 8-bit text.
enum class ProfileEncoding
{
    Plain,
    Utf8Bom,
    Utf16LE,
    Utf16BE
};

struct DecodedProfile
{
    QByteArray text; // 8-bit (UTF-8 where the file was UTF-16), without mark
    ProfileEncoding encoding = ProfileEncoding::Plain;
};

// The file's text without its mark, and how it was stored.
DecodedProfile decodeProfile(const QByteArray& raw);

// `text` stored the way `encoding` says (UTF-16 text is given as UTF-8).
QByteArray encodeProfile(const QByteArray& text, ProfileEncoding encoding);

} // namespace platform
