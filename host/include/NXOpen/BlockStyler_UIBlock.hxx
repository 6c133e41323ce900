// Blocks of a dialog, one class per kind. The dialog owns them.
#pragma once
#include <vector>
#include "NXString.hxx"
#include "ugmath.hxx"
#include "Selection.hxx"
#include "BlockStyler_PropertyList.hxx"

namespace NXOpen {
class TaggedObject;
namespace BlockStyler {

class UIBlock {
public:
    virtual ~UIBlock();
    NXString Name() const;   // the block id
    NXString Type() const;   // the block kind
    NXString Label() const;
    void SetLabel(const NXString& label);
    bool Show() const;
    void SetShow(bool show);
    bool Enable() const;
    void SetEnable(bool enable);
    PropertyList* GetProperties();
protected:
    explicit UIBlock(host::ui::Block* block) : block_(block) {}
    PropertyList props() const { return PropertyList(block_); }
    host::ui::Block* block_;
    friend struct host::ui::Block;
};

class CompositeBlock : public UIBlock {
public:
    // Null when the dialog has no block of that id.
    UIBlock* FindBlock(const NXString& block_id);
    using UIBlock::UIBlock;
};

class Group : public UIBlock { public: using UIBlock::UIBlock; };
class Separator : public UIBlock { public: using UIBlock::UIBlock; };
class Button : public UIBlock { public: using UIBlock::UIBlock; };
class Label : public UIBlock { public: using UIBlock::UIBlock; };
class DrawingArea : public UIBlock {
public:
    using UIBlock::UIBlock;
    NXString Image() const;
    void SetImage(const NXString& image);
};

class StringBlock : public UIBlock {
public:
    using UIBlock::UIBlock;
    NXString Value() const;
    void SetValue(const NXString& value);
};

class Toggle : public UIBlock {
public:
    using UIBlock::UIBlock;
    bool Value() const;
    void SetValue(bool value);
};

class Enumeration : public UIBlock {
public:
    using UIBlock::UIBlock;
    NXString ValueAsString() const;
    void SetValueAsString(const NXString& value);
    std::vector<NXString> GetEnumMembers() const;
    void SetEnumMembers(const std::vector<NXString>& members);
};

class SelectObject : public UIBlock {
public:
    using UIBlock::UIBlock;
    std::vector<NXOpen::TaggedObject*> GetSelectedObjects() const;
    void SetSelectedObjects(const std::vector<NXOpen::TaggedObject*>& objects);
    int MaximumScope() const;
    void SetMaximumScope(int scope);
    void SetSelectionFilter(Selection::SelectionAction action, const std::vector<Selection::MaskTriple>& masks);
};

class ObjectColorPicker : public UIBlock {
public:
    using UIBlock::UIBlock;
    std::vector<int> GetValue() const;
    void SetValue(const std::vector<int>& value);
};

class FolderSelection : public UIBlock {
public:
    using UIBlock::UIBlock;
    NXString Path() const;
    void SetPath(const NXString& path);
};

class DoubleBlock : public UIBlock {
public:
    using UIBlock::UIBlock;
    double Value() const;
    void SetValue(double value);
};

// A length with a handle in the graphics window that the user drags along its direction.
class LinearDimension : public UIBlock {
public:
    using UIBlock::UIBlock;
    double Value() const;
    void SetValue(double value);
    bool ShowHandle() const;
    void SetShowHandle(bool showHandle);
    Point3d HandleOrigin() const;
    void SetHandleOrigin(const Point3d& handleOrigin);
    Vector3d HandleOrientation() const;
    void SetHandleOrientation(const Vector3d& handleOrientation);
};

class ExpressionBlock : public UIBlock {
public:
    using UIBlock::UIBlock;
    double Value() const;
    void SetValue(double value);
};

class SpecifyPoint : public UIBlock {
public:
    using UIBlock::UIBlock;
    Point3d Point() const;
    void SetPoint(const Point3d& point);
};

class SpecifyOrientation : public UIBlock {
public:
    using UIBlock::UIBlock;
    Point3d Origin() const;
    void SetOrigin(const Point3d& origin);
    Vector3d XAxis() const;
    void SetXAxis(const Vector3d& axis);
    Vector3d YAxis() const;
    void SetYAxis(const Vector3d& axis);
    Vector3d ZAxis() const;
    void SetZAxis(const Vector3d& axis);
};

}  // namespace BlockStyler
}  // namespace NXOpen
