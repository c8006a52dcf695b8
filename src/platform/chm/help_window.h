#pragma once

#include <QUrl>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace qm {

class ChmArchive;
class ChmBrowser;
struct SitemapEntry;

// The help viewer's top-level window: the help file's contents as a tree
// beside the page. Object names "contents" and "page" name the two parts.
class HelpWindow : public QWidget {
 public:
  HelpWindow();
  ~HelpWindow() override;
  // Shows `topic` of `file` (the file's default topic when empty) and brings
  // the window to the front. Problems with the file are told in the page.
  void showTopic(const std::string& file, const std::string& topic);

 private:
  void openFile(const std::string& file);
  void addEntries(const std::vector<SitemapEntry>& entries, QTreeWidgetItem* parent, const QUrl& base);
  void markCurrentEntry(const QUrl& page);
  void present();

  QTreeWidget* contents_;
  ChmBrowser* page_;
  std::unique_ptr<ChmArchive> archive_;
  std::string defaultTopic_;
};

}  // namespace qm
