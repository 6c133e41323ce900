// The stock block tool: a block feature at the orientation manipulator, a cube of the base size
// whose six faces the user pushes out with face handles; translucent while the dialog is up,
// opaque on Apply.
#pragma once
#include <array>
#include <NXOpen/NXString.hxx>
#include "common/styler_dialog.hpp"

namespace NXOpen {
class Part;
namespace Features { class Feature; class BlockFeatureBuilder; }
}  // namespace NXOpen

class boark : public StylerDialog<boark> {
public:
    boark();
    void initialize_cb();
    void dialogShown_cb();
    int apply_cb();
    int update_cb(NXOpen::BlockStyler::UIBlock* block);

    // Builds the block the first time, rebuilds the same feature afterwards.
    void creatBlock();
    void redefineFeature();
    void setBlockOrigin(NXOpen::Features::BlockFeatureBuilder* builder);
    void sethandle();
    // Up to 16 significant digits, no trailing zeros: the expression text of a length.
    static NXOpen::NXString doubleToNXString(double value);
    void visibility();
    void showOrCreate(int translucency);

private:
    void requireBlocks() const;
    std::array<NXOpen::BlockStyler::LinearDimension*, 6> dimensions() const;
    // Type, corner, orientation, lengths and handles from the blocks' current values.
    void defineBlock(NXOpen::Features::BlockFeatureBuilder* builder);

    NXOpen::BlockStyler::Group* group0 = nullptr;
    NXOpen::BlockStyler::SpecifyOrientation* manip0 = nullptr;
    NXOpen::BlockStyler::Group* group = nullptr;
    NXOpen::BlockStyler::DoubleBlock* double0 = nullptr;
    NXOpen::BlockStyler::Group* group3 = nullptr;
    NXOpen::BlockStyler::LinearDimension* dim_X1 = nullptr;
    NXOpen::BlockStyler::LinearDimension* dim_X2 = nullptr;
    NXOpen::BlockStyler::LinearDimension* dim_Y1 = nullptr;
    NXOpen::BlockStyler::LinearDimension* dim_Y2 = nullptr;
    NXOpen::BlockStyler::LinearDimension* dim_Z1 = nullptr;
    NXOpen::BlockStyler::LinearDimension* dim_Z2 = nullptr;

    bool created = false;
    NXOpen::Features::Feature* blockFeature = nullptr;
    double baseSize = 100.0;
    // The offsets as last read, in the order X1, X2, Y1, Y2, Z1, Z2.
    std::array<double, 6> offsets{};
    NXOpen::Part* workPart = nullptr;
    NXOpen::Part* displayPart = nullptr;
};
