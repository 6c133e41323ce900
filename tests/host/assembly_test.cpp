// The stand-in's assemblies through the object interface: new components, restructuring, saving, closing.
#include <fstream>
#include "NXOpen/Assemblies_ComponentAssembly.hxx"
#include "NXOpen/FileNew.hxx"
#include "NXOpen/Features_Feature.hxx"
#include "NXOpen/Features_RemoveParametersBuilder.hxx"
#include "NXOpen/NXException.hxx"
#include "NXOpen/Part.hxx"
#include "NXOpen/Session.hxx"
#include "files/partfile.h"
#include "files/paths.h"
#include "fixture.h"
#include "uf_assem.h"
#include "uf_modl.h"
#include "uf_so.h"
#include "uf_wave.h"

namespace fs = std::filesystem;
using NXOpen::NXObjectManager;

class AssemblyTest : public HostTest {
protected:
    // top.prt holding a component frame-2 at z = 500 whose part has one plate "beam".
    void SetUp() override {
        HostTest::SetUp();
        child = &part("frame-2.prt");
        beam = plate(*child, "beam").tag;
        top = &part("top.prt");
        own = plate(*top, "own").tag;
        host::Instance in;
        in.pid = top->nextPid++;
        in.file = child->path;
        in.name = "frame-2";
        in.transform.SetTranslation(gp_Vec(0, 0, 500));
        top->instances.push_back(in);
        host::session().syncOccurrences(*top);
        host::session().display = host::session().work = top;
        for (tag_t t : top->objects)
            if (host::Object* o = host::session().find(t); o && o->type == UF_component_type && !o->root) frame = t;
    }
    NXOpen::Part* nx(host::Part* p) { return static_cast<NXOpen::Part*>(NXObjectManager::Get(p->tag)); }
    NXOpen::Assemblies::Component* comp(tag_t t) { return static_cast<NXOpen::Assemblies::Component*>(NXObjectManager::Get(t)); }
    NXOpen::NXObject* newComponent(const std::string& name, std::vector<tag_t> bodies) {
        NXOpen::FileNew* f = NXOpen::Session::GetSession()->Parts()->FileNew();
        f->SetTemplateFileName("model-plain-1-mm-template.prt");
        f->SetNewFileName(host::paths::toWindows((dir / (name + ".prt")).string()));
        auto* b = nx(top)->AssemblyManager()->CreateNewComponentBuilder();
        b->SetNewComponentName(name);
        for (tag_t t : bodies) b->ObjectForNewComponent()->Add(static_cast<NXOpen::NXObject*>(NXObjectManager::Get(t)));
        b->SetNewFile(f);
        NXOpen::NXObject* made = nullptr;
        try {
            made = b->Commit();
        } catch (...) {
            b->Destroy();
            f->Destroy();
            throw;
        }
        b->Destroy();
        f->Destroy();
        return made;
    }
    host::Part* child = nullptr;
    host::Part* top = nullptr;
    tag_t beam = 0, own = 0, frame = 0;
};

TEST_F(AssemblyTest, ANewComponentTakesItsBodiesAndRefusesTakenNames) {
    host::session().object(own).attrs.push_back({"REMARK", 5, "按图制作"});
    NXOpen::NXObject* made = newComponent("own-1", {own});
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(nullptr, host::session().find(own));
    host::Object& c = host::session().object(made->Tag());
    ASSERT_EQ(1u, c.child->objects.size());
    host::Object& moved = host::session().object(c.child->objects[0]);
    EXPECT_EQ("按图制作", moved.findAttr("REMARK")->text);
    EXPECT_TRUE(c.child->modified);
    EXPECT_FALSE(fs::exists(c.child->path));  // written when saved
    // The same name again, on disk or in memory, is refused and takes nothing.
    tag_t spare = plate(*top, "spare").tag;
    EXPECT_THROW(newComponent("own-1", {spare}), NXOpen::NXException);
    std::ofstream(dir / "taken.prt") << "x";
    EXPECT_THROW(newComponent("taken", {spare}), NXOpen::NXException);
    EXPECT_NE(nullptr, host::session().find(spare));
}

TEST_F(AssemblyTest, RestructuringKeepsPlaceAndWhatTheAssemblySaidOfIt) {
    NXOpen::NXObject* made = newComponent("own-1", {own});
    tag_t occ = NULL_TAG;
    for (tag_t t : top->objects)
        if (host::Object* o = host::session().find(t); o && o->type == UF_solid_type && o->parent == made->Tag()) occ = t;
    ASSERT_NE(NULL_TAG, occ);
    host::session().object(occ).attrs = {{"DB_PART_NO", 5, "100-1"}};
    double before = host::session().massOf(host::session().object(occ)).centroid.Z();
    int failed = nx(top)->ComponentAssembly()->RestructureComponents({comp(made->Tag())}, comp(frame), true);
    EXPECT_EQ(0, failed);
    EXPECT_EQ(nullptr, host::session().find(made->Tag()));
    ASSERT_EQ(1u, child->instances.size());
    EXPECT_EQ(1u, top->instances.size());
    NXOpen::Assemblies::Component* moved = comp(frame)->FindObject("COMPONENT own-1 1");
    host::Object* after = nullptr;
    for (tag_t t : top->objects)
        if (host::Object* o = host::session().find(t); o && o->type == UF_solid_type && o->parent == moved->Tag()) after = o;
    ASSERT_NE(nullptr, after);
    EXPECT_NEAR(before, host::session().massOf(*after).centroid.Z(), 1e-9);
    EXPECT_EQ("100-1", after->findAttr("DB_PART_NO")->text);
    EXPECT_THROW(comp(frame)->FindObject("COMPONENT nothing 1"), NXOpen::NXException);
    EXPECT_THROW(comp(frame)->FindObject("own-1"), NXOpen::NXException);
}

TEST_F(AssemblyTest, SavingWithComponentsWritesTheModifiedTreeAndClosingSparesUnsavedWork) {
    NXOpen::NXObject* made = newComponent("own-1", {own});
    host::Part* fresh = host::session().object(made->Tag()).child;
    nx(top)->Save(NXOpen::BasePart::SaveComponentsTrue, NXOpen::BasePart::CloseAfterSaveFalse);
    EXPECT_TRUE(fs::exists(dir / "top.prt"));
    EXPECT_TRUE(fs::exists(dir / "own-1.prt"));
    EXPECT_FALSE(fresh->modified);
    host::session().object(beam).color = 5;
    child->modified = true;
    auto* frameNx = static_cast<NXOpen::BasePart*>(NXObjectManager::Get(child->tag));
    frameNx->Close(NXOpen::BasePart::CloseWholeTreeFalse, NXOpen::BasePart::CloseModifiedDontClose, nullptr);
    EXPECT_NE(nullptr, host::session().partByPath(child->path));
    auto* parts = NXOpen::Session::GetSession()->Parts();
    EXPECT_EQ(frameNx, parts->FindObject("frame-2"));
    EXPECT_EQ(frameNx, parts->FindObject("frame-2.prt"));
    EXPECT_THROW(parts->FindObject("frame"), NXOpen::NXException);
    frameNx->Close(NXOpen::BasePart::CloseWholeTreeFalse, NXOpen::BasePart::CloseModifiedCloseModified, nullptr);
    EXPECT_THROW(parts->FindObject("frame-2"), NXOpen::NXException);
}

TEST_F(AssemblyTest, LinkedBodiesArriveInTheWorkPartAndLoseTheirLinkWhenParametersGo) {
    tag_t occ = NULL_TAG;
    for (tag_t t : top->objects)
        if (host::Object* o = host::session().find(t); o && o->type == UF_solid_type && o->isOccurrence()) occ = t;
    tag_t xform = NULL_TAG, feature = NULL_TAG, body = NULL_TAG;
    ASSERT_EQ(0, UF_SO_create_xform_assy_ctxt(top->tag, UF_ASSEM_ask_parent_component(occ), UF_ASSEM_ask_work_occurrence(), &xform));
    ASSERT_EQ(0, UF_WAVE_create_linked_body(beam, xform, top->tag, TRUE, &feature));
    ASSERT_EQ(0, UF_MODL_ask_feat_body(feature, &body));
    double box[6];
    UF_MODL_ask_bounding_box(body, box);
    EXPECT_NEAR(500, box[2], 1e-6);
    EXPECT_EQ("beam", host::session().object(body).name);
    auto* builder = nx(top)->Features()->CreateRemoveParametersBuilder();
    builder->Objects()->Add(static_cast<NXOpen::NXObject*>(NXObjectManager::Get(body)));
    builder->Commit();
    builder->Destroy();
    EXPECT_EQ(nullptr, host::session().find(feature));
    EXPECT_NE(nullptr, host::session().find(body));
}

TEST_F(AssemblyTest, ClosingAComponentsPartKeepsWhatTheAssemblySaidOfItsOccurrences) {
    host::Session& s = host::session();
    tag_t occ = NULL_TAG;
    for (tag_t t : top->objects)
        if (host::Object* o = s.find(t); o && o->type == UF_solid_type && o->isOccurrence()) occ = t;
    s.object(occ).attrs = {{"DB_PART_NO", 5, "100-1"}};
    s.object(occ).color = 186;
    std::string childPath = child->path;
    host::partfile::save(*child);
    s.closePart(*child);
    EXPECT_EQ(nullptr, s.find(occ));
    EXPECT_EQ(nullptr, s.find(frame));
    // The assembly still saves, and says what it said.
    host::partfile::save(*top);
    host::partfile::load(childPath);
    s.syncOccurrences(*top);
    host::Object* back = nullptr;
    for (tag_t t : top->objects)
        if (host::Object* o = s.find(t); o && o->type == UF_solid_type && o->isOccurrence()) back = o;
    ASSERT_NE(nullptr, back);
    EXPECT_EQ("100-1", back->findAttr("DB_PART_NO")->text);
    EXPECT_EQ(186, back->color);
}
