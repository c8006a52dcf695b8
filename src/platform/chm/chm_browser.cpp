#include "platform/chm/chm_browser.h"

#include <QDesktopServices>

#include "platform/chm/chm_archive.h"
#include "platform/chm/help_text.h"

namespace qm {

QUrl chmTopicUrl(const QString& reference, const QUrl& base) {
  QString path = reference.trimmed();
  path.replace(u'\\', u'/');
  const qsizetype inFile = path.indexOf(QLatin1StringView("::"));
  if (inFile >= 0) path = path.mid(inFile + 2);
  return base.resolved(QUrl(path));
}

QString messagePage(const QString& text) {
  return QStringLiteral("<p style=\"font-size: 12pt; margin: 24px;\">%1</p>").arg(text.toHtmlEscaped());
}

ChmBrowser::ChmBrowser(QWidget* parent) : QTextBrowser(parent) {
  // Links are followed here: references naming a help file are pages of this
  // one, and only web and mail links go to the desktop.
  setOpenLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &ChmBrowser::follow);
}

void ChmBrowser::setArchive(const ChmArchive* archive, std::uint32_t lcid) {
  archive_ = archive;
  lcid_ = lcid;
  // Pages of the previous file may share addresses with this one's.
  clearHistory();
  clear();
}

void ChmBrowser::showPage(const QUrl& url) {
  // setSource only scrolls when the address names the page already shown;
  // another file, or the same file read again, must be loaded.
  if (source().adjusted(QUrl::RemoveFragment) == url.adjusted(QUrl::RemoveFragment)) setSource(QUrl());
  setSource(url);
}

void ChmBrowser::showMessage(const QString& text) { setHtml(messagePage(text)); }

void ChmBrowser::follow(const QUrl& link) {
  const QUrl target = chmTopicUrl(link.toString(), source());
  const QString scheme = target.scheme();
  if (scheme == kChmScheme)
    setSource(target);
  else if (scheme == u"http" || scheme == u"https" || scheme == u"mailto")
    QDesktopServices::openUrl(target);
}

// The document hands over addresses already resolved against its page.
QVariant ChmBrowser::loadResource(int type, const QUrl& url) {
  if (url.scheme() != kChmScheme || !archive_) return {};
  const std::optional<QByteArray> bytes = archive_->read(url.path().toStdString());
  switch (type) {
    case QTextDocument::HtmlResource:
      if (!bytes) return messagePage(QStringLiteral("帮助文件中没有此主题：") + url.path().mid(1));
      return decodeHelpPage(*bytes, lcid_);
    case QTextDocument::StyleSheetResource:
      if (!bytes) return {};
      return decodeHelpText(*bytes, lcid_);
    default:
      if (!bytes) return {};
      return *bytes;  // images: the document reads the picture from the bytes
  }
}

}  // namespace qm
