// Settings of a new part made from one of the host's templates.
#pragma once
#include "NXString.hxx"

namespace NXOpen {

class FileNew {
public:
    void SetTemplateFileName(const NXString& name) { templateName_ = name; }
    void SetApplication(int application) { application_ = application; }
    void SetUnits(int units) { units_ = units; }
    void SetRelationType(const NXString& type) { relation_ = type; }
    void SetUsesMasterModel(const NXString& uses) { master_ = uses; }
    void SetTemplateType(int type) { templateType_ = type; }
    void SetNewFileName(const NXString& name) { newFile_ = name; }
    void SetMasterFileName(const NXString& name) { masterFile_ = name; }
    void SetUseBlankTemplate(bool blank) { blank_ = blank; }
    void SetMakeDisplayedPart(bool display) { display_ = display; }
    NXString TemplateFileName() const { return templateName_; }
    NXString NewFileName() const { return newFile_; }
    bool MakeDisplayedPart() const { return display_; }
    void Destroy() { delete this; }
private:
    friend class PartCollection;
    FileNew() = default;
    NXString templateName_, relation_, master_, newFile_, masterFile_;
    int application_ = 0, units_ = 0, templateType_ = 0;
    bool blank_ = false, display_ = false;
};

}  // namespace NXOpen
