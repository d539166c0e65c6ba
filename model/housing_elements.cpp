#include "drivesys/model/housing_elements.h"

#include "drivesys/foundation/record_impl.h"

// color and opacity stay out of the list on purpose.
DS_DEFINE_RECORD(Housing, nMetaStruct, DS_F(Id), DS_F(name), DS_F(stiffnessMatrixFileName), DS_F(stepModelFileName),
                 DS_F_NODEF(parasolidPart), DS_F(housingSystemOfUnits), DS_F(housingInitialUnits),
                 DS_F(housingTolerance), DS_F(housingMaxNumberOfIterations), DS_F(Type),
                 DS_F(isUsedForHousingDeformation), DS_F(pos), DS_F_NODEF(nSys), DS_F(calculatePosition),
                 DS_F(housingType), DS_F(boxLength), DS_F(boxWidth), DS_F(boxHeight), DS_F(cylinderlength),
                 DS_F(cylinderLengthDirection), DS_F(cylinderDiameter), DS_F(positionReference), DS_F(positionR),
                 DS_F(positionTheta), DS_F(positionPhi), DS_F(axisRotationReference), DS_F(axisRotationThetaX),
                 DS_F(axisRotationThetaY), DS_F(axisRotationThetaZ), DS_F(IdCloneRef), DS_F(nodeIds),
                 DS_F(nodeBearingIds), DS_F(nodeXCoords), DS_F(nodeYCoords), DS_F(nodeZCoords), DS_F(housingMaterial),
                 DS_F(isVisibleIn3D), DS_F(showNodes))

DS_DEFINE_RECORD(Boundary, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(element), DS_F(power), DS_F(torque),
                 DS_F(speed), DS_F(relSpeed), DS_F(spectrumPower), DS_F(spectrumSpeed), DS_F(spectrumTorque),
                 DS_F(IdElement), DS_F(considerPower), DS_F(considerTorque), DS_F(considerSpeed), DS_F(powerStates),
                 DS_F(torqueStates), DS_F(speedStates), DS_F(powerValues), DS_F(torqueValues), DS_F(speedValues),
                 DS_F(dotId), DS_F(referenceId), DS_F(IdCloneRef), DS_F(itemType))

DS_DEFINE_RECORD(Group, nMetaStruct, DS_F(Id), DS_F(name), DS_F(Type), DS_F(autoFill), DS_F(IdCloneRef))

DS_DEFINE_RECORD(SketcherDot, nMetaStruct, DS_F(Id), DS_F(name), DS_F(Type), DS_F(itemType), DS_F(x), DS_F(y),
                 DS_F(shaftId), DS_F(connectedLoss), DS_F(IdCloneRef), DS_F(connectedItem))
