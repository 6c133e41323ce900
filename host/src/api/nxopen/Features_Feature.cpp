// Features of a part and the part's feature collection.
#include "NXOpen/Features_Feature.hxx"
#include "NXOpen/Features_RemoveParametersBuilder.hxx"
#include "NXOpen/Features_SheetMetal.hxx"
#include "model/session.h"

using namespace host;
namespace SM = NXOpen::Features::SheetMetal;

NXOpen::Features::FeatureCollection::~FeatureCollection() { delete manager_; }

SM::SheetmetalManager* NXOpen::Features::FeatureCollection::SheetmetalManager() {
    if (!manager_) manager_ = new SM::SheetmetalManager(part_);
    return manager_;
}

NXOpen::NXString NXOpen::Features::Feature::FeatureType() const { return session().object(Tag()).feature; }

std::vector<NXOpen::Body*> NXOpen::Features::Feature::GetBodies() const {
    std::vector<NXOpen::Body*> out;
    if (auto* b = dynamic_cast<NXOpen::Body*>(NXObjectManager::Get(session().object(Tag()).featBody))) out.push_back(b);
    return out;
}

NXOpen::Features::RemoveParametersBuilder* NXOpen::Features::FeatureCollection::CreateRemoveParametersBuilder() {
    return new RemoveParametersBuilder();
}
