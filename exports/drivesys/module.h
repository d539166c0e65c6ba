#pragma once
// drivesys: the system module's records (tabs, settings, thermal rating, ZF export, naming
// rules, default geometry).
#include "module/default_geometry.h"
#include "module/naming.h"
#include "module/settings.h"
#include "module/tabs.h"
#include "module/thermal_rating.h"
#include "module/zf_export.h"
