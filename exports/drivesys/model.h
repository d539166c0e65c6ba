#pragma once
// drivesys model: the element records of a drive train and the model file.
#include "drivesys/platform/nmath/ncolor.h"
#include "drivesys/model/bearings.h"
#include "drivesys/model/connections.h"
#include "drivesys/model/couplings.h"
#include "drivesys/model/gears.h"
#include "drivesys/model/housing_elements.h"
#include "drivesys/model/loads.h"
#include "drivesys/model/model_file.h"
#include "drivesys/model/ndofspectrum.h"
#include "drivesys/model/shafts.h"
