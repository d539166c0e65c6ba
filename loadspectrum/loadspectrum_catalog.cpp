#include "drivesys/foundation/catalog_impl.h"
#include "drivesys/loadspectrum/loadspectrum_records.h"

namespace ds {
void addLoadSpectrumRecords(Catalog& catalog) { addRecords(catalog, LoadSpectrumRecords{}); }
}  // namespace ds
