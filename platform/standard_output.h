#pragma once
// The command line prints its results on standard output, where scripts read them; the lower
// layers print their own progress lines there too. This moves those lines to standard error.
#include <QtGlobal>

namespace platform {

// Duplicates standard output for the results and points descriptor 1 at standard error.
// Returns the duplicate, or 1 when it cannot be made (the results then share the stream).
int takeStandardOutputForResults();

} // namespace platform
