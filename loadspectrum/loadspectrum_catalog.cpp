#include "foundation/catalog_impl.h"
#include "loadspectrum/loadspectrum_records.h"

namespace ds {
void addLoadSpectrumRecords(Catalog& catalog) { addRecords(catalog, LoadSpectrumRecords{}); }
}  // namespace ds
