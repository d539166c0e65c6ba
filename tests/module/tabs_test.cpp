// Tab records: equality, list order independent of storage order, the record-vector lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drivesys/drivesys.h"

namespace {
std::vector<std::string> metaNames(nMetaStruct& r) {
    std::vector<std::string> names;
    Meta* meta = r.getMeta();
    for (size_t i = 0; i < meta->GetNumberOfVars(); ++i) names.push_back(meta->GetVarAt(i)->GetName());
    return names;
}

size_t indexOf(const std::vector<std::string>& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return i;
    return names.size();
}

/// Whether `base` and a record changed by `change` compare unequal through both operators.
template <class T, class F> bool differs(const T& base, F change) {
    T other = base;
    change(other);
    return base != other && !(base == other);
}
}  // namespace

TEST(TabRecords, EqualityComparesTheInputs) {
    const nvModalAnalysisTab modal;
    EXPECT_TRUE(modal == nvModalAnalysisTab() && !(modal != nvModalAnalysisTab()));
    EXPECT_TRUE(differs(modal, [](nvModalAnalysisTab& t) { t.numEigenFrequencies = 6; }));
    EXPECT_TRUE(differs(modal, [](nvModalAnalysisTab& t) { t.solveOnlyTorsionalVibrations = true; }));
    EXPECT_TRUE(differs(modal, [](nvModalAnalysisTab& t) { t.considerGyroscopicEffects = true; }));
    EXPECT_TRUE(differs(modal, [](nvModalAnalysisTab& t) { t.gearMeshStiffnessCalcType = 1; }));

    // The Campbell tab ignores the number of resonance curves.
    const nvCampbellDiagramTab campbell;
    nvCampbellDiagramTab moreCurves;
    moreCurves.numResonanceCurves = 12;
    EXPECT_TRUE(campbell == moreCurves && !(campbell != moreCurves));
    EXPECT_TRUE(differs(campbell, [](nvCampbellDiagramTab& t) { t.numEigenFrequencies = 4; }));
    EXPECT_TRUE(differs(campbell, [](nvCampbellDiagramTab& t) { t.considerGyroscopicEffects = false; }));
    EXPECT_TRUE(differs(campbell, [](nvCampbellDiagramTab& t) { t.controlingBoundaryID = 42; }));
    EXPECT_TRUE(differs(campbell, [](nvCampbellDiagramTab& t) { t.numCalculationPoints = 3; }));
    EXPECT_TRUE(differs(campbell, [](nvCampbellDiagramTab& t) { t.speedMin = 1e-12; }));
    EXPECT_TRUE(differs(campbell, [](nvCampbellDiagramTab& t) { t.speedMax = 3000.0; }));
    EXPECT_TRUE(differs(campbell, [](nvCampbellDiagramTab& t) { t.gearMeshStiffnessCalcType = 2; }));
}

TEST(TabRecords, MetaFollowsTheListOrderNotTheStorageOrder) {
    nvLoadSpectrumTab spectrum;
    auto names = metaNames(spectrum);
    EXPECT_EQ(indexOf(names, "binIndex") + 1, indexOf(names, "nofCases"));
    EXPECT_EQ(spectrum.getMemberName(1), nWString(L"binIndex"));

    nvVariantElement variant;
    EXPECT_EQ(metaNames(variant), (std::vector<std::string>{"active", "elementId"}));

    nvReferenceValues reference;
    EXPECT_EQ(metaNames(reference), (std::vector<std::string>{"attribute", "elementId", "status", "value"}));

    nvZFGeneral general;
    EXPECT_EQ(metaNames(general).at(2), "nPrintfixZF");
    EXPECT_EQ(general.getMemberName(2), nWString(L"nPrintfixZF"));
}

TEST(TabRecords, ElementListsAreRecordVectorsOfDefaultElements) {
    nvLoadSpectrumTab tab;
    ASSERT_NE(tab.getMeta()->GetVar("elements"), nullptr);
    EXPECT_EQ(tab.getMeta()->GetVar("elements")->GetType(), nmath::kTypeRecordVector);
    // Addressing element 2 of an empty list grows it to three default elements.
    ASSERT_NE(tab.getMeta()->GetMetaVar(L"elements[2].elementId"), nullptr);
    ASSERT_EQ(tab.elements.size(), 3u);
    EXPECT_EQ(tab.elements[2].elementId, -1);
    EXPECT_TRUE(tab.elements[2].active);
}
