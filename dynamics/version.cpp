#include "drivesys/dynamics/entry_points.h"
