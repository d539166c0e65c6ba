#pragma once
// drivesys: the system module's input screen, Meta_S020, and the records it describes held together.
#include "drivesys/module/module_screen.h"
#include "drivesys/module/meta_s020_records.h"
