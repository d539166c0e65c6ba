#pragma once
// drivesys housing family: the elastic-housing coupling and what it stands on (vectors,
// matrices, transformations, FE stiffness matrices and their file format), the housing-
// deformation results with their module variables, and the initial-offsets reader.
#include "drivesys/housing/housing_deformation.h"
#include "drivesys/housing/housingtexts.h"
#include "drivesys/housing/nfemcasing.h"
#include "drivesys/platform/nfem/festiffnessfile.h"
#include "drivesys/platform/nfem/festiffnessmatrix.h"
#include "drivesys/platform/nmath/ndimensions.h"
#include "drivesys/platform/nmath/nformat.h"
#include "drivesys/platform/nmath/nmatrix.h"
#include "drivesys/platform/nmath/ntransformation.h"
#include "drivesys/platform/nmath/nvektor.h"
