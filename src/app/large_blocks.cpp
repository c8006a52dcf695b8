#include "app/large_blocks.h"

#include <malloc.h>

namespace qm {

void returnLargeBlocksToTheSystem() { mallopt(M_MMAP_THRESHOLD, 1 << 20); }

}  // namespace qm
