#include "drivesys/drivesys.h"
