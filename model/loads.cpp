#include "drivesys/model/loads.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(MagneticForce, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(IdCloneRef), DS_F(pos),
                 DS_F(posFlag), DS_F(width), DS_F(torque), DS_F(speed), DS_F(relSpeed), DS_F(isTorqueInput),
                 DS_F(isDriven), DS_F(forceX), DS_F(forceY), DS_F(forceZ), DS_F(momentX), DS_F(momentZ),
                 DS_F(referenceForceX), DS_F(referenceForceY), DS_F(referenceForceZ), DS_F(referenceMomentX),
                 DS_F(referenceMomentZ), DS_F(spectrumForceX), DS_F(spectrumForceY), DS_F(spectrumForceZ),
                 DS_F(spectrumMomentX), DS_F(spectrumMomentZ), DS_F(isInForceTransfer), DS_F(da), DS_F(di),
                 DS_F(orientation), DS_F(dotId), DS_F(referenceTorque), DS_F(spectrumTorque), DS_F(referenceDriven),
                 DS_F(spectrumDriven), DS_F(color), DS_F(opacity), DS_F(loadSpectrum), DS_F(itemType))

DS_DEFINE_RECORD(CentricalLoad, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(IdCloneRef), DS_F(pos),
                 DS_F(posFlag), DS_F(width), DS_F(torque), DS_F(forceX), DS_F(forceY), DS_F(forceZ), DS_F(momentX),
                 DS_F(momentZ), DS_F(referenceForceX), DS_F(referenceForceY), DS_F(referenceForceZ),
                 DS_F(referenceMomentX), DS_F(referenceMomentZ), DS_F(spectrumForceX), DS_F(spectrumForceY),
                 DS_F(spectrumForceZ), DS_F(spectrumMomentX), DS_F(spectrumMomentZ), DS_F(isInForceTransfer),
                 DS_F(speed), DS_F(relSpeed), DS_F(isTorqueInput), DS_F(isDriven), DS_F(da), DS_F(di),
                 DS_F(orientation), DS_F(dotId), DS_F(referenceTorque), DS_F(spectrumTorque), DS_F(referenceDriven),
                 DS_F(spectrumDriven), DS_F(color), DS_F(opacity), DS_F(loadSpectrum), DS_F(itemType))

DS_DEFINE_RECORD(ExcentricalLoad, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(IdCloneRef), DS_F(pos),
                 DS_F(posX), DS_F(posZ), DS_F(posR), DS_F(posFlag), DS_F(anglePhi), DS_F(isPolarInput), DS_F(width),
                 DS_F(torque), DS_F(speed), DS_F(relSpeed), DS_F(isTorqueInput), DS_F(isDriven), DS_F(forceX),
                 DS_F(forceY), DS_F(forceZ), DS_F(momentX), DS_F(momentZ), DS_F(referenceForceX),
                 DS_F(referenceForceY), DS_F(referenceForceZ), DS_F(referenceMomentX), DS_F(referenceMomentZ),
                 DS_F(spectrumForceX), DS_F(spectrumForceY), DS_F(spectrumForceZ), DS_F(spectrumMomentX),
                 DS_F(spectrumMomentZ), DS_F(isInForceTransfer), DS_F(da), DS_F(di), DS_F(orientation), DS_F(dotId),
                 DS_F(referenceTorque), DS_F(spectrumTorque), DS_F(referenceDriven), DS_F(spectrumDriven),
                 DS_F(color), DS_F(opacity), DS_F(loadSpectrum), DS_F(itemType))

DS_DEFINE_RECORD(AdditionalMass, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(IdCloneRef), DS_F(pos),
                 DS_F(posFlag), DS_F(width), DS_F(da), DS_F(di), DS_F(speed), DS_F(relSpeed), DS_F(torque),
                 DS_F(forceX), DS_F(forceY), DS_F(forceZ), DS_F(momentX), DS_F(momentZ), DS_F(referenceForceX),
                 DS_F(referenceForceY), DS_F(referenceForceZ), DS_F(referenceMomentX), DS_F(referenceMomentZ),
                 DS_F(spectrumForceX), DS_F(spectrumForceY), DS_F(spectrumForceZ), DS_F(spectrumMomentX),
                 DS_F(spectrumMomentZ), DS_F(isInForceTransfer), DS_F(orientation), DS_F(dotId),
                 DS_F(referenceTorque), DS_F(spectrumTorque), DS_F(referenceDriven), DS_F(spectrumDriven),
                 DS_F(color), DS_F(opacity), DS_F(loadSpectrum), DS_F(itemType))
