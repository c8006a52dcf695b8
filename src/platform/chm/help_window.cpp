#include "platform/chm/help_window.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <optional>

#include "platform/chm/chm_archive.h"
#include "platform/chm/chm_browser.h"
#include "platform/chm/chm_system.h"
#include "platform/chm/help_text.h"
#include "platform/chm/sitemap.h"

namespace qm {
namespace {

constexpr int kPageRole = Qt::UserRole;

QUrl rootUrl() { return QUrl(kChmScheme + QLatin1StringView(":/")); }

// The contents sitemap: the one #SYSTEM names, else any .hhc in the file.
std::optional<QByteArray> readContents(const ChmArchive& archive, std::string& name) {
  if (!name.empty())
    if (auto bytes = archive.read(name)) return bytes;
  for (const std::string& candidate : archive.fileNames()) {
    if (QString::fromStdString(candidate).endsWith(u".hhc", Qt::CaseInsensitive)) {
      name = candidate;
      return archive.read(candidate);
    }
  }
  return std::nullopt;
}

}  // namespace

HelpWindow::HelpWindow() : contents_(new QTreeWidget), page_(new ChmBrowser) {
  contents_->setObjectName(QStringLiteral("contents"));
  contents_->header()->hide();
  page_->setObjectName(QStringLiteral("page"));
  auto* splitter = new QSplitter;
  splitter->addWidget(contents_);
  splitter->addWidget(page_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({220, 680});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);
  resize(900, 640);

  const auto openEntry = [this](QTreeWidgetItem* item) {
    const QUrl url = item->data(0, kPageRole).toUrl();
    if (url.isValid()) page_->setSource(url);
  };
  connect(contents_, &QTreeWidget::itemClicked, this, openEntry);
  connect(contents_, &QTreeWidget::itemActivated, this, openEntry);
  connect(page_, &QTextBrowser::sourceChanged, this, &HelpWindow::markCurrentEntry);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::showTopic(const std::string& file, const std::string& topic) {
  openFile(file);
  if (archive_) page_->showPage(chmTopicUrl(QString::fromStdString(topic.empty() ? defaultTopic_ : topic), rootUrl()));
  present();
}

void HelpWindow::openFile(const std::string& file) {
  // The page and the tree let go of the old file before it closes.
  page_->setArchive(nullptr, 0);
  contents_->clear();
  archive_.reset();
  defaultTopic_.clear();
  const QString path = QString::fromStdString(file);
  setWindowTitle(QFileInfo(path).fileName());

  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    page_->showMessage(QStringLiteral("找不到帮助文件：") + path);
    return;
  }
  archive_ = ChmArchive::open(file);
  if (!archive_) {
    page_->showMessage(QStringLiteral("无法读取帮助文件：") + path);
    return;
  }
  const ChmSystemInfo system = parseChmSystem(archive_->read("#SYSTEM").value_or(QByteArray()));
  defaultTopic_ = system.defaultTopic;
  if (!system.title.empty()) setWindowTitle(decodeHelpText(QByteArray::fromStdString(system.title), system.lcid));
  page_->setArchive(archive_.get(), system.lcid);

  std::string sitemapName = system.contentsFile;
  if (const auto sitemap = readContents(*archive_, sitemapName)) {
    // Pages in the sitemap are named relative to the sitemap itself.
    const QUrl base = chmTopicUrl(QString::fromStdString(sitemapName), rootUrl());
    addEntries(parseSitemap(decodeHelpPage(*sitemap, system.lcid)), nullptr, base);
    contents_->expandAll();
  }
}

void HelpWindow::addEntries(const std::vector<SitemapEntry>& entries, QTreeWidgetItem* parent, const QUrl& base) {
  for (const SitemapEntry& entry : entries) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
    item->setText(0, entry.name);
    if (!entry.local.isEmpty()) item->setData(0, kPageRole, chmTopicUrl(entry.local, base));
    addEntries(entry.children, item, base);
  }
}

// The tree follows the page, also when a link inside the page was clicked.
void HelpWindow::markCurrentEntry(const QUrl& page) {
  const QList<QTreeWidgetItem*> items = contents_->findItems(QString(), Qt::MatchContains | Qt::MatchRecursive);
  for (QTreeWidgetItem* item : items) {
    if (item->data(0, kPageRole).toUrl() == page) return contents_->setCurrentItem(item);
  }
}

void HelpWindow::present() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

}  // namespace qm
