#pragma once
// The text file of a condensed housing stiffness matrix: units, node list, optional initial node
// offsets, matrix. The format is described in docs/file-formats.md; in short:
//
//   -- comment lines begin with two dashes
//   UNITS mm N
//   NODES
//   101 0 0 0               (node number, x, y, z; one line per node)
//   ...
//   INITIAL                 (optional: one line of six values per node, in node order)
//   ux uy uz rotx roty rotz
//   0 0 0 0 0 0
//   ...
//   STIFFNESS 6 LOWER       (DOF per node, 3 or 6; FULL rows or LOWER triangle rows)
//   k00
//   k10 k11
//   ...
//
// The reader reports every violation with its line number; it allocates in proportion to what
// the file holds, never to counts the file merely claims.
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

#include "drivesys/platform/drivesys_export.h"
#include "drivesys/platform/nfem/festiffnessmatrix.h"
#include "drivesys/platform/ntypes/nwstring.h"

/// A malformed or unreadable stiffness file; `line()` is 0 when no line is to blame.
class DRIVESYS_API FEStiffnessFileError : public std::runtime_error {
public:
    /// what(): "<source>: line <line>: <detail>", the parts that are empty or 0 left out.
    FEStiffnessFileError(size_t line, const std::string& detail, const std::string& source = {});
    size_t line() const { return line_; }
    const std::string& detail() const { return detail_; }

private:
    size_t line_;
    std::string detail_;
};

/// The contents of a stiffness file.
struct DRIVESYS_API FEStiffnessMatrixFile {
    FEStiffnessMatrixSystemOfUnits systemOfUnits;
    /// True when the file states its units (a UNITS line); otherwise they are the default mm N.
    bool unitsGiven = false;
    std::vector<unsigned> nodeNumbers;
    /// In the file's length unit.
    std::vector<NVektor> nodeCoords;
    /// Initial node offsets (length unit; rad), one per node, or both empty without INITIAL.
    std::vector<NVektor> initialTranslations;
    std::vector<NVektor> initialRotations;
    int dofPerNode = 6;
    /// Generalised coordinates after the nodes' DOF (STIFFNESS … MODES q), 0 without.
    size_t generalisedCoordinates = 0;
    NMatrix stiffness;
    /// The condensed mass matrix over the same DOF (MASS section; force unit · s² / length unit
    /// for translations, scaled as the stiffness), or empty without one.
    NMatrix mass;

    /// The definition of the matrix (copies it; use the rvalue form to hand it over). The mass
    /// matrix is not part of it.
    FEStiffnessMatrixDefs toDefs() const&;
    FEStiffnessMatrixDefs toDefs() &&;
};

/// What one line inside an INITIAL section is.
enum class FEInitialLine { Header, Row, Malformed };

/// Reads the fields of one line inside an INITIAL section: a first field "ux" is the column
/// header; six fields are a row, translation x, y, z then rotation x, y, z, each converted by
/// `number` and appended; anything else is malformed and changes nothing. Both readers of the
/// section read its lines through it: readFEStiffnessMatrix, which refuses a malformed line, and
/// the lenient readInitialOffsetsFEMFromFile, which ends the section there.
template <class Field, class Number>
FEInitialLine readFEInitialLine(const std::vector<Field>& fields, Number&& number, std::vector<NVektor>& translations,
                                std::vector<NVektor>& rotations) {
    if (!fields.empty() && fields[0] == "ux") return FEInitialLine::Header;
    if (fields.size() != 6) return FEInitialLine::Malformed;
    translations.emplace_back(number(fields[0]), number(fields[1]), number(fields[2]));
    rotations.emplace_back(number(fields[3]), number(fields[4]), number(fields[5]));
    return FEInitialLine::Row;
}

/// Reads a stiffness file (path in UTF-8 on this platform). Throws FEStiffnessFileError.
DRIVESYS_API FEStiffnessMatrixFile readFEStiffnessMatrixFile(const nWString& path);
DRIVESYS_API FEStiffnessMatrixFile readFEStiffnessMatrix(std::istream& in);

/// Writes the format: the comment lines first ("-- " is prepended), values as shortest
/// round-trip numbers, the matrices as lower-triangle rows when `lowerTriangle` is true. An
/// INITIAL section is written when the file holds initial offsets, a MASS section when it holds
/// a mass matrix. Throws std::invalid_argument when the contents do not fit together (counts,
/// DOF, square matrices of one size).
DRIVESYS_API void writeFEStiffnessMatrix(std::ostream& out, const FEStiffnessMatrixFile& file, bool lowerTriangle,
                                         const std::vector<std::string>& comments = {});
