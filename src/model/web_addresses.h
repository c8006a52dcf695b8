#pragma once

namespace qm {

// The product's web site.
inline constexpr const char* kHomePage = "https://www.quilmora.net/";
inline constexpr const char* kResourcesPage = "https://www.quilmora.net/getresources.html";
// Where the codec packs are offered for download.
inline constexpr const char* kCodecDownload = "https://www.quilmora.net/download/codecs.html";

}  // namespace qm
