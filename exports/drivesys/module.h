#pragma once
// drivesys: the system module's records (tabs, settings, thermal rating, ZF export, naming
// rules, default geometry).
#include "drivesys/module/default_geometry.h"
#include "drivesys/module/naming.h"
#include "drivesys/module/settings.h"
#include "drivesys/module/tabs.h"
#include "drivesys/module/thermal_rating.h"
#include "drivesys/module/zf_export.h"
