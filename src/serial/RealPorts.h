// Opening real ports: the termios back end's opener for the installation folder's port
// names, and why an open failed (the kind of failure, the device, the group to join).
#pragma once

#include "serial/Port.h"
#include "serial/posix/OpenFailure.h"
#include "serial/posix/PosixSerialDevice.h"
