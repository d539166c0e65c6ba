#include "drivesys/model/ndofspectrum.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(NDofSpectrum, nMetaStruct, DS_F(spectrumId),
                 DS_F(considerUx), DS_F(referenceUx), DS_F(spectrumUx),
                 DS_F(considerUy), DS_F(referenceUy), DS_F(spectrumUy),
                 DS_F(considerUz), DS_F(referenceUz), DS_F(spectrumUz),
                 DS_F(considerRx), DS_F(referenceRx), DS_F(spectrumRx),
                 DS_F(considerRy), DS_F(referenceRy), DS_F(spectrumRy),
                 DS_F(considerRz), DS_F(referenceRz), DS_F(spectrumRz))
