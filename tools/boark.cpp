#include "tools/boark.hpp"
#include <algorithm>
#include <memory>
#include <sstream>
#include <vector>
#include <NXOpen/DisplayModification.hxx>
#include <NXOpen/Features_BlockFeatureBuilder.hxx>
#include <NXOpen/Features_Feature.hxx>
#include <NXOpen/ModelingViewCollection.hxx>
#include <NXOpen/Part.hxx>
#include <NXOpen/PartCollection.hxx>
#include <NXOpen/Session.hxx>
#include <NXOpen/TaggedObject.hxx>
#include <NXOpen/Update.hxx>
#include <uf_mtx.h>
#include "common/uf_bracket.hpp"

using namespace NXOpen::BlockStyler;
using NXOpen::Features::BlockFeatureBuilder;

namespace {

struct Destroy {
    void operator()(BlockFeatureBuilder* builder) const { builder->Destroy(); }
};
// A builder is destroyed however the build ends, a refused commit too.
using Builder = std::unique_ptr<BlockFeatureBuilder, Destroy>;

struct Dispose {
    void operator()(NXOpen::DisplayModification* modification) const { modification->Dispose(); }
};

void toArray(const NXOpen::Point3d& p, double a[3]) {
    a[0] = p.X;
    a[1] = p.Y;
    a[2] = p.Z;
}
void toArray(const NXOpen::Vector3d& v, double a[3]) {
    a[0] = v.X;
    a[1] = v.Y;
    a[2] = v.Z;
}

}  // namespace

boark::boark() : StylerDialog("boark.dlx") {
    theDialog->AddApplyHandler(NXOpen::make_callback(this, &boark::apply_cb));
    theDialog->AddOkHandler(NXOpen::make_callback(this, &boark::ok_cb));
    theDialog->AddUpdateHandler(NXOpen::make_callback(this, &boark::update_cb));
    theDialog->AddInitializeHandler(NXOpen::make_callback(this, &boark::initialize_cb));
    theDialog->AddDialogShownHandler(NXOpen::make_callback(this, &boark::dialogShown_cb));
}

void boark::initialize_cb() {
    guard([&] {
        group0 = block<Group>("group0");
        manip0 = block<SpecifyOrientation>("manip0");
        group = block<Group>("group");
        double0 = block<DoubleBlock>("double0");
        group3 = block<Group>("group3");
        dim_X1 = block<LinearDimension>("dim_X1");
        dim_X2 = block<LinearDimension>("dim_X2");
        dim_Y1 = block<LinearDimension>("dim_Y1");
        dim_Y2 = block<LinearDimension>("dim_Y2");
        dim_Z1 = block<LinearDimension>("dim_Z1");
        dim_Z2 = block<LinearDimension>("dim_Z2");
        workPart = theSession->Parts()->Work();
        displayPart = theSession->Parts()->Display();
        created = false;
        blockFeature = nullptr;
        requireBlocks();
    });
}

void boark::requireBlocks() const {
    StylerDialog::requireBlocks({{manip0, "manip0"}, {double0, "double0"}, {group3, "group3"}, {dim_X1, "dim_X1"}, {dim_X2, "dim_X2"},
                                 {dim_Y1, "dim_Y1"}, {dim_Y2, "dim_Y2"}, {dim_Z1, "dim_Z1"}, {dim_Z2, "dim_Z2"}});
}

std::array<LinearDimension*, 6> boark::dimensions() const { return {dim_X1, dim_X2, dim_Y1, dim_Y2, dim_Z1, dim_Z2}; }

void boark::dialogShown_cb() {
    guard([&] {
        requireBlocks();
        double0->SetValue(100.0);
        for (LinearDimension* d : dimensions()) d->SetValue(0.0);
        group3->SetShow(false);
        for (LinearDimension* d : dimensions()) d->SetShowHandle(true);
        creatBlock();
    });
}

int boark::update_cb(UIBlock* changed) {
    guard([&] {
        const auto dims = dimensions();
        if (changed == double0) {
            // A new base size starts from its cube again.
            for (LinearDimension* d : dims) d->SetValue(0.0);
            creatBlock();
        } else if (changed == manip0 || std::find(dims.begin(), dims.end(), changed) != dims.end()) {
            creatBlock();
        }
    });
    return 0;
}

int boark::apply_cb() {
    return guard([&] { showOrCreate(0); });
}

void boark::creatBlock() {
    if (created) {
        redefineFeature();
        return;
    }
    // With no part to work in there is nowhere to put a block.
    if (workPart == nullptr) return;
    Builder builder(workPart->Features()->CreateBlockFeatureBuilder(nullptr));
    defineBlock(builder.get());
    blockFeature = builder->CommitFeature();
    builder.reset();
    created = true;
    visibility();
}

void boark::redefineFeature() {
    Builder builder(workPart->Features()->CreateBlockFeatureBuilder(blockFeature));
    defineBlock(builder.get());
    NXOpen::Session::UndoMarkId mark = theSession->SetUndoMark(NXOpen::Session::MarkVisibilityInvisible, "block1");
    try {
        blockFeature = builder->CommitFeature();
        builder.reset();
        theSession->UpdateManager()->DoUpdate(mark);
    } catch (...) {
        // A refused size leaves the block as it was, and no mark behind.
        theSession->DeleteUndoMark(mark, nullptr);
        throw;
    }
    theSession->DeleteUndoMark(mark, nullptr);
    visibility();
}

void boark::defineBlock(BlockFeatureBuilder* builder) {
    builder->SetType(BlockFeatureBuilder::TypesOriginAndEdgeLengths);
    baseSize = double0->Value();
    const auto dims = dimensions();
    for (size_t i = 0; i < dims.size(); ++i) offsets[i] = dims[i]->Value();
    setBlockOrigin(builder);
    builder->SetOrientation(manip0->XAxis(), manip0->YAxis());
    builder->SetLength(doubleToNXString(baseSize + offsets[0] + offsets[1]));
    builder->SetWidth(doubleToNXString(baseSize + offsets[2] + offsets[3]));
    builder->SetHeight(doubleToNXString(baseSize + offsets[4] + offsets[5]));
    sethandle();
}

void boark::setBlockOrigin(BlockFeatureBuilder* builder) {
    UfBracket uf;
    double origin[3], x[3], y[3], z[3], corner[3];
    toArray(manip0->Origin(), origin);
    toArray(manip0->XAxis(), x);
    toArray(manip0->YAxis(), y);
    UF_VEC3_cross(x, y, z);
    UF_VEC3_affine_comb(origin, -offsets[0], x, corner);
    UF_VEC3_affine_comb(corner, -offsets[2], y, corner);
    UF_VEC3_affine_comb(corner, -offsets[4], z, corner);
    builder->SetOrigin(NXOpen::Point3d(corner[0], corner[1], corner[2]));
}

void boark::sethandle() {
    UfBracket uf;
    double origin[3], x[3], y[3], z[3], minusX[3], minusY[3], minusZ[3];
    toArray(manip0->Origin(), origin);
    toArray(manip0->XAxis(), x);
    toArray(manip0->YAxis(), y);
    UF_VEC3_cross(x, y, z);
    UF_VEC3_negate(x, minusX);
    UF_VEC3_negate(y, minusY);
    UF_VEC3_negate(z, minusZ);
    const double half = baseSize / 2;

    // Each pair of handles sits at the centres of two opposite faces of the starting cube: half the
    // base size along the two other axes, and the "2" handle a whole base size along its own.
    struct Pair {
        LinearDimension *low, *high;
        const double *along, *minus, *first, *second;
    };
    const Pair pairs[] = {{dim_X1, dim_X2, x, minusX, y, z}, {dim_Y1, dim_Y2, y, minusY, x, z}, {dim_Z1, dim_Z2, z, minusZ, x, y}};
    for (const Pair& p : pairs) {
        double face[3], far[3];
        UF_VEC3_affine_comb(origin, half, p.first, face);
        UF_VEC3_affine_comb(face, half, p.second, face);
        UF_VEC3_affine_comb(face, baseSize, p.along, far);
        p.low->SetHandleOrientation(NXOpen::Vector3d(p.minus[0], p.minus[1], p.minus[2]));
        p.low->SetHandleOrigin(NXOpen::Point3d(face[0], face[1], face[2]));
        p.high->SetHandleOrientation(NXOpen::Vector3d(p.along[0], p.along[1], p.along[2]));
        p.high->SetHandleOrigin(NXOpen::Point3d(far[0], far[1], far[2]));
    }
}

NXOpen::NXString boark::doubleToNXString(double value) {
    std::ostringstream text;
    text.precision(16);
    text << value;
    return text.str();
}

void boark::visibility() {
    showOrCreate(90);
    workPart->ModelingViews()->WorkView()->SetRenderingStyle(NXOpen::View::RenderingStyleTypeShadedWithEdges);
}

void boark::showOrCreate(int translucency) {
    auto* feature = dynamic_cast<NXOpen::Features::BodyFeature*>(blockFeature);
    if (feature == nullptr) return;
    std::vector<NXOpen::Body*> bodies = feature->GetBodies();
    std::unique_ptr<NXOpen::DisplayModification, Dispose> modification(theSession->DisplayManager()->NewDisplayModification());
    modification->SetApplyToAllFaces(true);
    modification->SetNewTranslucency(translucency);
    modification->Apply(std::vector<NXOpen::DisplayableObject*>(bodies.begin(), bodies.end()));
}
