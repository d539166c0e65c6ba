#pragma once
// drivesys housing family: the elastic-housing coupling and what it stands on (vectors,
// matrices, transformations, FE stiffness matrices and their file format), the housing-
// deformation results with their module variables, and the initial-offsets reader.
#include "housing/housing_deformation.h"
#include "housing/housingtexts.h"
#include "housing/nfemcasing.h"
#include "platform/nfem/festiffnessfile.h"
#include "platform/nfem/festiffnessmatrix.h"
#include "platform/nmath/ndimensions.h"
#include "platform/nmath/nformat.h"
#include "platform/nmath/nmatrix.h"
#include "platform/nmath/ntransformation.h"
#include "platform/nmath/nvektor.h"
