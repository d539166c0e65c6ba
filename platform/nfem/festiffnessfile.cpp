#include "drivesys/platform/nfem/festiffnessfile.h"
#include "drivesys/platform/nmath/nmatrix_impl.h"

#include <charconv>
#include <cmath>
#include <fmt/format.h>
#include <fstream>
#include <istream>
#include <ostream>
#include <string_view>
#include <unordered_set>

FEStiffnessFileError::FEStiffnessFileError(size_t line, const std::string& detail, const std::string& source)
    : std::runtime_error((source.empty() ? std::string() : source + ": ") +
                         (line ? fmt::format("line {}: ", line) : std::string()) + detail),
      line_(line),
      detail_(detail) {}

FEStiffnessMatrixDefs FEStiffnessMatrixFile::toDefs() const& {
    FEStiffnessMatrixDefs defs;
    defs.setStiffnessMatrix(stiffness);
    defs.nodeNumbers = nodeNumbers;
    defs.nodeCoords = nodeCoords;
    defs.systemOfUnits = systemOfUnits;
    defs.sixDofNodes = dofPerNode == 6;
    defs.generalisedCoordinates = generalisedCoordinates;
    return defs;
}

FEStiffnessMatrixDefs FEStiffnessMatrixFile::toDefs() && {
    FEStiffnessMatrixDefs defs;
    defs.setStiffnessMatrix(std::move(stiffness));
    defs.nodeNumbers = std::move(nodeNumbers);
    defs.nodeCoords = std::move(nodeCoords);
    defs.systemOfUnits = systemOfUnits;
    defs.sixDofNodes = dofPerNode == 6;
    defs.generalisedCoordinates = generalisedCoordinates;
    return defs;
}

namespace {
bool isSeparator(char c) { return c == ' ' || c == '\t' || c == ';' || c == ',' || c == '\r'; }

std::vector<std::string_view> tokens(std::string_view line) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isSeparator(line[i])) ++i;
        const size_t start = i;
        while (i < line.size() && !isSeparator(line[i])) ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

/// Generalised coordinates a file may declare (MODES): far more than any reduced housing has.
constexpr size_t kMaxModes = 1000000;

class Reader {
public:
    explicit Reader(std::istream& in) : in_(in) {}
    FEStiffnessMatrixFile read();

private:
    enum class Section { Header, Nodes, Initial, Stiffness, AfterStiffness, Mass, Done };
    /// One matrix section as it is read: its layout and the values of its rows, packed.
    struct MatrixSection {
        const char* name = "";
        bool lower = false;
        size_t rowsRead = 0;
        std::vector<double> packed;
    };

    [[noreturn]] void fail(const std::string& what) const { throw FEStiffnessFileError(lineNo_, what); }
    double number(std::string_view t) const {
        double v = 0.0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (ec != std::errc() || end != t.data() + t.size()) fail(fmt::format("'{}' is not a number", t));
        if (!std::isfinite(v)) fail(fmt::format("'{}' is not a finite number", t));
        return v;
    }
    unsigned nodeNumber(std::string_view t) const {
        unsigned v = 0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
        if (ec != std::errc() || end != t.data() + t.size())
            fail(fmt::format("node number '{}' is not an unsigned integer", t));
        return v;
    }
    /// Reads "<KEY> <dof> [FULL|LOWER] [MODES <count>]" into dof, layout and count.
    void matrixHeader(const std::vector<std::string_view>& t, int& dof, bool& lower, size_t& modes) const;
    void startStiffness(const std::vector<std::string_view>& t);
    void startMass(const std::vector<std::string_view>& t);
    /// Appends one row line to the section; true when it was the last row.
    bool matrixRow(const std::vector<std::string_view>& t, MatrixSection& m);
    NMatrix unpack(const MatrixSection& m) const;
    void finishInitial();

    std::istream& in_;
    size_t lineNo_ = 0;
    FEStiffnessMatrixFile file_;
    Section section_ = Section::Header;
    size_t dofs_ = 0;
    MatrixSection stiffness_{"stiffness", false, 0, {}}, mass_{"mass", false, 0, {}};
    std::unordered_set<unsigned> numbers_;
};

void Reader::finishInitial() {
    if (section_ == Section::Initial && file_.initialTranslations.size() != file_.nodeCoords.size())
        fail(fmt::format("INITIAL has {} rows but there are {} nodes", file_.initialTranslations.size(),
                         file_.nodeCoords.size()));
}

void Reader::matrixHeader(const std::vector<std::string_view>& t, int& dof, bool& lower, size_t& modes) const {
    const std::string usage = fmt::format("expected '{} <dof per node> [FULL|LOWER] [MODES <count>]'", t[0]);
    if (t.size() < 2 || t.size() > 5) fail(usage);
    if (t[1] == "6") dof = 6;
    else if (t[1] == "3") dof = 3;
    else fail(fmt::format("DOF per node must be 3 or 6, not '{}'", t[1]));
    size_t i = 2;
    lower = false;
    if (i < t.size() && t[i] != "MODES") {
        if (t[i] == "LOWER") lower = true;
        else if (t[i] != "FULL") fail(fmt::format("matrix layout must be FULL or LOWER, not '{}'", t[i]));
        ++i;
    }
    modes = 0;
    if (i < t.size()) {
        if (t[i] != "MODES" || i + 2 != t.size()) fail(usage);
        const std::string_view q = t[i + 1];
        const auto [end, ec] = std::from_chars(q.data(), q.data() + q.size(), modes);
        if (ec != std::errc() || end != q.data() + q.size() || modes > kMaxModes)
            fail(fmt::format("MODES takes a count of generalised coordinates from 0 to {}, not '{}'", kMaxModes, q));
    }
}

void Reader::startStiffness(const std::vector<std::string_view>& t) {
    if (section_ == Section::Header) fail("STIFFNESS before NODES");
    finishInitial();
    if (file_.nodeCoords.empty()) fail("the NODES section lists no node");
    matrixHeader(t, file_.dofPerNode, stiffness_.lower, file_.generalisedCoordinates);
    dofs_ = file_.nodeCoords.size() * static_cast<size_t>(file_.dofPerNode) + file_.generalisedCoordinates;
    section_ = Section::Stiffness;
}

void Reader::startMass(const std::vector<std::string_view>& t) {
    int dof = 0;
    size_t modes = 0;
    matrixHeader(t, dof, mass_.lower, modes);
    if (dof != file_.dofPerNode || modes != file_.generalisedCoordinates)
        fail(fmt::format("MASS has {} DOF per node and {} generalised coordinates, STIFFNESS {} and {}: the two matrices "
                         "must have the same layout",
                         dof, modes, file_.dofPerNode, file_.generalisedCoordinates));
    section_ = Section::Mass;
}

bool Reader::matrixRow(const std::vector<std::string_view>& t, MatrixSection& m) {
    const size_t expected = m.lower ? m.rowsRead + 1 : dofs_;
    if (t.size() != expected) fail(fmt::format("{} row {} needs {} values, found {}", m.name, m.rowsRead + 1, expected, t.size()));
    for (const auto& v : t) m.packed.push_back(number(v));
    return ++m.rowsRead == dofs_;
}

NMatrix Reader::unpack(const MatrixSection& s) const {
    const auto m = static_cast<Eigen::Index>(dofs_);
    NMatrix out;
    out.resize(dofs_, dofs_, true);
    auto k = nmath::eigenView(out);
    size_t p = 0;
    for (Eigen::Index r = 0; r < m; ++r) {
        const Eigen::Index cols = s.lower ? r + 1 : m;
        for (Eigen::Index c = 0; c < cols; ++c) {
            k(r, c) = s.packed[p++];
            if (s.lower) k(c, r) = k(r, c);
        }
    }
    return out;
}

FEStiffnessMatrixFile Reader::read() {
    std::string line;
    while (std::getline(in_, line)) {
        ++lineNo_;
        const auto t = tokens(line);
        if (t.empty() || t[0].substr(0, 2) == "--") continue;
        const std::string_view key = t[0];
        switch (section_) {
            case Section::Header:
                if (key == "UNITS") {
                    if (file_.unitsGiven) fail("UNITS given twice");
                    if (t.size() != 3) fail("expected 'UNITS <length> <force>', e.g. 'UNITS mm N'");
                    if (!file_.systemOfUnits.setFromSymbols(std::string(t[1]), std::string(t[2])))
                        fail(fmt::format("unknown units '{} {}' (length: m, cm, mm, um, in, ft; force: N, kN, MN, lbf)", t[1],
                                         t[2]));
                    file_.unitsGiven = true;
                } else if (key == "NODES") {
                    section_ = Section::Nodes;
                } else if (key.substr(0, 3) == "\xEF\xBB\xBF") {
                    fail(fmt::format("a UTF-8 byte-order mark (EF BB BF) stands before '{}'; save the file without one",
                                     key.substr(3)));
                } else {
                    fail(fmt::format("expected UNITS or NODES, found '{}'", key));
                }
                break;
            case Section::Nodes:
            case Section::Initial:
                if (key == "MASS") fail("MASS before STIFFNESS: the mass matrix follows the stiffness rows");
                if (key == "STIFFNESS") {
                    startStiffness(t);
                } else if (key == "INITIAL") {
                    if (section_ == Section::Initial) fail("INITIAL given twice");
                    section_ = Section::Initial;
                } else if (section_ == Section::Nodes) {
                    if (t.size() != 4) fail(fmt::format("a node row needs 4 values (number x y z), found {}", t.size()));
                    const unsigned n = nodeNumber(t[0]);
                    if (!numbers_.insert(n).second) fail(fmt::format("node number {} appears twice", n));
                    file_.nodeNumbers.push_back(n);
                    file_.nodeCoords.emplace_back(number(t[1]), number(t[2]), number(t[3]));
                } else {
                    const FEInitialLine kind = readFEInitialLine(
                        t, [this](std::string_view v) { return number(v); }, file_.initialTranslations,
                        file_.initialRotations);
                    if (kind == FEInitialLine::Malformed)
                        fail(fmt::format("an INITIAL row needs 6 values (ux uy uz rotx roty rotz), found {}", t.size()));
                    if (file_.initialTranslations.size() > file_.nodeCoords.size())
                        fail(fmt::format("INITIAL has more rows than the {} nodes", file_.nodeCoords.size()));
                }
                break;
            case Section::Stiffness:
                if (matrixRow(t, stiffness_)) section_ = Section::AfterStiffness;
                break;
            case Section::AfterStiffness:
                if (key != "MASS") fail("unexpected content after the last stiffness row (only a MASS section may follow)");
                startMass(t);
                break;
            case Section::Mass:
                if (matrixRow(t, mass_)) section_ = Section::Done;
                break;
            case Section::Done:
                fail("unexpected content after the last mass row");
        }
    }
    if (in_.bad()) throw FEStiffnessFileError(0, "read error");
    if (section_ == Section::Header || section_ == Section::Nodes || section_ == Section::Initial)
        throw FEStiffnessFileError(0, "the file has no STIFFNESS section");
    if (section_ == Section::Stiffness)
        throw FEStiffnessFileError(0, fmt::format("the file ends after {} of {} stiffness rows", stiffness_.rowsRead, dofs_));
    if (section_ == Section::Mass)
        throw FEStiffnessFileError(0, fmt::format("the file ends after {} of {} mass rows", mass_.rowsRead, dofs_));

    file_.stiffness = unpack(stiffness_);
    stiffness_.packed = {};
    if (section_ == Section::Done) file_.mass = unpack(mass_);
    return std::move(file_);
}
}  // namespace

FEStiffnessMatrixFile readFEStiffnessMatrix(std::istream& in) { return Reader(in).read(); }

FEStiffnessMatrixFile readFEStiffnessMatrixFile(const nWString& path) {
    std::ifstream in(path.toUtf8(), std::ios::binary);
    if (!in) throw FEStiffnessFileError(0, "cannot open the file", path.toUtf8());
    try {
        return readFEStiffnessMatrix(in);
    } catch (const FEStiffnessFileError& e) {
        throw FEStiffnessFileError(e.line(), e.detail(), path.toUtf8());
    }
}

void writeFEStiffnessMatrix(std::ostream& out, const FEStiffnessMatrixFile& file, bool lowerTriangle,
                            const std::vector<std::string>& comments) {
    const size_t nodes = file.nodeCoords.size();
    const size_t dof = static_cast<size_t>(file.dofPerNode);
    if (dof != 3 && dof != 6) throw std::invalid_argument("DOF per node must be 3 or 6");
    if (nodes == 0) throw std::invalid_argument("a stiffness file needs at least one node");
    if (file.nodeNumbers.size() != nodes) throw std::invalid_argument("one node number per node is needed");
    const bool initial = !file.initialTranslations.empty() || !file.initialRotations.empty();
    if (initial && (file.initialTranslations.size() != nodes || file.initialRotations.size() != nodes))
        throw std::invalid_argument("initial offsets need one translation and one rotation per node");
    const size_t m = nodes * dof + file.generalisedCoordinates;
    if (file.stiffness.numRows() != m || file.stiffness.numCols() != m)
        throw std::invalid_argument("the stiffness matrix does not have DOF × nodes + generalised coordinates rows and columns");
    const bool mass = !file.mass.isEmpty();
    if (mass && (file.mass.numRows() != m || file.mass.numCols() != m))
        throw std::invalid_argument("the mass matrix does not have the size of the stiffness matrix");
    const std::string length = file.systemOfUnits.lengthSymbol();
    const std::string force = file.systemOfUnits.forceSymbol();
    if (length.empty() || force.empty()) throw std::invalid_argument("unknown unit code");

    fmt::memory_buffer buf;
    auto flush = [&] {
        out.write(buf.data(), static_cast<std::streamsize>(buf.size()));
        buf.clear();
    };
    for (const auto& c : comments) fmt::format_to(std::back_inserter(buf), "-- {}\n", c);
    fmt::format_to(std::back_inserter(buf), "UNITS {} {}\nNODES\n-- number x y z\n", length, force);
    for (size_t i = 0; i < nodes; ++i) {
        const NVektor& p = file.nodeCoords[i];
        fmt::format_to(std::back_inserter(buf), "{} {} {} {}\n", file.nodeNumbers[i], p.x, p.y, p.z);
    }
    // Single blanks and no blank lines inside INITIAL: the offsets reader splits on one blank.
    if (initial) {
        fmt::format_to(std::back_inserter(buf), "INITIAL\nux uy uz rotx roty rotz\n");
        for (size_t i = 0; i < nodes; ++i) {
            const NVektor& t = file.initialTranslations[i];
            const NVektor& r = file.initialRotations[i];
            fmt::format_to(std::back_inserter(buf), "{} {} {} {} {} {}\n", t.x, t.y, t.z, r.x, r.y, r.z);
        }
    }
    const std::string modes = file.generalisedCoordinates ? fmt::format(" MODES {}", file.generalisedCoordinates) : std::string();
    auto matrix = [&](const char* key, const NMatrix& a) {
        fmt::format_to(std::back_inserter(buf), "{} {} {}{}\n", key, dof, lowerTriangle ? "LOWER" : "FULL", modes);
        flush();
        for (size_t r = 0; r < m; ++r) {
            const size_t cols = lowerTriangle ? r + 1 : m;
            for (size_t c = 0; c < cols; ++c) {
                if (c) buf.push_back(' ');
                fmt::format_to(std::back_inserter(buf), "{}", a(r, c));
            }
            buf.push_back('\n');
            flush();
        }
    };
    matrix("STIFFNESS", file.stiffness);
    if (mass) matrix("MASS", file.mass);
}
