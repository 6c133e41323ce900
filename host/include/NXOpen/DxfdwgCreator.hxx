// Export of drawing sheets for AutoCAD users. There is no DWG writer on this platform: a sheet is
// written as a DXF, beside the name asked for with the extension ".dxf" (a file never claims a format
// it does not hold).
#pragma once
#include "NXString.hxx"

namespace NXOpen {

class DxfdwgCreator {
public:
    struct ObjectTypesBuilder {
        void SetCurves(bool v) { curves_ = v; }
        void SetAnnotations(bool v) { annotations_ = v; }
        void SetStructures(bool v) { structures_ = v; }
        bool curves_ = true, annotations_ = true, structures_ = true;
    };
    void SetExportData(int v) { exportData_ = v; }
    void SetAutoCADRevision(int v) { revision_ = v; }
    void SetViewEditMode(bool v) { viewEdit_ = v; }
    void SetOutputFileType(int v) { fileType_ = v; }
    ObjectTypesBuilder* ObjectTypes() { return &types_; }
    void SetOutputFile(const NXString& file) { output_ = file; }
    void SetInputFile(const NXString& file) { input_ = file; }
    void SetDrawingList(const NXString& sheets) { sheets_ = sheets; }
    void SetFlattenAssembly(bool v) { flatten_ = v; }
    void SetWidthFactorMode(int v) { widthFactor_ = v; }
    void SetOverlappingEntities(bool v) { overlapping_ = v; }
    void SetFileSaveFlag(bool v) { save_ = v; }
    // Writes the sheet named in the drawing list of the input part; throws when the part, the sheet
    // or the file cannot be had.
    void Commit();
    void Destroy() { delete this; }
private:
    friend class DexManager;
    DxfdwgCreator() = default;
    int exportData_ = 0, revision_ = 0, fileType_ = 0, widthFactor_ = 0;
    bool viewEdit_ = false, flatten_ = false, overlapping_ = false, save_ = false;
    ObjectTypesBuilder types_;
    NXString output_, input_, sheets_;
};

class DexManager {
public:
    DxfdwgCreator* CreateDxfdwgCreator() { return new DxfdwgCreator(); }
};

}  // namespace NXOpen
