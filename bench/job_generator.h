#pragma once

#include <cstddef>
#include <string>

namespace corvane::bench {

// Job text shaped like a drawing application's PLT export of sign work:
// lettering with sharp corners and curves broken into many short segments,
// one command per line, ending with the DB line. Deterministic for a seed.
std::string generateJob(std::size_t points, unsigned seed = 1);

}  // namespace corvane::bench
