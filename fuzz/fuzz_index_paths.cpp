// Index paths into record vectors and nested lists: GetMetaVar and remove on arbitrary paths
// never crash and never grow a list beyond the documented cap.
//
// A path may grow a list to any index below the cap, which costs a hundred thousand elements and
// keeps a run slow without reaching new code. The harness therefore applies only paths whose
// numbers are all small (below kSmallIndex) or at least the cap (refused by the library without
// growing anything); the growth itself is covered by the unit tests.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "drivesys/drivesys.h"
#include "drivesys/foundation/record_impl.h"

namespace {
class Leaf : public nMetaStruct {
    DS_RECORD(Leaf)
public:
    nWString name;
    std::vector<double> values;
};
class Branch : public nMetaStruct {
    DS_RECORD(Branch)
public:
    std::vector<Leaf> leaves;
    Axis point;
};
class Tree : public nMetaStruct {
    DS_RECORD(Tree)
public:
    std::vector<Branch> branches;
    std::vector<std::vector<Leaf>> grid;
};
}  // namespace

DS_DEFINE_RECORD(Leaf, nMetaStruct, DS_F(name), DS_F(values))
DS_DEFINE_RECORD(Branch, nMetaStruct, DS_F(leaves), DS_F(point))
DS_DEFINE_RECORD(Tree, nMetaStruct, DS_F(branches), DS_F_NODEF(grid))

namespace {
constexpr size_t kSmallIndex = 64;

/// True when every run of digits in the path reads as a number below kSmallIndex or at least the
/// cap (longer runs count as large).
bool cheapPath(const std::string& path) {
    size_t i = 0;
    while (i < path.size()) {
        if (!std::isdigit(static_cast<unsigned char>(path[i]))) {
            ++i;
            continue;
        }
        size_t value = 0;
        bool large = false;
        for (; i < path.size() && std::isdigit(static_cast<unsigned char>(path[i])); ++i) {
            if (value >= ds::kMaxIndexPathElements) large = true;
            else value = value * 10 + static_cast<size_t>(path[i] - '0');
        }
        if (!large && value >= kSmallIndex && value < ds::kMaxIndexPathElements) return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto silence = ntypes::setInternMessageHandler(nullptr);
    (void)silence;
    Tree tree;
    tree.branches.resize(2);
    const std::string text(reinterpret_cast<const char*>(data), size);
    // Several paths separated by newlines, each applied in turn.
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!cheapPath(line)) continue;
        const nWString path = nWString::fromUtf8(line);
        if (MetaVar* v = tree.GetMetaVar(path)) {
            (void)v->GetAsWString();
            v->SetVar(nWString(L"1"));
        }
        (void)tree.remove(path);
        (void)tree.getMeta()->GetVar("branches")->GetMetaVar(path);
        (void)tree.getMeta()->GetVar("grid")->GetMetaVar(path);
        (void)tree.getMeta()->GetVar("grid")->remove(path);
    }
    if (tree.branches.size() > ds::kMaxIndexPathElements || tree.grid.size() > ds::kMaxIndexPathElements) std::abort();
    for (const auto& row : tree.grid)
        if (row.size() > ds::kMaxIndexPathElements) std::abort();
    (void)tree.toJson().dump();
    return 0;
}
