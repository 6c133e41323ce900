// Settings of drawing objects, edited through builders: the view style of drawing views.
#pragma once
#include <vector>
#include "TaggedObject.hxx"

namespace NXOpen {
class Part;
namespace Drafting {

class SettingsManager;

class BaseEditSettingsBuilder {
public:
    virtual ~BaseEditSettingsBuilder() = default;
    // Applies the settings to the objects the builder was made for; throws when one is gone.
    virtual NXObject* Commit() = 0;
    void Destroy() { delete this; }
};

}  // namespace Drafting

namespace Drawings {

// The view style of drawing views: how they shade and how they draw hidden lines.
class EditViewSettingsBuilder : public Drafting::BaseEditSettingsBuilder {
public:
    struct Shading {
        // 0 fully shaded, 1 partially shaded, 2 wireframe (the host's values).
        void SetRenderingStyle(int style) { style_ = style; }
        int style_ = -1;
    };
    struct HiddenLines {
        // 0 invisible, 1 solid, 2 dashed (the host's fonts).
        void SetHiddenlineFont(int font) { font_ = font; }
        int font_ = -1;
    };
    struct ViewStyleBuilder {
        Shading* ViewStyleShading() { return &shading_; }
        HiddenLines* ViewStyleHiddenLines() { return &hidden_; }
        Shading shading_;
        HiddenLines hidden_;
    };
    ViewStyleBuilder* ViewStyle() { return &style_; }
    NXObject* Commit() override;
private:
    friend class NXOpen::Drafting::SettingsManager;
    explicit EditViewSettingsBuilder(std::vector<tag_t> views) : views_(std::move(views)) {}
    std::vector<tag_t> views_;
    ViewStyleBuilder style_;
};

}  // namespace Drawings

namespace Drafting {

class SettingsManager {
public:
    // A builder for the settings of these drawing views; throws when one is not a drawing view.
    Drawings::EditViewSettingsBuilder* CreateDrawingEditViewSettingsBuilder(const std::vector<DisplayableObject*>& views);
    // Readies builders made for several objects at once; each Commit then applies its settings.
    void ProcessForMultipleObjectsSettings(const std::vector<BaseEditSettingsBuilder*>& builders);
private:
    friend class NXOpen::Part;
    explicit SettingsManager(tag_t part) : part_(part) {}
    tag_t part_;
};

}  // namespace Drafting
}  // namespace NXOpen
