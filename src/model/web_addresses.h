#pragma once

namespace qm {

// The product's places on the web, and its own home page shipped beside the
// executable (shown offline in the display area's web view).
inline constexpr const char* kHomePageAddress = "https://www.quilmora.org/";
inline constexpr const char* kResourcesAddress = "https://www.quilmora.org/resources/";
inline constexpr const char* kCodecDownloadAddress = "https://www.quilmora.org/download/codecs/";
// In the program folder.
inline constexpr const char* kHomePageFile = "home.html";

}  // namespace qm
