#include "geom/step_assembly.h"
#include <filesystem>
#include <cmath>
#include <map>
#include <stdexcept>
#include <Interface_Static.hxx>
#include <STEPCAFControl_Reader.hxx>
#include <Standard_Failure.hxx>
#include <TDF_Label.hxx>
#include <TDF_LabelSequence.hxx>
#include <TDF_Tool.hxx>
#include <TDataStd_Name.hxx>
#include <TDocStd_Document.hxx>
#include <TopExp_Explorer.hxx>
#include <TopLoc_Location.hxx>
#include <XCAFApp_Application.hxx>
#include <XCAFDoc_DocumentTool.hxx>
#include <XCAFDoc_ShapeTool.hxx>
#include "geom/kernel.h"
#include "geom/stock.h"

namespace host::geom {
namespace {

std::string nameOf(const TDF_Label& l) {
    Handle(TDataStd_Name) n;
    if (!l.FindAttribute(TDataStd_Name::GetID(), n)) return "";
    return TCollection_AsciiString(n->Get()).ToCString();  // no replacement character: UTF-8
}

class Walker {
public:
    size_t solids = 0;

    std::shared_ptr<StepAssembly> assembly(const TDF_Label& product) {
        TCollection_AsciiString entry;
        TDF_Tool::Entry(product, entry);
        auto& a = seen_[entry.ToCString()];
        if (a) return a;
        a = std::make_shared<StepAssembly>();
        a->name = nameOf(product);
        TDF_LabelSequence comps;
        XCAFDoc_ShapeTool::GetComponents(product, comps, false);
        for (int i = 1; i <= comps.Length(); ++i) add(*a, comps.Value(i));
        return a;
    }

    // One component of `into`: a part's solids become bodies, an assembly a child.
    void add(StepAssembly& into, const TDF_Label& comp) {
        TDF_Label ref;
        if (!XCAFDoc_ShapeTool::GetReferredShape(comp, ref)) ref = comp;
        const TopLoc_Location loc = XCAFDoc_ShapeTool::GetLocation(comp);
        // A product's own name is the one a designer gave it; an instance's is often a generated id.
        const std::string product = nameOf(ref);
        const std::string name = product.empty() ? nameOf(comp) : product;
        if (XCAFDoc_ShapeTool::IsAssembly(ref)) {
            into.children.push_back({name, loc.Transformation(), assembly(ref)});
            return;
        }
        addSolids(into, name, ref, loc);
    }

    // The solids of a part, placed by `loc`. A part of several solids (a weldment saved as one part)
    // names each of them where the file does; the others go by the part's name.
    void addSolids(StepAssembly& into, const std::string& name, const TDF_Label& part, const TopLoc_Location& loc = {}) {
        const TopoDS_Shape shape = withPlaneCurves(XCAFDoc_ShapeTool::GetShape(part));
        int count = 0;
        for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) ++count;
        const Handle(XCAFDoc_ShapeTool) tool = count > 1 ? XCAFDoc_DocumentTool::ShapeTool(part) : nullptr;
        for (TopExp_Explorer e(shape, TopAbs_SOLID); e.More(); e.Next()) {
            std::string own = name;
            TDF_Label sub;
            if (tool && tool->FindSubShape(part, e.Current(), sub) && !nameOf(sub).empty()) own = nameOf(sub);
            const double volume = massProps(e.Current()).volume;
            if (std::abs(volume) < kTolerance * kTolerance * kTolerance) {
                into.leftOut.emplace_back(own, volume);
                continue;
            }
            into.bodies.push_back({own, e.Current().Moved(loc)});
            ++solids;
        }
    }

private:
    std::map<std::string, std::shared_ptr<StepAssembly>> seen_;  // product label entry -> its assembly
};

}  // namespace

std::shared_ptr<StepAssembly> readStepAssembly(const std::string& path) {
    return kernel("read the STEP file " + path, [&]() -> std::shared_ptr<StepAssembly> {
        Handle(XCAFApp_Application) app = XCAFApp_Application::GetApplication();
        Handle(TDocStd_Document) doc;
        app->NewDocument("MDTV-XCAF", doc);
        struct Close {
            Handle(XCAFApp_Application) app;
            Handle(TDocStd_Document) doc;
            ~Close() { app->Close(doc); }
        } close{app, doc};
        STEPCAFControl_Reader reader;
        // Names of the solids inside a part, which the reader leaves out unless asked (the setting is
        // there once a reader was made).
        Interface_Static::SetIVal("read.stepcaf.subshapes.name", 1);
        reader.SetNameMode(true);
        reader.SetColorMode(false);
        reader.SetLayerMode(false);
        if (reader.ReadFile(path.c_str()) != IFSelect_RetDone) throw std::runtime_error("cannot read the STEP file " + path);
        if (!reader.Transfer(doc)) throw std::runtime_error("the STEP file " + path + " holds nothing this host can read");
        Handle(XCAFDoc_ShapeTool) tool = XCAFDoc_DocumentTool::ShapeTool(doc->Main());
        TDF_LabelSequence roots;
        tool->GetFreeShapes(roots);
        Walker w;
        std::shared_ptr<StepAssembly> top;
        if (roots.Length() == 1 && XCAFDoc_ShapeTool::IsAssembly(roots.Value(1))) {
            top = w.assembly(roots.Value(1));
        } else {
            top = std::make_shared<StepAssembly>();
            for (int i = 1; i <= roots.Length(); ++i) {
                const TDF_Label& r = roots.Value(i);
                if (XCAFDoc_ShapeTool::IsAssembly(r)) top->children.push_back({nameOf(r), gp_Trsf(), w.assembly(r)});
                else w.addSolids(*top, nameOf(r), r);
            }
        }
        if (top->name.empty()) top->name = std::filesystem::path(path).stem().string();
        if (w.solids == 0) throw std::runtime_error("the STEP file " + path + " holds no solid");
        return top;
    });
}

}  // namespace host::geom
