#pragma once
// NTransformationMatrix: a rigid coordinate transformation p' = R·p + t (R 3×3, t a vector).
//
// Frames are given by origin, x axis and y axis in a common reference system; the z axis is
// x × y. Two ways to build one:
//
// - From two frames A and B: the transformation that takes coordinates in A into coordinates in
//   B. A frame whose x and y axes are both zero (and origin zero) stands for the reference
//   system itself.
// - From three point pairs: the best-fit rigid motion (least squares, no scaling) that carries
//   the points A[i] onto the points B[i].
//
// `state()` reports how trustworthy the result is:
//   0  exact or good;
//   1  a three-point fit that deserves a warning: the largest residual |R·A[i] + t − B[i]|
//      exceeds 0.1 % of the point sets' extent (the longest distance between two points of A
//      or of B), or a point triple is (nearly) collinear, i.e. twice its triangle area is below
//      0.1 % of its squared longest edge, so the rotation about that line is undetermined;
//   2  degenerate: a frame's x axis is zero or parallel to its y axis, or a value is not
//      finite. R and t are then zero, and so is everything composed with or inverted from it.
#include <array>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nmath/nmatrix.h"
#include "drivesys/platform/nmath/nvektor.h"

class DRIVESYS_API NTransformationMatrix {
public:
    /// Identity.
    NTransformationMatrix();
    /// From frame A (xA, yA, originA) into frame B (xB, yB, originB). With `orthonormalize`
    /// true the axes are made orthonormal first (x normalised, z = x × y normalised, y = z × x);
    /// with false they are used as given, normalised only.
    NTransformationMatrix(const NVektor& xA, const NVektor& yA, bool orthonormalize, const NVektor& originA,
                          const NVektor& xB, const NVektor& yB, const NVektor& originB);
    /// Best-fit rigid motion carrying a[i] onto b[i] (Kabsch); see state().
    NTransformationMatrix(const std::array<NVektor, 3>& a, const std::array<NVektor, 3>& b);
    NTransformationMatrix(const NMatrix3x3& rotation, const NVektor& translation, int state = 0);

    /// Composition: (this * o)(p) = this(o(p)), the right operand applied first.
    NTransformationMatrix operator*(const NTransformationMatrix& o) const;
    /// Transforms a point.
    NVektor operator*(const NVektor& p) const;
    /// Applies only the rotation part (for directions and offsets).
    NVektor rotate(const NVektor& v) const { return r_ * v; }
    /// The inverse transformation (state 2 when R cannot be inverted).
    NTransformationMatrix Inverse() const;
    /// The rotation part.
    const NMatrix3x3& matrix() const { return r_; }
    const NVektor& translation() const { return t_; }
    int state() const { return state_; }

private:
    NMatrix3x3 r_;
    NVektor t_;
    int state_ = 0;
};
