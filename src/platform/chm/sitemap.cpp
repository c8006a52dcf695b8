#include "platform/chm/sitemap.h"

#include <QRegularExpression>
#include <optional>

namespace qm {
namespace {

// Character references in one pass, so that "&amp;lt;" stays "&lt;".
// Unknown names are kept as written.
QString unescape(const QString& text) {
  static const QRegularExpression reference(QStringLiteral("&(#[xX][0-9A-Fa-f]+|#[0-9]+|[A-Za-z]+);"));
  static const std::pair<QLatin1StringView, QChar> named[] = {
      {QLatin1StringView("lt"), u'<'},   {QLatin1StringView("gt"), u'>'},    {QLatin1StringView("amp"), u'&'},
      {QLatin1StringView("quot"), u'"'}, {QLatin1StringView("apos"), u'\''}, {QLatin1StringView("nbsp"), u' '}};
  QString out;
  qsizetype copied = 0;
  for (auto it = reference.globalMatch(text); it.hasNext();) {
    const auto m = it.next();
    const QString name = m.captured(1);
    QString replacement = m.captured(0);
    if (name.startsWith(u'#')) {
      const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
      bool ok = false;
      const char32_t code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
      if (ok && code > 0 && code <= 0x10FFFF) replacement = QString::fromUcs4(&code, 1);
    } else {
      for (const auto& [entity, character] : named)
        if (name == entity) replacement = character;
    }
    out += QStringView(text).mid(copied, m.capturedStart() - copied);
    out += replacement;
    copied = m.capturedEnd();
  }
  out += QStringView(text).mid(copied);
  return out;
}

QString attribute(const QString& attributes, QStringView name) {
  static const QRegularExpression pattern(QStringLiteral(R"re((\w+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"));
  for (auto it = pattern.globalMatch(attributes); it.hasNext();) {
    const auto m = it.next();
    if (m.captured(1).compare(name, Qt::CaseInsensitive) != 0) continue;
    for (int group = 2; group <= 4; ++group)
      if (m.capturedStart(group) >= 0) return unescape(m.captured(group));
  }
  return {};
}

}  // namespace

std::vector<SitemapEntry> parseSitemap(const QString& html) {
  std::vector<SitemapEntry> roots;
  // The lists being filled, innermost last. An entry's sub-list is only
  // appended to while its parent list stays untouched, so the pointers hold.
  std::vector<std::vector<SitemapEntry>*> open;
  std::optional<SitemapEntry> entry;  // the sitemap object being read

  static const QRegularExpression tag(QStringLiteral(R"(<(/?)(\w+)([^>]*)>)"));
  for (auto it = tag.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    const bool closing = !m.captured(1).isEmpty();
    const QString name = m.captured(2).toLower();
    const QString attributes = m.captured(3);
    if (name == u"ul" && !closing) {
      std::vector<SitemapEntry>* list = open.empty() ? &roots : open.back();
      // A list straight after an item holds its sub-entries.
      open.push_back(!open.empty() && !list->empty() ? &list->back().children : list);
    } else if (name == u"ul") {
      if (!open.empty()) open.pop_back();
    } else if (name == u"object" && !closing) {
      if (attribute(attributes, u"type").compare(u"text/sitemap", Qt::CaseInsensitive) == 0) entry.emplace();
    } else if (name == u"object") {
      if (entry) (open.empty() ? roots : *open.back()).push_back(std::move(*entry));
      entry.reset();
    } else if (name == u"param" && entry) {
      // Merged entries repeat their params; the first pair names the entry.
      const QString param = attribute(attributes, u"name").toLower();
      if (param == u"name" && entry->name.isEmpty()) entry->name = attribute(attributes, u"value");
      if (param == u"local" && entry->local.isEmpty()) entry->local = attribute(attributes, u"value");
    }
  }
  return roots;
}

}  // namespace qm
