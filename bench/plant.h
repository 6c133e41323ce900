// Generated plants for benchmarks (text in UTF-8: these sources hold u8 literals): model descriptions of many bodies of every stock kind under
// numbered parent components, as a designer's job looks before the component batch.
#pragma once
#include <string>
#include <nlohmann/json.hpp>

namespace bench {

struct PlantShape {
    int bodies = 1000;          // in all
    int perParent = 20;         // bodies of one parent component
    int markedEvery = 3;        // every n-th body is marked for a part and drawing of its own
    bool distinctMarked = false;  // marked bodies differ in length, so that none is a copy of another
};

// A model description (UTF-8 JSON) of the plant; its top part is "plant-1.prt".
nlohmann::json plant(const PlantShape& shape);

// Writes the description into `folder` as "plant.json" and answers its path.
std::string writePlant(const PlantShape& shape, const std::string& folder);

}  // namespace bench
