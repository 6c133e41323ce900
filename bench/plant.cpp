#include "plant.h"
#include <filesystem>
#include <fstream>

namespace bench {
namespace {

using nlohmann::json;

// One body of stock, turning through the kinds a welded frame is made of.
json body(int parent, int i, bool marked, int distinct) {
    static const char* const kinds[] = {"plate", "flat", "square_tube", "rect_tube", "angle", "round_bar", "pipe", "bent_plate"};
    const std::string kind = kinds[i % 8];
    // Rows of 20 bodies, rows side by side and in layers, so that a parent of thousands stays inside a plant.
    json b = {{"name", "b" + std::to_string(parent) + "_" + std::to_string(i)}, {"stock", kind},
              {"at", {2500.0 * (i / 20 / 100), 300.0 * (i % 20), 600.0 * (i / 20 % 100)}}};
    // A marked body of its own length (distinct > 0) is a part of its own; else copies abound, as in a plant.
    const double l = distinct > 0 ? 400 + distinct % 1500 : 400 + 10 * (i % 17);
    if (kind == "plate") b["size"] = {l, 200, 6 + i % 3 * 2};
    else if (kind == "flat") b["size"] = {l, 50, 8};
    else if (kind == "square_tube") b["size"] = {60, 4, l};
    else if (kind == "rect_tube") b["size"] = {80, 40, 3, l};
    else if (kind == "angle") b["size"] = {50, 50, 5, l};
    else if (kind == "round_bar") b["size"] = {30, l};
    else if (kind == "pipe") b["size"] = {60, 4, l};
    else b["size"] = {{"flanges", {100, l / 2, 100}}, {"angles", {90, 90}}, {"t", 3}, {"r", 3}, {"w", 250}};
    // Marked bodies get names of their own across the plant, so that every one makes a part.
    std::string name = marked ? "p" + std::to_string(parent) + "x" + std::to_string(i) : "std" + std::to_string(i % 5);
    b["attributes"] = {{"DB_PART_NAME", name}, {"REMARK", marked ? u8"按图制作" : u8"外购件"}};
    return b;
}

}  // namespace

json plant(const PlantShape& shape) {
    json components = json::array();
    int left = shape.bodies, k = 0, distinct = 0;
    while (left > 0) {
        int n = std::min(left, shape.perParent);
        json bodies = json::array();
        for (int i = 0; i < n; ++i) {
            const bool marked = i % shape.markedEvery == 0;
            bodies.push_back(body(k, i, marked, marked && shape.distinctMarked ? ++distinct : 0));
        }
        // A numeric tail makes a parent of new parts; every fifth is an assembly.
        std::string name = (k % 5 == 4 ? u8"unit装配-" : "unit-") + std::to_string(100 + k);
        components.push_back({{"file", name + ".prt"}, {"name", name}, {"at", {3000.0 * (k % 20), 7000.0 * (k / 20), 0}}, {"part", {{"bodies", bodies}}}});
        left -= n;
        ++k;
    }
    return {{"file", "plant-1.prt"}, {"attributes", {{"DB_PART_NO", "QEL-100"}}}, {"components", components}};
}

std::string writePlant(const PlantShape& shape, const std::string& folder) {
    std::filesystem::create_directories(folder);
    std::string path = (std::filesystem::path(folder) / "plant.json").string();
    std::ofstream(path) << plant(shape).dump(1);
    return path;
}

}  // namespace bench
