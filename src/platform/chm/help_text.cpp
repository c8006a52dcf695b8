#include "platform/chm/help_text.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace qm {
namespace {

// The ANSI code page the help compiler used for a language.
const char* codePageOf(std::uint32_t lcid) {
  const std::uint32_t language = lcid & 0x3FF;
  const std::uint32_t region = (lcid >> 10) & 0x3F;
  switch (language) {
    case 0x04:
      return region == 0x02 || region == 0x04 ? "GB18030" : "Big5";  // PRC, Singapore : others
    case 0x11:
      return "Shift_JIS";
    case 0x12:
      return "EUC-KR";
    case 0x19:
      return "windows-1251";
    case 0:
      return nullptr;
    default:
      return "windows-1252";
  }
}

}  // namespace

QString decodeHelpText(const QByteArray& bytes, std::uint32_t lcid) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  if (const char* codePage = codePageOf(lcid)) {
    QStringDecoder ansi(codePage);
    if (ansi.isValid()) return ansi.decode(bytes);
  }
  return text;
}

QString decodeHelpPage(const QByteArray& bytes, std::uint32_t lcid) {
  if (const auto bom = QStringConverter::encodingForData(bytes)) {
    QStringDecoder decoder(*bom);
    return decoder.decode(bytes);
  }
  // The declaration sits in the head; ASCII is enough to find it.
  static const QRegularExpression declared(QStringLiteral(R"(<meta[^>]*charset\s*=\s*["']?\s*([A-Za-z0-9_.:\-]+))"),
                                           QRegularExpression::CaseInsensitiveOption);
  const auto match = declared.match(QString::fromLatin1(bytes.left(2048)));
  if (match.hasMatch()) {
    QString name = match.captured(1).toLower();
    // Pages labelled GB2312 routinely hold GBK characters; GB18030 holds both.
    if (name == u"gb2312" || name == u"gbk" || name == u"x-gbk") name = QStringLiteral("GB18030");
    QStringDecoder decoder(name.toLatin1().constData());
    if (decoder.isValid()) return decoder.decode(bytes);
  }
  return decodeHelpText(bytes, lcid);
}

}  // namespace qm
