#include "drivesys/model/bearings.h"

#include "drivesys/foundation/record_impl.h"

DS_DEFINE_RECORD(Bearing, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(dbid), DS_F(comment),
                 DS_F(identifier), DS_F(fixation), DS_F(di), DS_F(da), DS_F(width), DS_F(tId), DS_F(bId),
                 DS_F(posInner), DS_F(posOuter), DS_F(posGroup), DS_F(posFlag), DS_F(isConnecting),
                 DS_F(IdElementInner), DS_F(IdElementOuter), DS_F(itemType), DS_F(speed), DS_F(dotId),
                 DS_F(IdCloneRef), DS_F(color), DS_F(opacity), DS_F(dotId2))

DS_DEFINE_RECORD(JournalBearing, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(fixation), DS_F(di), DS_F(da),
                 DS_F(width), DS_F(stiffness), DS_F(posInner), DS_F(posOuter), DS_F(posGroup), DS_F(posFlag),
                 DS_F(isConnecting), DS_F(IdElementInner), DS_F(IdElementOuter), DS_F(speed), DS_F(itemType),
                 DS_F(dotId), DS_F(IdCloneRef), DS_F(color), DS_F(opacity), DS_F(dotId2))

// statusRy, stiffnessRy and isSelected stay out of the list on purpose.
DS_DEFINE_RECORD(Support, AnnotatedData, DS_F(Id), DS_F(name), DS_F(Type), DS_F(fixation), DS_F(di), DS_F(da),
                 DS_F(width), DS_F(posInner), DS_F(posOuter), DS_F(posGroup), DS_F(posFlag), DS_F(isConnecting),
                 DS_F(isThrustConeBearing), DS_F(referenceGear), DS_F(referenceMesh), DS_F(isReferenceGearUsed),
                 DS_F(radiusToContact), DS_F(isRadiusToContactUsed), DS_F(positionOfContact),
                 DS_F(IdElementInner), DS_F(IdElementOuter), DS_F(statusUx), DS_F(statusUy), DS_F(statusUz),
                 DS_F(statusRx), DS_F(statusRz), DS_F(speed), DS_F(itemType), DS_F(dotId), DS_F(IdCloneRef),
                 DS_F(color), DS_F(opacity), DS_F(dotId2))
