// STEP files with an assembly structure, as another CAD system writes them: products holding solids
// and other products, each placed.
#pragma once
#include <memory>
#include <string>
#include <vector>
#include <TopoDS_Shape.hxx>
#include <gp_Trsf.hxx>

namespace host::geom {

struct StepAssembly;

struct StepBody {
    std::string name;      // the product's name (UTF-8), "" when it has none
    TopoDS_Shape solid;    // placed in its assembly's frame
};

struct StepChild {
    std::string name;                      // the product's name, else the instance's (UTF-8)
    gp_Trsf at;                            // placement in the parent's frame
    std::shared_ptr<StepAssembly> part;    // shared by every instance of one product
};

struct StepAssembly {
    std::string name;
    std::vector<StepBody> bodies;          // solids of the product itself and of its part products
    std::vector<StepChild> children;       // products that are assemblies themselves
    // Solids smaller than the modelling tolerance every way (slivers another system left behind):
    // no body can be made of them, so they are named here instead.
    std::vector<std::pair<std::string, double>> leftOut;   // product name, volume in mm3
};

// The file's top product (several top products become the bodies and children of one assembly named
// after the file). Throws std::runtime_error naming the file when it cannot be read or holds no solid.
std::shared_ptr<StepAssembly> readStepAssembly(const std::string& path);

}  // namespace host::geom
