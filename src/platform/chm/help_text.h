#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace qm {

// Help files come as UTF-8 or in the ANSI code page of the language they
// were written for (GBK for ours). `lcid` is the help's language, 0 if unknown.

// A text without a declared encoding: UTF-8 when the bytes are valid UTF-8,
// else the code page of `lcid`, else UTF-8 with the bad bytes replaced.
QString decodeHelpText(const QByteArray& bytes, std::uint32_t lcid);

// A page: a byte order mark or the charset its <meta> declares wins; without
// one (or with one we cannot decode) as decodeHelpText.
QString decodeHelpPage(const QByteArray& bytes, std::uint32_t lcid);

}  // namespace qm
