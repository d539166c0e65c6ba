#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/loadspectrum/load_spectrum_import.h"

namespace ds {
void addLoadSpectrumRecords(Catalog& catalog) {
    addRecords<nZFLKimport, nZFLKfileData, channelData>(catalog);
}
}  // namespace ds
