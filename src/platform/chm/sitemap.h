#pragma once

#include <QString>
#include <vector>

namespace qm {

// One entry of a help file's contents: its caption, the page it opens (as
// written in the sitemap, possibly empty for a heading) and its sub-entries.
struct SitemapEntry {
  QString name;
  QString local;
  std::vector<SitemapEntry> children;
};

// Reads a .hhc contents sitemap: nested <UL> lists whose <LI> items hold an
// <OBJECT type="text/sitemap"> with "Name" and "Local" params. A list that
// follows an item holds that item's sub-entries. Anything else is ignored.
std::vector<SitemapEntry> parseSitemap(const QString& html);

}  // namespace qm
