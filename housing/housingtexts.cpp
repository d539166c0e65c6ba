#include "drivesys/housing/housingtexts.h"

#include <mutex>

#include "drivesys/platform/ntypes/translator.h"

namespace housing_texts {
void ensureRegistered() {
    static std::once_flag once;
    std::call_once(once, [] {
        ntypes::addBuiltinTexts({
            {kUnmappedNodesHeading,
             L"These FE nodes carry no bearing and are removed from the housing stiffness matrix "
             L"(nearest bearing point and offset from the node to it in shaft axes):"},
            {kNoBearingMapped,
             L"No bearing point lies within the maximum mapping distance of an FE node, so the housing stiffness "
             L"cannot be coupled to the shafts. Check the maximum mapping distance and the position of the FE model."},
            {kUnmappedNodeLine, L"Node {0}: nearest bearing point at {1}, offset ({2}, {3}, {4})"},
            {kUnmappedNodesClosing,
             L"If a bearing should sit on one of these nodes, check the maximum mapping distance and the position of "
             L"the FE model. Continue with the nodes removed?"},
            {kThreePointsDistanceMismatch,
             L"The distance between points {1} and {2} differs by {0} between the two point sets: the points do not "
             L"describe the same rigid body."},
            {kThreePointsPoorFit,
             L"The three point pairs fit a rigid motion only approximately (the points are nearly collinear or the "
             L"two point sets differ in shape). Check the resulting coordinate system."},
        });
    });
}
}  // namespace housing_texts
