#pragma once

#include <string>

namespace qm {

// The audio filter chain that places the sound between the speakers:
// -100 keeps only the left channel, 100 only the right, 0 needs no filter
// (empty chain). Values outside -100..100 are clamped.
std::string balanceFilter(int balance);

}  // namespace qm
