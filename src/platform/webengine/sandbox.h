#pragma once

namespace qm {

// Chromium's sandbox does not start for root: there the web engine runs
// without it (no-sandbox), and standard error says so once. Every other user
// keeps it. Called before the first page is made.
void chooseWebEngineSandbox();

}  // namespace qm
