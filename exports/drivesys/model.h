#pragma once
// drivesys model: the element records of a drive train, the sample gearbox and the model file.
#include "platform/nmath/ncolor.h"
#include "model/bearings.h"
#include "model/connections.h"
#include "model/couplings.h"
#include "model/gears.h"
#include "model/housing_elements.h"
#include "model/loads.h"
#include "model/model_file.h"
#include "model/ndofspectrum.h"
#include "model/sample_gearbox.h"
#include "model/shafts.h"
