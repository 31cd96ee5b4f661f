// The serial devices around the component: the port names COM1/COM2 and where they lead
// (the installation folder's links), the devices present on the machine and the watch
// that tells when one comes or goes.
#pragma once

#include "serial/devices/PortDiscovery.h"
#include "serial/devices/PortLinks.h"
#include "serial/devices/PortNames.h"
#include "serial/devices/PortWatcher.h"
