#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <cstdint>

namespace qm {

class ChmArchive;

// Pages of a help file are addressed as "chm:/path/page.htm#anchor", so that
// relative links, images and style sheets resolve inside the same file.
inline constexpr QLatin1StringView kChmScheme("chm");

// The address of `reference` (a link, a sitemap "Local", a topic) seen from
// the page `base`. Backslashes count as slashes, and a reference naming a
// help file ("ms-its:name.chm::/page.htm") is taken as a page of this one.
QUrl chmTopicUrl(const QString& reference, const QUrl& base);

// Shows pages of one help file. Links into the file navigate here, others
// go to the desktop's browser; a missing page shows a message instead.
class ChmBrowser : public QTextBrowser {
  Q_OBJECT
 public:
  explicit ChmBrowser(QWidget* parent = nullptr);
  // The file to read from, or none; the archive must outlive its use here.
  // `lcid` is its language, for pages that do not declare their encoding.
  void setArchive(const ChmArchive* archive, std::uint32_t lcid);
  // Shows the page at `url`, read anew even when it was shown before.
  void showPage(const QUrl& url);
  // Replaces the page by a message, e.g. that the file is missing.
  void showMessage(const QString& text);

 protected:
  QVariant loadResource(int type, const QUrl& url) override;

 private:
  void follow(const QUrl& link);

  const ChmArchive* archive_ = nullptr;
  std::uint32_t lcid_ = 0;
};

// The page shown for a message: the text, escaped, in a plain paragraph.
QString messagePage(const QString& text);

}  // namespace qm
