#pragma once

namespace qm {

// Makes blocks of 1 MiB and more go straight back to the system when freed.
// glibc would otherwise raise its threshold to the largest block freed so
// far: the 10 MiB probe buffer libmpv takes for each file it opens would
// stay in the heap for good after the second open, and a slide show's
// frames of changing sizes would leave the heap ever more ragged. Called
// first thing in the process.
void returnLargeBlocksToTheSystem();

}  // namespace qm
