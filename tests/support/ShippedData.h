// The installation folder as shipped, copied for a test or a benchmark.
#pragma once

#include <QString>

namespace testsupport {

// The source tree's data/shipped folder.
QString ShippedDataDir();
// Copies every shipped file into folder (which exists).
void CopyShippedData(const QString &folder);

} // namespace testsupport
