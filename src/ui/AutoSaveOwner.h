#pragma once

#include "ui/AutoSave.h"

namespace vantrel::ui {

// A screen that started a document and keeps its working file current; the
// browser that stores or discards the document switches the auto-save off.
class AutoSaveOwner {
public:
    virtual ~AutoSaveOwner() = default;
    virtual void stopAutoSave(AutoSave::Kind kind) = 0;
};

} // namespace vantrel::ui
