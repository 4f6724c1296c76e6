#pragma once

namespace corvane {

// The screen's dots per inch (vertically), 96 where the system gives none.
int screenDotsPerInch();

}  // namespace corvane
