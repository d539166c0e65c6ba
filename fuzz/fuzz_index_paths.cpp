// Index paths into record vectors and nested lists: GetMetaVar and remove on arbitrary paths
// never crash and never grow a list beyond the documented cap.
#include <cstdint>
#include <cstdlib>

#include "drivesys/drivesys.h"
#include "foundation/record_impl.h"

namespace {
class Leaf : public nMetaStruct {
    DS_RECORD(Leaf)
    nWString name;
    std::vector<double> values;
};
class Branch : public nMetaStruct {
    DS_RECORD(Branch)
    std::vector<Leaf> leaves;
    Axis point;
};
class Tree : public nMetaStruct {
    DS_RECORD(Tree)
    std::vector<Branch> branches;
    std::vector<std::vector<Leaf>> grid;
};
}  // namespace

DS_DEFINE_RECORD(Leaf, nMetaStruct, DS_F(name), DS_F(values))
DS_DEFINE_RECORD(Branch, nMetaStruct, DS_F(leaves), DS_F(point))
DS_DEFINE_RECORD(Tree, nMetaStruct, DS_F(branches), DS_F_NODEF(grid))

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
        const nWString path = nWString::fromUtf8(text.substr(start, end - start));
        if (MetaVar* v = tree.GetMetaVar(path)) {
            (void)v->GetAsWString();
            v->SetVar(nWString(L"1"));
        }
        (void)tree.remove(path);
        (void)tree.getMeta()->GetVar("branches")->GetMetaVar(path);
        (void)tree.getMeta()->GetVar("grid")->GetMetaVar(path);
        (void)tree.getMeta()->GetVar("grid")->remove(path);
        start = end + 1;
    }
    if (tree.branches.size() > ds::kMaxIndexPathElements || tree.grid.size() > ds::kMaxIndexPathElements) std::abort();
    for (const auto& row : tree.grid)
        if (row.size() > ds::kMaxIndexPathElements) std::abort();
    (void)tree.toJson().dump();
    return 0;
}
