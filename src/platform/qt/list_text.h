#pragma once

#include <QString>
#include <string>

namespace qm {

// A file name as a list row shows it: one row whatever the name holds. Line
// breaks show as a return sign; bytes that are no UTF-8 show as the
// replacement character (the list itself keeps the name's bytes).
inline QString listText(const std::string& name) {
  QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  text.replace(QLatin1String("\r\n"), QString(QChar(0x23CE)));
  text.replace(QChar('\n'), QChar(0x23CE));
  text.replace(QChar('\r'), QChar(0x23CE));
  return text;
}

// A name as a tooltip shows it. Qt reads a tooltip that looks like HTML as
// HTML, and a file may be named "<img src=...>": the name is escaped so that
// it shows as it is, blanks and all, and never makes Qt load what it names.
inline QString plainToolTip(const QString& text) {
  return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

}  // namespace qm
