#pragma once
// The load-spectrum import's record family.
#include "drivesys/foundation/type_list.h"
#include "drivesys/loadspectrum/load_spectrum_import.h"

namespace ds {
class Catalog;

using LoadSpectrumRecords = TypeList<nZFLKimport, nZFLKfileData, channelData>;

/// Adds LoadSpectrumRecords to `catalog`.
void addLoadSpectrumRecords(Catalog& catalog);
}  // namespace ds
