// The line trace: a file that records what passes on the line, and the opener that wraps
// every device it opens in a traced one.
#pragma once

#include "serial/trace/LineTrace.h"
#include "serial/trace/TracedDevice.h"
