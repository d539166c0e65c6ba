#pragma once
// drivesys: the umbrella header. A host includes this one header.
#include "platform/drivesys_export.h"
#include "platform/ntypes/internmessage.h"
#include "platform/ntypes/nwstring.h"
#include "platform/ntypes/translator.h"
#include "platform/ncore/nfile.h"
#include "platform/nmath/meta.h"
#include "platform/nmath/metavar.h"
#include "platform/nmath/nmetastruct.h"
#include "platform/nmath/structregistry.h"
#include "foundation/catalog.h"
#include "foundation/geometry.h"
#include "foundation/record.h"
